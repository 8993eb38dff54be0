// Where the program writes its files, and the safe way to replace one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// name inside folder; name alone (the current directory) for an empty folder.
std::string PathIn(const std::string& folder, std::string_view name);

// Writes contents completely to a temporary file beside path, flushes and
// syncs it, then renames it over path. On any failure path is untouched,
// the temporary file is removed, false is returned and error says why.
bool SafeReplaceFile(const std::string& path, std::string_view contents, std::string* error = nullptr);

// Writes a whole file directly (no temporary); false on any failure.
bool WriteWholeFile(const std::string& path, std::string_view contents, std::string* error = nullptr);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& contents);

enum class ReadStatus { Ok, Unreadable, TooLarge };
// Reads a whole file of at most maxBytes. A larger regular file is refused
// unread, and a device that never ends once maxBytes have come; contents
// is set only on Ok.
ReadStatus ReadFileUpTo(const std::string& path, std::size_t maxBytes, std::string& contents);

// Splits text into lines ended by CR, LF or CR LF (the ends are dropped).
std::vector<std::string> SplitLines(std::string_view text);

// Line end of every text file the program writes.
inline constexpr const char* kLineEnd = "\r\n";

// text with every '\n' replaced by lineEnd.
std::string WithLineEnds(std::string_view text, std::string_view lineEnd = kLineEnd);

bool FileExists(const std::string& path);

// Makes a write beyond the process's file-size limit fail (EFBIG) like any
// other failed write, so that the writer can report it, instead of ending
// the program with SIGXFSZ and leaving a cut-off file. Safe to call again.
void KeepRunningPastFileSizeLimit();

}  // namespace platform
