#include "document/AppSettings.h"

#include <charconv>
#include <filesystem>
#include <map>

#include "platform/Files.h"

namespace document {

namespace {

constexpr std::size_t kMaxSettingsBytes = 64 * 1024;
constexpr const char* kRecentGroup = "RecentFiles";
constexpr const char* kLayoutGroup = "Layout";
constexpr const char* kSideNames[] = {"left", "right", "top", "bottom"};

using Group = std::map<std::string, std::string>;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Values as the toolkit's configuration files write them: quoted when they
// start or end with a space, with backslash escapes.
std::string Unescape(std::string_view v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 == v.size()) {
            out += v[i];
            continue;
        }
        const char c = v[++i];
        out += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    return out;
}

std::string Escape(const std::string& v) {
    std::string out;
    for (char c : v) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    if (!v.empty() && (v.front() == ' ' || v.back() == ' ')) out = '"' + out + '"';
    return out;
}

std::map<std::string, Group> Groups(std::string_view text) {
    std::map<std::string, Group> groups;
    Group* current = nullptr;
    for (const std::string& raw : platform::SplitLines(text)) {
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t end = line.find(']');
            current = end == std::string_view::npos ? nullptr : &groups[std::string(Trim(line.substr(1, end - 1)))];
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos) continue;
        (*current)[std::string(Trim(line.substr(0, eq)))] = Unescape(Trim(line.substr(eq + 1)));
    }
    return groups;
}

// A usable absolute path: no control characters (a line break would end
// the entry in the file).
bool IsPath(const std::string& s) {
    if (s.empty() || s.front() != '/' || s.size() > 4096) return false;
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

bool Int(const Group& g, const char* key, int lo, int hi, int& out) {
    auto it = g.find(key);
    if (it == g.end()) return false;
    const std::string& s = it->second;
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return false;
    out = v;
    return true;
}

void Bool(const Group& g, const char* key, bool& out) {
    int v = 0;
    if (Int(g, key, 0, 1, v)) out = v != 0;
}

}  // namespace

AppSettings ParseSettings(std::string_view text) {
    AppSettings s;
    const auto groups = Groups(text);
    if (auto it = groups.find(kRecentGroup); it != groups.end()) {
        for (int i = 1; i <= kRecentFileCount; ++i) {
            auto f = it->second.find("file" + std::to_string(i));
            if (f == it->second.end() || !IsPath(f->second)) continue;
            bool seen = false;
            for (const std::string& r : s.recentFiles) seen = seen || r == f->second;
            if (!seen) s.recentFiles.push_back(f->second);
        }
    }
    auto it = groups.find(kLayoutGroup);
    if (it == groups.end()) return s;
    const Group& g = it->second;
    Int(g, "PaneSize", kMinPaneSize, kMaxScreenCoordinate, s.paneSize);
    if (auto side = g.find("PaneSide"); side != g.end()) {
        for (int i = 0; i < 4; ++i)
            if (side->second == kSideNames[i]) s.paneSide = static_cast<PaneSide>(i);
    }
    Bool(g, "PaneShown", s.paneShown);
    WindowPlace w;
    if (Int(g, "WindowX", -kMaxScreenCoordinate, kMaxScreenCoordinate, w.x) &&
        Int(g, "WindowY", -kMaxScreenCoordinate, kMaxScreenCoordinate, w.y) &&
        Int(g, "WindowWidth", kMinWindowSize, kMaxScreenCoordinate, w.width) &&
        Int(g, "WindowHeight", kMinWindowSize, kMaxScreenCoordinate, w.height)) {
        w.known = true;
        s.window = w;
    }
    Bool(g, "Maximised", s.maximised);
    Bool(g, "MultipleGraphs", s.multipleGraphs);
    if (auto f = g.find("LastFolder"); f != g.end() && IsPath(f->second)) s.lastFolder = f->second;
    return s;
}

std::string SettingsText(const AppSettings& s) {
    std::string t = std::string("[") + kRecentGroup + "]\n";
    int n = 0;
    for (const std::string& f : s.recentFiles) {
        if (n == kRecentFileCount) break;
        if (IsPath(f)) t += "file" + std::to_string(++n) + "=" + Escape(f) + "\n";
    }
    t += std::string("[") + kLayoutGroup + "]\n";
    if (s.paneSize >= kMinPaneSize) t += "PaneSize=" + std::to_string(s.paneSize) + "\n";
    t += std::string("PaneSide=") + kSideNames[static_cast<int>(s.paneSide)] + "\n";
    t += std::string("PaneShown=") + (s.paneShown ? "1" : "0") + "\n";
    if (s.window.known) {
        t += "WindowX=" + std::to_string(s.window.x) + "\nWindowY=" + std::to_string(s.window.y) +
             "\nWindowWidth=" + std::to_string(s.window.width) + "\nWindowHeight=" + std::to_string(s.window.height) +
             "\n";
    }
    t += std::string("Maximised=") + (s.maximised ? "1" : "0") + "\n";
    t += std::string("MultipleGraphs=") + (s.multipleGraphs ? "1" : "0") + "\n";
    if (IsPath(s.lastFolder)) t += "LastFolder=" + Escape(s.lastFolder) + "\n";
    return t;
}

AppSettings LoadSettings(const std::string& path) {
    std::string text;
    if (platform::ReadFileUpTo(path, kMaxSettingsBytes, text) != platform::ReadStatus::Ok) return {};
    return ParseSettings(text);
}

bool SaveSettings(const std::string& path, const AppSettings& settings, std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec) {
            if (error) *error = ec.message();
            return false;
        }
    }
    return platform::SafeReplaceFile(path, SettingsText(settings), error);
}

}  // namespace document
