// The scenario file (.tvr): the scenario's rows in a fixed order, with no
// header. Loading parses into a fresh Scenario and hands it over only when
// the whole file was read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/Scenario.h"

namespace document {

// Times a file may hold: 1900-01-01 to 3000-01-01 (UTC).
inline constexpr Time kEarliestFileTime = -2208988800LL;
inline constexpr Time kLatestFileTime = 32503680000LL;

std::vector<std::uint8_t> SaveScenario(const Scenario& s);

struct LoadResult {
    std::optional<Scenario> scenario;  // set on success only
    std::string error;                 // why it failed, without the file name
};
LoadResult LoadScenario(std::span<const std::uint8_t> bytes);

// A file longer than this is refused unread (the program's own files are
// about 11 KB; only the oil texts make them longer).
inline constexpr std::size_t kMaxScenarioFileBytes = 16u << 20;

// Reads the file; on failure error holds a message naming the file.
LoadResult LoadScenarioFile(const std::string& path);
// Writes beside the file and renames it over the old one; on failure the
// old file stays and error holds a message naming the file.
bool SaveScenarioFile(const std::string& path, const Scenario& s, std::string* error);

}  // namespace document
