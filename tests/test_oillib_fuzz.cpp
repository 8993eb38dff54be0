#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "oillib/fuzz/FuzzBody.h"
#include "test_oillib_helpers.h"

// Inputs kept from the fuzz target (seeds and the cases it found) replay
// through the same run; a broken invariant aborts the test.
TEST(OilLibFuzzCases, ReplayKeptInputs) {
    const std::filesystem::path folder = std::string(TAVRO_TEST_DATA_DIR) + "/oillib/fuzz";
    oillib_test::TempDir scratch;
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string bytes = oillib_test::ReadBytes(entry.path());
        SCOPED_TRACE(entry.path().filename().string());
        oillib_fuzz::RunOnce(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), scratch.Path());
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}
