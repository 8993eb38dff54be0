// libFuzzer target: arbitrary bytes as a scenario file, opened by the
// document. Build and run: see the fuzz targets in CMakeLists.txt.
#include <unistd.h>

#include <filesystem>
#include <string>

#include "document/fuzz/FuzzBody.h"

namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path p =
            std::filesystem::temp_directory_path() / ("tavro_fuzz_scenario_" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    document_fuzz::RunOnce(data, size, Folder());
    return 0;
}
