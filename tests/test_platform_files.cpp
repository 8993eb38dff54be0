// Reading a file of bounded size: the limit holds for regular files (refused
// unread) and for devices without an end (refused once the limit is passed),
// and a refused read leaves the caller's text alone. The line ends of the
// text files the program writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "test_temp_dir.h"

namespace {

using platform::ReadFileUpTo;
using platform::ReadStatus;

TEST(ReadFileUpTo, TheLimitHoldsForFilesAndEndlessDevices) {
    tavro_test::TempDir dir;
    // Longer than one read buffer, so the limit is met across reads.
    const std::string text(70000, 'x');
    const std::string file = dir / "file";
    ASSERT_TRUE(platform::WriteWholeFile(file, text));

    struct Case {
        const char* name;
        std::string path;
        std::size_t maxBytes;
        ReadStatus status;
    };
    const Case cases[] = {
        {"under the limit", file, 100000, ReadStatus::Ok},
        {"exactly the limit", file, 70000, ReadStatus::Ok},
        {"one byte over the limit", file, 69999, ReadStatus::TooLarge},
        {"empty limit", file, 0, ReadStatus::TooLarge},
        {"missing file", dir / "none", 100000, ReadStatus::Unreadable},
        {"device without an end", "/dev/zero", 100000, ReadStatus::TooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.path.rfind("/dev/", 0) == 0 && !std::filesystem::exists(c.path)) continue;
        std::string contents = "kept";
        EXPECT_EQ(ReadFileUpTo(c.path, c.maxBytes, contents), c.status);
        EXPECT_EQ(contents, c.status == ReadStatus::Ok ? text : "kept");
    }
}

TEST(WithLineEnds, EveryLineFeedBecomesTheLineEnd) {
    struct Case {
        const char* name;
        const char* text;
        const char* lineEnd;
        const char* expected;
    };
    const Case cases[] = {
        {"empty", "", "\r\n", ""},
        {"no line feed", "a\tb", "\r\n", "a\tb"},
        {"lines", "a\nb\n", "\r\n", "a\r\nb\r\n"},
        {"blank lines", "\n\n", "\r\n", "\r\n\r\n"},
        {"a carriage return alone stays", "a\rb", "\r\n", "a\rb"},
        {"another line end", "a\nb", "|", "a|b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::WithLineEnds(c.text, c.lineEnd), c.expected);
    }
    EXPECT_EQ(platform::WithLineEnds("x\n"), "x\r\n");  // the program's own line end by default
}

}  // namespace
