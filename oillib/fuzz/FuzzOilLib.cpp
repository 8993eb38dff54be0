// libFuzzer target: arbitrary bytes as an oil library file.
// Build (clang): see the closing note of the oil library work, or
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//     oillib/fuzz/FuzzOilLib.cpp oillib/*.cpp platform/Files.cpp \
//     platform/NumText.cpp platform/Clock.cpp -o fuzz_oillib
// Run: ./fuzz_oillib -max_total_time=30 tests/data/oillib/fuzz
#include <unistd.h>

#include <filesystem>
#include <string>

#include "oillib/fuzz/FuzzBody.h"

namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path p =
            std::filesystem::temp_directory_path() / ("tavro_fuzz_oillib_" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    oillib_fuzz::RunOnce(data, size, Folder());
    return 0;
}
