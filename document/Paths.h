// Where the program's files live. The standard library "OilLib" is read
// from the current directory when it is there; then "CustomLib" and the
// dump files stay in the current directory too. Otherwise the library comes
// from the installed data folder (or the build tree's data/), and
// "CustomLib" and the dumps go to a per-user data folder.
#pragma once

#include <string>

namespace document {

inline constexpr const char* kStandardLibraryName = "OilLib";
inline constexpr const char* kCustomLibraryName = "CustomLib";

struct AppPaths {
    std::string libraryFolder;  // holds OilLib
    std::string userFolder;     // holds CustomLib and the dump files

    std::string StandardLibrary() const;
    std::string CustomLibrary() const;
    const std::string& DumpFolder() const { return userFolder; }

    // The decision itself, from the facts of the start-up. dataFolders are
    // tried in order for OilLib; userDataHome is $XDG_DATA_HOME, or empty
    // (then home + "/.local/share").
    static AppPaths Decide(const std::string& cwd, bool cwdHasLibrary, const std::string& installData,
                           const std::string& buildData, bool installHasLibrary, const std::string& userDataHome,
                           const std::string& home);
    // The same from this process's environment and file system.
    static AppPaths ForThisProcess();
    // Both folders at one place (tests, the solve tool).
    static AppPaths InFolder(const std::string& folder) { return {folder, folder}; }

    // Creates the user folder when missing and makes it the output folder
    // of the dump files. False when it cannot be created.
    bool Apply() const;
};

// path made absolute against cwd (file names given on the command line are
// resolved before anything can change the directory).
std::string MakeAbsolute(const std::string& path, const std::string& cwd);
std::string CurrentDirectory();

}  // namespace document
