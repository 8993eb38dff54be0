#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/fuzz/FuzzBody.h"
#include "test_document_helpers.h"

namespace {

const std::filesystem::path kDocumentData = std::string(TAVRO_TEST_DATA_DIR) + "/document";

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> out;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) out.push_back(entry.path());
    return out;
}

// The stored scenarios and the seeds kept beside the fuzz target's finds
// open whole and reach the model's load, so the fuzzer starts from files
// that go all the way.
TEST(ScenarioFuzzCases, SeedsOpenAndLoadTheModel) {
    std::vector<std::filesystem::path> seeds = FilesIn(kDocumentData);
    for (const auto& p : FilesIn(kDocumentData / "fuzz"))
        if (p.filename().string().starts_with("seed-")) seeds.push_back(p);
    ASSERT_GE(seeds.size(), 3u);
    for (const auto& p : seeds) {
        SCOPED_TRACE(p.filename().string());
        document_test::FakePorts ports(document_fuzz::kNow);
        document::SpillDocCore doc({}, ports.Ports());
        const bool opened = doc.OnOpenDocument(p.string());
        std::string said;
        for (const std::string& t : ports.messages.Texts()) said += t + "\n";
        ASSERT_TRUE(opened) << p.filename() << ": " << said;
        EXPECT_EQ(document::MissingInputsText(doc.scenario), "") << p.filename();
    }
}

// Every stored scenario and every input kept from the fuzz target runs
// through the same open path; a broken invariant aborts the test.
TEST(ScenarioFuzzCases, ReplayKeptInputs) {
    tavro_test::TempDir scratch;
    int replayed = 0;
    for (const auto& folder : {kDocumentData, kDocumentData / "fuzz"}) {
        for (const auto& p : FilesIn(folder)) {
            SCOPED_TRACE(p.filename().string());
            const std::string bytes = oillib_test::ReadBytes(p);
            document_fuzz::RunOnce(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), scratch.Path());
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 3);
}

}  // namespace
