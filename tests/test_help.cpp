#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <string>

#include "document/Paths.h"
#include "platform/Files.h"
#include "platform/Help.h"
#include "test_temp_dir.h"
#include "ui/common/rules/HelpTable.h"

namespace fs = std::filesystem;
using ui::HelpDialog;
using ui::HelpRowFor;
using ui::HelpRows;

namespace {

std::string BookFolder() { return (fs::path(TAVRO_BUILD_DATA_DIR).parent_path() / "res" / "hlp").string(); }

std::string Read(const std::string& path) {
    std::string text;
    platform::ReadWholeFile(path, text);
    return text;
}

// The "Local" targets of a contents or index file, without anchors.
std::set<std::string> LocalPages(const std::string& text) {
    std::set<std::string> out;
    const std::string key = "name=\"Local\" value=\"";
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
        const std::size_t start = at + key.size();
        const std::size_t end = text.find_first_of("\"#", start);
        out.insert(text.substr(start, end - start));
    }
    return out;
}

}  // namespace

TEST(Help, DefaultHelpIsReplaceableAndRecords) {
    platform::RecordingHelp recording;
    platform::SetDefaultHelp(&recording);
    platform::DefaultHelp().ShowTopic("output", "");
    platform::DefaultHelp().ShowTopic("output", "");
    platform::DefaultHelp().ShowContents();
    platform::SetDefaultHelp(nullptr);
    platform::DefaultHelp().ShowContents();  // the do-nothing default again
    ASSERT_EQ(recording.Calls().size(), 3u);
    EXPECT_EQ(recording.Calls()[1].page, "output");
    EXPECT_FALSE(recording.Calls()[1].contents);
    EXPECT_TRUE(recording.Calls()[2].contents);
}

TEST(Help, TableHasOneRowPerDialogInOrder) {
    ASSERT_EQ(HelpRows().size(), 23u);
    std::set<std::string> fragments;
    for (std::size_t i = 0; i < HelpRows().size(); ++i) {
        const ui::HelpRow& row = HelpRows()[i];
        SCOPED_TRACE(row.fragment);
        EXPECT_EQ(static_cast<std::size_t>(row.dialog), i);
        EXPECT_EQ(&HelpRowFor(row.dialog), &row);
        EXPECT_TRUE(fragments.insert(row.fragment).second) << "fragment used twice";
        EXPECT_EQ(std::string(row.caption).rfind("Help on ", 0), 0u);
    }
    EXPECT_STREQ(HelpRowFor(HelpDialog::Water).caption, "Help on Water Properties");
    EXPECT_STREQ(HelpRowFor(HelpDialog::SmokePlumeGraph).page, "in-situ_burning");
    EXPECT_STREQ(HelpRowFor(HelpDialog::SmokePlumeGraph).anchor, "GraphSmokePlume");
    EXPECT_STREQ(HelpRowFor(HelpDialog::CustomOils).anchor, "Adding");
    EXPECT_STREQ(HelpRowFor(HelpDialog::Fetch).page, "");  // the contents
}

TEST(Help, BookHoldsEveryPageAnchorAndFragment) {
    const std::string book = BookFolder();
    const std::string project = Read(book + "/" + ui::kHelpBookFile);
    const std::set<std::string> contents = LocalPages(Read(book + "/contents.hhc"));
    const std::set<std::string> index = LocalPages(Read(book + "/index.hhk"));
    ASSERT_FALSE(project.empty());
    EXPECT_NE(project.find("Contents file=contents.hhc"), std::string::npos);
    EXPECT_NE(project.find("Index file=index.hhk"), std::string::npos);
    EXPECT_NE(project.find("Default topic=index.html"), std::string::npos);

    for (const ui::HelpRow& row : HelpRows()) {
        SCOPED_TRACE(row.fragment);
        EXPECT_TRUE(platform::FileExists(book + "/brief/" + row.fragment + ".html"));
        if (*row.page == '\0') continue;
        const std::string page = std::string(row.page) + ".html";
        const std::string text = Read(book + "/" + page);
        EXPECT_FALSE(text.empty()) << page;
        if (*row.anchor) {
            EXPECT_NE(text.find(std::string("<a name=\"") + row.anchor + "\">"), std::string::npos);
        }
    }

    // Every page of the folder: lower case, in the project and the contents;
    // and everything the contents and index point at exists.
    for (const auto& entry : fs::directory_iterator(book)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".html") continue;
        SCOPED_TRACE(name);
        for (char c : name) EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c)));
        EXPECT_NE(project.find("\n" + name + "\n"), std::string::npos) << "not in the project";
        EXPECT_TRUE(contents.count(name)) << "not in the contents";
    }
    for (const std::string& target : contents) EXPECT_TRUE(platform::FileExists(book + "/" + target)) << target;
    for (const std::string& target : index) EXPECT_TRUE(platform::FileExists(book + "/" + target)) << target;
}

TEST(Help, BookFolderIsTheFirstThatHoldsTheBook) {
    tavro_test::TempDir dir;
    fs::create_directories(dir.Path() / "a");
    fs::create_directories(dir.Path() / "b");
    platform::WriteWholeFile(dir / "b/tavro2.hhp", "[OPTIONS]\n");
    EXPECT_EQ(document::FindHelpFolder({dir / "a", dir / "b"}), dir / "b");
    // None holds it: the first, to be named in the message.
    EXPECT_EQ(document::FindHelpFolder({dir / "a", dir / "c"}), dir / "a");
    EXPECT_EQ(document::FindHelpFolder({}), "");

    const auto candidates = document::HelpFolderCandidates("/opt/t2/bin/tavro2");
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(candidates.front(), "/opt/t2/share/tavro2/hlp");
    EXPECT_EQ(candidates.back(), BookFolder());
    const std::string cwd = document::CurrentDirectory();
    for (const std::string& c : candidates) EXPECT_NE(c, cwd + "/hlp");
    // The source tree's book is found when nothing is installed.
    EXPECT_EQ(document::FindHelpFolder({dir / "a", BookFolder()}), BookFolder());
}
