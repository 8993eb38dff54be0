// What the program keeps between runs in tavro2.conf: the recent files and
// the layout of the main window. The file is read leniently: a value that
// is missing, damaged or out of range takes its default, and a file that is
// not ours at all gives the defaults; nothing in it can stop the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace document {

inline constexpr int kRecentFileCount = 4;

enum class PaneSide { Left, Right, Top, Bottom };

struct WindowPlace {
    int x = 0, y = 0, width = 0, height = 0;
    bool known = false;  // false: the program's own first size
};

struct AppSettings {
    std::vector<std::string> recentFiles;  // newest first, absolute paths
    // The "Scenario" pane: its thickness across the side it is docked on
    // (0: not remembered), that side, and whether it is shown.
    int paneSize = 0;
    PaneSide paneSide = PaneSide::Left;
    bool paneShown = true;
    WindowPlace window;  // the main window when not maximised
    bool maximised = true;
    bool multipleGraphs = false;  // the output mode new scenarios start in
    std::string lastFolder;       // of the file dialogs; empty: not known
};

// Smallest and largest pane thickness and window size taken from the file.
inline constexpr int kMinPaneSize = 32;
inline constexpr int kMinWindowSize = 200;
inline constexpr int kMaxScreenCoordinate = 32000;

AppSettings ParseSettings(std::string_view text);
std::string SettingsText(const AppSettings& settings);

// Reads the file; a missing, unreadable or oversized file gives the defaults.
AppSettings LoadSettings(const std::string& path);
// Writes the whole file at once (its folder made when missing); false with
// the reason when it cannot be written, the old file then untouched.
bool SaveSettings(const std::string& path, const AppSettings& settings, std::string* error = nullptr);

}  // namespace document
