#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/NumText.h"
#include "platform/Random.h"
#include "test_temp_dir.h"
#include "tests/support/FileSizeLimit.h"

using namespace platform;

TEST(Platform, RandomMatchesFifteenBitGenerator) {
    CModelRandom r(1);
    // The classic sequence for seed 1.
    const int want[] = {41, 18467, 6334, 26500, 19169};
    for (int w : want) EXPECT_EQ(r.Next(), w);
    CModelRandom big(0xFFFFFFFFu);
    for (int i = 0; i < 10000; ++i) {
        double u = big.Uniform();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
}

TEST(Platform, NumberTextIgnoresLocale) {
    // Under a locale with a decimal comma (the test command generates one).
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
    char plain[32];
    std::snprintf(plain, sizeof plain, "%g", 0.85);
    EXPECT_STREQ(plain, "0,85");  // the locale really has a decimal comma
    EXPECT_EQ(Format("%g", 0.85), "0.85");
    EXPECT_EQ(Format("%.4f", 2.5), "2.5000");
    EXPECT_EQ(Format("%e", 1e-200), "1.000000e-200");
    EXPECT_EQ(Format("%.1f", 0.25), "0.2");  // ties round to even
    double d = 0;
    EXPECT_TRUE(ScanDouble("0.85", d));
    EXPECT_EQ(d, 0.85);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Platform, ScanPrefixRules) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"12abc", true, 12}, {"  -3.5e2x", true, -350}, {"+7", true, 7}, {"\t0.5", true, 0.5},
        {"abc", false, 0}, {"", false, 0}, {"-", false, 0}, {".5", true, 0.5},
    };
    for (const auto& c : cases) {
        double v = -1;
        EXPECT_EQ(ScanDouble(c.text, v), c.ok) << c.text;
        if (c.ok) EXPECT_EQ(v, c.value) << c.text;
        else EXPECT_EQ(v, -1) << c.text;
    }
    int i = 0;
    EXPECT_TRUE(ScanInt(" 42.9", i));
    EXPECT_EQ(i, 42);
    EXPECT_EQ(LeadingInt("x", -999), -999);
    float f = 0;
    EXPECT_TRUE(ScanFloat("1.005", f));
    EXPECT_EQ(f, 1.005f);
    EXPECT_EQ(Format("%.4f", 3.0), "3.0000");
}

TEST(Platform, SplitLinesAcceptsEveryLineEnd) {
    auto lines = SplitLines("a\r\nb\rc\nd");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "c");
    EXPECT_EQ(lines[3], "d");
    EXPECT_EQ(SplitLines("x\n\ny\n").size(), 3u);
}

TEST(Platform, SafeReplaceKeepsOldFileOnFailure) {
    tavro_test::TempDir dir;
    const std::string path = dir / "CustomLib";
    ASSERT_TRUE(WriteWholeFile(path, "old contents"));
    ASSERT_TRUE(SafeReplaceFile(path, "new contents"));
    std::string got;
    ASSERT_TRUE(ReadWholeFile(path, got));
    EXPECT_EQ(got, "new contents");

    // Into a folder that does not exist: refused, error reported.
    std::string err;
    EXPECT_FALSE(SafeReplaceFile((dir.Path() / "missing" / "x").string(), "data", &err));
    EXPECT_FALSE(err.empty());

    // The disk fills up before the new contents are all written: the old
    // file keeps every byte.
    {
        tavro_test::FileSizeLimit full(4096);
        if (!full.Applied()) GTEST_SKIP() << "cannot set a file-size limit";
        err.clear();
        EXPECT_FALSE(SafeReplaceFile(path, std::string(64 * 1024, 'x'), &err));
        EXPECT_FALSE(err.empty());
    }
    ASSERT_TRUE(ReadWholeFile(path, got));
    EXPECT_EQ(got, "new contents");

    // A folder in the file's place cannot be replaced, and is kept.
    const std::filesystem::path folder = dir.Path() / "Taken";
    std::filesystem::create_directories(folder / "inside");
    err.clear();
    EXPECT_FALSE(SafeReplaceFile(folder.string(), "data", &err));
    EXPECT_NE(err.find("Taken"), std::string::npos) << err;
    EXPECT_TRUE(std::filesystem::is_directory(folder / "inside"));

    // No temporary file is left behind.
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"CustomLib", "Taken"}));
}

TEST(Platform, OnceMessagesShowEachTextOncePerSolve) {
    RecordingMessages rec;
    OnceMessages once(&rec);
    once.Begin();
    for (int i = 0; i < 1000; ++i) once.ShowOnce("water content is negative");
    once.ShowOnce("other");
    EXPECT_EQ(rec.Entries().size(), 2u);
    once.Begin();
    once.ShowOnce("other");
    EXPECT_EQ(rec.Entries().size(), 3u);
    rec.QueueAnswer(MsgResult::No);
    EXPECT_EQ(once.Show("Ask?", MsgIcon::Question, MsgButtons::YesNo), MsgResult::No);
    EXPECT_EQ(rec.Entries().back().icon, MsgIcon::Question);
}
