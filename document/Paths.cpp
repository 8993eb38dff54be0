#include "document/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/Help.h"

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
    if (cwdHasLibrary) return {cwd, cwd, {}, {}};
    AppPaths p;
    p.libraryFolder = installHasLibrary ? installData : buildData;
    std::string base = !userDataHome.empty() ? userDataHome : (home.empty() ? cwd : home + "/.local/share");
    p.userFolder = Join(base, "tavro2");
    return p;
}

std::string ShareFolderOf(const std::string& exePath) {
    if (exePath.empty()) return {};
    return (fs::path(exePath).parent_path().parent_path() / "share" / "tavro2").lexically_normal().string();
}

AppPaths AppPaths::ForThisProcess() {
    const std::string cwd = CurrentDirectory();
    auto env = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
    // The program's own prefix first, so that any install prefix works;
    // then the prefix it was configured with.
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    std::string install = ec ? std::string() : ShareFolderOf(exe.string());
    if (install.empty() || !platform::FileExists(Join(install, kStandardLibraryName))) {
#ifdef TAVRO_INSTALL_DATA_DIR
        install = TAVRO_INSTALL_DATA_DIR;
#else
        install.clear();
#endif
    }
#ifdef TAVRO_BUILD_DATA_DIR
    const std::string build = TAVRO_BUILD_DATA_DIR;
#else
    const std::string build;
#endif
    AppPaths paths = Decide(cwd, platform::FileExists(Join(cwd, kStandardLibraryName)), install, build,
                            !install.empty() && platform::FileExists(Join(install, kStandardLibraryName)),
                            env("XDG_DATA_HOME"), env("HOME"));
    paths.helpFolder = FindHelpFolder(HelpFolderCandidates(ec ? std::string() : exe.string()));
    paths.logoFile = FindLogoFile(ec ? std::string() : exe.string());
    return paths;
}

std::vector<std::string> DataCandidates(const std::string& exePath, const char* name) {
    std::vector<std::string> out;
    const std::string share = ShareFolderOf(exePath);
    if (!share.empty()) out.push_back(Join(share, name));
#ifdef TAVRO_INSTALL_DATA_DIR
    out.push_back(Join(TAVRO_INSTALL_DATA_DIR, name));
#endif
#ifdef TAVRO_BUILD_DATA_DIR
    out.push_back((fs::path(TAVRO_BUILD_DATA_DIR).parent_path() / "res" / name).lexically_normal().string());
#endif
    return out;
}

std::vector<std::string> HelpFolderCandidates(const std::string& exePath) { return DataCandidates(exePath, "hlp"); }

std::string FindLogoFile(const std::string& exePath) {
    for (const std::string& path : DataCandidates(exePath, kLogoFileName))
        if (platform::FileExists(path)) return path;
    return {};
}

std::string FindHelpFolder(const std::vector<std::string>& candidates) {
    for (const std::string& folder : candidates)
        if (!folder.empty() && platform::FileExists(Join(folder, platform::kHelpBookFile))) return folder;
    return candidates.empty() ? std::string() : candidates.front();
}

bool AppPaths::CreateUserFolder() const {
    std::error_code ec;
    if (!userFolder.empty() && !fs::is_directory(userFolder, ec)) {
        fs::create_directories(userFolder, ec);
        if (ec) return false;
    }
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
