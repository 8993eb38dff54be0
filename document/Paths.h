// Where the program's files live. The standard library "OilLib" is read
// from the current directory when it is there; then "CustomLib" and the
// dump files stay in the current directory too. Otherwise the library comes
// from the installed data folder (or the build tree's data/), and
// "CustomLib" and the dumps go to a per-user data folder.
#pragma once

#include <string>
#include <vector>

namespace document {

inline constexpr const char* kStandardLibraryName = "OilLib";
inline constexpr const char* kCustomLibraryName = "CustomLib";
// The logo of the printed pages, beside the library in the data folder.
inline constexpr const char* kLogoFileName = "tavro2-logo.png";

struct AppPaths {
    std::string libraryFolder;  // holds OilLib
    std::string userFolder;     // holds CustomLib and the dump files
    std::string helpFolder;     // holds the help book (tavro2.hhp and its pages)
    std::string logoFile;       // the printed pages' logo; empty when there is none

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
    static AppPaths InFolder(const std::string& folder) { return {folder, folder, {}, {}}; }

    // Creates the user folder when missing. False when it cannot be
    // created. The documents are told the folder of their dump files
    // (SpillDocCore::SetOutputFolder).
    bool CreateUserFolder() const;
};

// The data folder of an installed program: <exe dir>/../share/tavro2
// (empty for an empty path).
std::string ShareFolderOf(const std::string& exePath);

// Where a file or folder of the program's data is looked for, in order: the
// installed program's <exe dir>/../share/tavro2/<name>, the configured
// install prefix's, then the source tree's res/<name>. Never the current
// directory.
std::vector<std::string> DataCandidates(const std::string& exePath, const char* name);
// The help book's folders in the order they are tried (name "hlp").
std::vector<std::string> HelpFolderCandidates(const std::string& exePath);
// The first logo file that exists, or "".
std::string FindLogoFile(const std::string& exePath);
// The first candidate that holds the book's project file "tavro2.hhp"; when
// none does, the first candidate (so that a message can name it).
std::string FindHelpFolder(const std::vector<std::string>& candidates);

// path made absolute against cwd (file names given on the command line are
// resolved before anything can change the directory).
std::string MakeAbsolute(const std::string& path, const std::string& cwd);
std::string CurrentDirectory();

}  // namespace document
