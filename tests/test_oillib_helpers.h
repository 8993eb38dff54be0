// Helpers of the oil library tests: a temporary folder and whole-file I/O.
#pragma once

#include "test_temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Files.h"

namespace oillib_test {

using tavro_test::TempDir;

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    platform::WriteWholeFile(path.string(), bytes);
}

// The bytes of the file; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::string bytes;
    platform::ReadWholeFile(path.string(), bytes);
    return bytes;
}

}  // namespace oillib_test
