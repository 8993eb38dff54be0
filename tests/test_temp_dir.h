// A fresh folder under the system's temporary folder for one test, removed
// (with everything in it) at the end.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace tavro_test {

class TempDir {
public:
    explicit TempDir(const std::string& prefix = "tavro") {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "_XXXXXX")).string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        char* made = ::mkdtemp(buf.data());
        path_ = made ? std::filesystem::path(made) : std::filesystem::path();
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) {
            std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
            std::filesystem::remove_all(path_, ec);
        }
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of name inside the folder.
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    // The names of the files in the folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(path_)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::filesystem::path path_;
};

}  // namespace tavro_test
