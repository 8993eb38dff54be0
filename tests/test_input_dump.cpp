#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "document/InputDump.h"
#include "platform/Files.h"
#include "test_document_helpers.h"

using namespace document;
using document_test::TempDir;
using document_test::ZoneScope;

namespace {
constexpr Time kMonday = 1707141600;  // Mon 2024-02-05 14:00 UTC
}  // namespace

TEST(InputDump, StructureOfAFreshScenario) {
    ZoneScope utc("UTC");
    platform::FixedClock clock(kMonday);
    Scenario s(kMonday);
    s.PourPoint = "-3 deg C";
    const std::string text = FormatInputDump(s, 845.5, 2.5e-5, clock);

    // Every line ends in CR LF, and no LF stands alone.
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "at " << i;
        }
    }
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(lines.size(), 1345u);

    // The section lines, in order.
    const char* sections[] = {
        "          INPUT DATA FILE", "          ===============", "passed dialog flags",
        "emulsifiaction dialog variables", "wind and wave dialog variables", "variable wind",
        "continuous dialog variables", "cleanup dialogs variables", "...", "Oil", "Oil Tree Output Fields", "",
        "Input structures", "Input Water", "Input Wind and Wave", "Input Instant", "Input Boomed",
        "Input Continuous", "Input Tank", "Input Oil", "Input Uncertainty", "Input ...removal", "", "", "", ""};
    std::vector<std::string> found;
    for (const std::string& l : lines)
        if (l.rfind("  ", 0) != 0 && l.rfind("m_dBeachingAmount", 0) != 0) found.push_back(l);
    // (the two title lines start with blanks and are checked apart)
    std::vector<std::string> want(sections + 2, std::end(sections));
    EXPECT_EQ(found, want);
    EXPECT_EQ(lines[0], sections[0]);
    EXPECT_EQ(lines[1], sections[1]);

    auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    const char* samples[] = {
        "  Spill Time=Mon 05, 14:00",
        "  m_tVarWindTime[119]=Mon 05, 14:00",
        "  m_bWaterInputPassed=false",
        "  m_bEmulsDefault=true",
        "  m_dEmulsValue=-999",
        "  m_dVarWindSpeed[0]=-999",
        "  m_iVarWindNumber=0",
        "m_dBeachingAmount[5]=-999",
        "  m_dBurnRegRate=0.04",
        "  PourPoint=-3 deg C",
        "  salinity=32",
        "  InitialOil.rho0=845.5",
        "  InitialOil.visc0=2.5e-05",
        "  dist_volumeFrac=1",
        "  InputSkimmer.amount[4]=-999",
        "  SkimmerTime[4]=Mon 05, 14:00",
        "  InputBeached.volUnits=0",
        "  OilIndex=0",
    };
    for (const char* l : samples) EXPECT_TRUE(has(l)) << l;
    EXPECT_FALSE(has("  m_dPlumeLOC[0]=150"));  // the plume fields are not in the dump
    // The tail: a blank line before each of the last two values, two blank lines after.
    ASSERT_GE(lines.size(), 6u);
    const std::vector<std::string> tail(lines.end() - 6, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"", "  InputBeached.volUnits=0", "", "  OilIndex=0", "", ""}));
}

TEST(InputDump, TimesSurviveAbsurdValues) {
    ZoneScope utc("UTC");
    platform::FixedClock clock(0);
    EXPECT_EQ(FormatDumpTime(0, clock), "Thu 01, 00:00");
    // Far outside what local time can break down: no crash, some text.
    EXPECT_FALSE(FormatDumpTime(std::numeric_limits<Time>::max(), clock).empty());
    EXPECT_FALSE(FormatDumpTime(std::numeric_limits<Time>::min(), clock).empty());
}

TEST(InputDump, WritesIntoTheOutputFolderAndReportsFailure) {
    ZoneScope utc("UTC");
    platform::FixedClock clock(kMonday);
    TempDir tmp("tavro_dump");
    const std::filesystem::path& dir = tmp.Path();
    platform::RecordingMessages rec;
    Scenario s(kMonday);
    ASSERT_TRUE(WriteInputDump(s, 1, 2, clock, dir.string(), rec));
    std::string first;
    ASSERT_TRUE(platform::ReadWholeFile((dir / kInputDumpName).string(), first));
    // A second write replaces the file.
    ASSERT_TRUE(WriteInputDump(s, 1, 2, clock, dir.string(), rec));
    std::string second;
    ASSERT_TRUE(platform::ReadWholeFile((dir / kInputDumpName).string(), second));
    EXPECT_EQ(first, second);
    EXPECT_TRUE(rec.Entries().empty());

    EXPECT_FALSE(WriteInputDump(s, 1, 2, clock, (dir / "no such folder").string(), rec));
    ASSERT_EQ(rec.Entries().size(), 1u);
    EXPECT_EQ(rec.Entries()[0].text, "Core: Cannot create dump file");
    EXPECT_EQ(rec.Entries()[0].icon, platform::MsgIcon::None);
}
