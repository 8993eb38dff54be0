#include "platform/Files.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

void SetError(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
}

bool WriteAll(int fd, std::string_view contents) {
    const char* p = contents.data();
    size_t left = contents.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

std::string DirOf(const std::string& path) {
    auto pos = path.find_last_of('/');
    if (pos == std::string::npos) return ".";
    if (pos == 0) return "/";
    return path.substr(0, pos);
}
}  // namespace

std::string PathIn(const std::string& folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string p = folder;
    if (p.back() != '/') p += '/';
    p += name;
    return p;
}

bool SafeReplaceFile(const std::string& path, std::string_view contents, std::string* error) {
    std::string tmp = path + ".tmpXXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        SetError(error, "cannot create a temporary file beside " + path);
        return false;
    }
    // Keep the permissions of the file being replaced.
    struct stat st{};
    if (::stat(path.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
    else ::fchmod(fd, 0644);

    bool ok = WriteAll(fd, contents);
    if (!ok) SetError(error, "cannot write " + tmp);
    if (ok && ::fsync(fd) != 0) {
        SetError(error, "cannot flush " + tmp);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        SetError(error, "cannot close " + tmp);
        ok = false;
    }
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
        SetError(error, "cannot rename " + tmp + " to " + path);
        ok = false;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    // Make the rename itself durable.
    int dfd = ::open(DirOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

bool WriteWholeFile(const std::string& path, std::string_view contents, std::string* error) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        SetError(error, "cannot create " + path);
        return false;
    }
    bool ok = WriteAll(fd, contents);
    if (!ok) SetError(error, "cannot write " + path);
    if (::close(fd) != 0 && ok) {
        SetError(error, "cannot close " + path);
        ok = false;
    }
    return ok;
}

bool ReadWholeFile(const std::string& path, std::string& contents) {
    return ReadFileUpTo(path, std::numeric_limits<std::size_t>::max(), contents) == ReadStatus::Ok;
}

ReadStatus ReadFileUpTo(const std::string& path, std::size_t maxBytes, std::string& contents) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return ReadStatus::Unreadable;
    struct stat st{};
    if (::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        std::fclose(f);
        return ReadStatus::TooLarge;
    }
    std::string out;
    char buf[65536];
    size_t n;
    ReadStatus status = ReadStatus::Ok;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        if (n > maxBytes - out.size()) {
            status = ReadStatus::TooLarge;
            break;
        }
        out.append(buf, n);
    }
    if (status == ReadStatus::Ok && std::ferror(f)) status = ReadStatus::Unreadable;
    std::fclose(f);
    if (status == ReadStatus::Ok) contents = std::move(out);
    return status;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string WithLineEnds(std::string_view text, std::string_view lineEnd) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += lineEnd;
        else out += c;
    }
    return out;
}

bool FileExists(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0;
}

void KeepRunningPastFileSizeLimit() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace platform
