#include "document/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/Files.h"

namespace document {

namespace fs = std::filesystem;

namespace {
std::string Join(const std::string& folder, const char* name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}
}  // namespace

std::string AppPaths::StandardLibrary() const { return Join(libraryFolder, kStandardLibraryName); }
std::string AppPaths::CustomLibrary() const { return Join(userFolder, kCustomLibraryName); }

AppPaths AppPaths::Decide(const std::string& cwd, bool cwdHasLibrary, const std::string& installData,
                          const std::string& buildData, bool installHasLibrary, const std::string& userDataHome,
                          const std::string& home) {
    if (cwdHasLibrary) return {cwd, cwd};
    AppPaths p;
    p.libraryFolder = installHasLibrary ? installData : buildData;
    std::string base = !userDataHome.empty() ? userDataHome : (home.empty() ? cwd : home + "/.local/share");
    p.userFolder = Join(base, "tavro2");
    return p;
}

AppPaths AppPaths::ForThisProcess() {
    const std::string cwd = CurrentDirectory();
    auto env = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
#ifdef TAVRO_INSTALL_DATA_DIR
    const std::string install = TAVRO_INSTALL_DATA_DIR;
#else
    const std::string install;
#endif
#ifdef TAVRO_BUILD_DATA_DIR
    const std::string build = TAVRO_BUILD_DATA_DIR;
#else
    const std::string build;
#endif
    return Decide(cwd, platform::FileExists(Join(cwd, kStandardLibraryName)), install, build,
                  !install.empty() && platform::FileExists(Join(install, kStandardLibraryName)), env("XDG_DATA_HOME"),
                  env("HOME"));
}

bool AppPaths::Apply() const {
    std::error_code ec;
    if (!userFolder.empty() && !fs::is_directory(userFolder, ec)) {
        fs::create_directories(userFolder, ec);
        if (ec) return false;
    }
    platform::SetOutputFolder(userFolder);
    return true;
}

std::string MakeAbsolute(const std::string& path, const std::string& cwd) {
    if (path.empty() || path.front() == '/') return path;
    return (fs::path(cwd) / path).lexically_normal().string();
}

std::string CurrentDirectory() {
    std::error_code ec;
    fs::path p = fs::current_path(ec);
    return ec ? std::string(".") : p.string();
}

}  // namespace document
