// The program's settings file: what it keeps, and that a damaged or
// foreign file gives defaults instead of a failure.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "document/AppSettings.h"
#include "platform/Files.h"
#include "test_temp_dir.h"

using namespace document;

namespace {

AppSettings Everything() {
    AppSettings s;
    s.recentFiles = {"/data/new spill.tvr", "/data/ with space ", "/data/back\\slash \"q\".tvr", "/data/old.tvr"};
    s.paneSize = 512;
    s.paneSide = PaneSide::Right;
    s.paneShown = false;
    s.window = {-40, 30, 900, 700, true};
    s.maximised = false;
    s.multipleGraphs = true;
    s.lastFolder = "/home/responder/Spills";
    return s;
}

void ExpectSame(const AppSettings& a, const AppSettings& b) {
    EXPECT_EQ(a.recentFiles, b.recentFiles);
    EXPECT_EQ(a.paneSize, b.paneSize);
    EXPECT_EQ(a.paneSide, b.paneSide);
    EXPECT_EQ(a.paneShown, b.paneShown);
    EXPECT_EQ(a.window.known, b.window.known);
    if (a.window.known && b.window.known) {
        EXPECT_EQ(a.window.x, b.window.x);
        EXPECT_EQ(a.window.y, b.window.y);
        EXPECT_EQ(a.window.width, b.window.width);
        EXPECT_EQ(a.window.height, b.window.height);
    }
    EXPECT_EQ(a.maximised, b.maximised);
    EXPECT_EQ(a.multipleGraphs, b.multipleGraphs);
    EXPECT_EQ(a.lastFolder, b.lastFolder);
}

TEST(AppSettings, WhatIsSavedComesBack) {
    tavro_test::TempDir dir;
    const std::string path = (dir.Path() / "new folder" / "tavro2.conf").string();
    std::string error;
    ASSERT_TRUE(SaveSettings(path, Everything(), &error)) << error;
    ExpectSame(LoadSettings(path), Everything());
    // A file without its folder cannot be written, and says so.
    std::ofstream(dir.Path() / "blocker") << "a file";
    EXPECT_FALSE(SaveSettings((dir.Path() / "blocker" / "tavro2.conf").string(), Everything(), &error));
    EXPECT_FALSE(error.empty());
}

// The toolkit's own writer gave the recent files in this form before.
TEST(AppSettings, ReadsTheRecentFilesTheEarlierProgramWrote) {
    const AppSettings s = ParseSettings(
        "[RecentFiles]\r\nfile1=/a/one.tvr\r\nfile2=\"/a/ two.tvr\"\r\nfile3=/a/C:\\\\x.tvr\r\n");
    EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"/a/one.tvr", "/a/ two.tvr", "/a/C:\\x.tvr"}));
}

TEST(AppSettings, DamagedOrForeignFilesGiveDefaults) {
    static constexpr char kBinary[] = "\x00\xFF\xFE[Layout\x01]\n=\n\x80PaneSize=\x00[Layout]\x00PaneSize=300";
    struct Case {
        const char* name;
        std::string text;
        AppSettings expected;
    };
    AppSettings recentOnly;
    recentOnly.recentFiles = {"/ok.tvr"};
    AppSettings sizeOnly;
    sizeOnly.paneSize = 300;
    const Case cases[] = {
        {"empty", "", {}},
        {"binary", std::string(kBinary, sizeof kBinary - 1), {}},
        {"foreign ini", "[Desktop Entry]\nName=Other\nPaneSize=500\n", {}},
        {"no group", "PaneSize=400\nMaximised=0\n", {}},
        {"values out of range",
         "[Layout]\nPaneSize=5\nWindowX=0\nWindowY=0\nWindowWidth=10\nWindowHeight=600\nMaximised=7\n", {}},
        {"numbers with junk", "[Layout]\nPaneSize=300px\nPaneShown=yes\nMultipleGraphs=1.0\n", {}},
        {"huge number", "[Layout]\nPaneSize=99999999999999999999\n", {}},
        {"unknown side and relative folder", "[Layout]\nPaneSide=middle\nLastFolder=Documents\n", {}},
        {"relative, repeated and too many recent files",
         "[RecentFiles]\nfile1=/ok.tvr\nfile2=relative.tvr\nfile3=/ok.tvr\nfile9=/far.tvr\n", recentOnly},
        {"one good value among bad ones", "[Layout]\nPaneSize=300\nPaneSide=\nWindowX=abc\n[Layout\n", sizeOnly},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectSame(ParseSettings(c.text), c.expected);
    }
}

TEST(AppSettings, UnreadableOrOversizedFilesGiveDefaults) {
    tavro_test::TempDir dir;
    ExpectSame(LoadSettings((dir.Path() / "missing.conf").string()), {});
    ExpectSame(LoadSettings(dir.Path().string()), {});  // a folder
    const std::string big = (dir.Path() / "big.conf").string();
    ASSERT_TRUE(platform::WriteWholeFile(big, "[Layout]\nPaneSize=300\n" + std::string(200000, '#')));
    ExpectSame(LoadSettings(big), {});
}

}  // namespace
