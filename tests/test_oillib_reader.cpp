#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "oillib/MyFileReader.h"
#include "test_oillib_helpers.h"

using namespace oillib;
using oillib_test::ReadBytes;
using oillib_test::TempDir;
using oillib_test::WriteBytes;

namespace {

// Reads every line of bytes; the lines as read, then the code that ended
// the reading.
struct LinesRead {
    std::vector<std::string> lines;
    int end = 0;
};

LinesRead ReadAllLines(const TempDir& dir, const std::string& bytes) {
    auto path = dir / "lines.txt";
    WriteBytes(path, bytes);
    CMyFileReader r(path);
    LinesRead out;
    EXPECT_EQ(r.Open(true, 0), kResultOk);
    for (int guard = 0; guard < 100; ++guard) {
        int code = r.ReadLine(true);
        if (code != kResultOk) {
            out.end = code;
            break;
        }
        EXPECT_EQ(r.GetLineLength(), static_cast<int>(r.GetLine().size()));
        out.lines.push_back(r.GetLine());
    }
    r.Close();
    return out;
}

// A reader whose current record is the first line of bytes.
void LoadRecord(CMyFileReader& r, const std::filesystem::path& path, const std::string& bytes) {
    WriteBytes(path, bytes);
    ASSERT_EQ(r.ReadRecordAt(0), kResultOk);
}

}  // namespace

TEST(OilLibReader, ReadLineEndsAndPairs) {
    TempDir dir;
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"a\r\nb", {"a\r\n", "b"}},
        {"a\n\rb", {"a\n\r", "b"}},
        {"a\r\rb", {"a\r\r", "b"}},   // a pair of the same end closes one line
        {"a\n\nb", {"a\n\n", "b"}},
        {"a\rb", {"a\r", "b"}},
        {"a\n\n\nb", {"a\n\n", "\n", "b"}},
        {"a", {"a"}},                 // no line end: a normal last line
        {"", {}},
        {std::string("a\0b\tc\n", 6), {std::string("a\0b\tc\n", 6)}},
    };
    for (const auto& c : cases) {
        LinesRead got = ReadAllLines(dir, c.bytes);
        EXPECT_EQ(got.lines, c.lines) << "bytes: " << c.bytes;
        EXPECT_EQ(got.end, kResultFailed) << "bytes: " << c.bytes;
    }
}

TEST(OilLibReader, LineLengthLimit) {
    TempDir dir;
    // 4095 bytes with the line end fit the 4096-byte buffer.
    LinesRead fits = ReadAllLines(dir, std::string(4094, 'x') + "\n" + "next\n");
    ASSERT_EQ(fits.lines.size(), 2u);
    EXPECT_EQ(fits.lines[0].size(), 4095u);
    EXPECT_EQ(fits.end, kResultFailed);

    // One byte more does not.
    LinesRead tooLong = ReadAllLines(dir, std::string(4095, 'x') + "\n");
    EXPECT_TRUE(tooLong.lines.empty());
    EXPECT_EQ(tooLong.end, kResultTooLong);

    // 4095 bytes with no line end at the end of the file: a last line.
    LinesRead last = ReadAllLines(dir, std::string(4095, 'x'));
    ASSERT_EQ(last.lines.size(), 1u);
    EXPECT_EQ(last.end, kResultFailed);

    // 4094 bytes and CR LF: the LF does not fit and is read as an empty
    // line of its own; no byte is lost or written past the buffer.
    LinesRead pair = ReadAllLines(dir, std::string(4094, 'x') + "\r\n" + "b");
    ASSERT_EQ(pair.lines.size(), 3u);
    EXPECT_EQ(pair.lines[0], std::string(4094, 'x') + "\r");
    EXPECT_EQ(pair.lines[1], "\n");
    EXPECT_EQ(pair.lines[2], "b");
}

TEST(OilLibReader, SplitLineFields) {
    TempDir dir;
    auto path = dir / "rec.txt";
    CMyFileReader r(path);

    LoadRecord(r, path, "x\t\ty\n");
    EXPECT_EQ(r.GetFieldCount(), 3);
    EXPECT_EQ(r.GetField(1), "x");
    EXPECT_TRUE(r.IsFieldEmpty(2));
    EXPECT_EQ(r.GetField(3), "y");
    EXPECT_EQ(r.GetLineLength(), 5);
    EXPECT_EQ(r.GetField(0), "");
    EXPECT_EQ(r.GetField(4), "");

    LoadRecord(r, path, "a\t\r\n");  // a trailing delimiter adds an empty field
    EXPECT_EQ(r.GetFieldCount(), 2);
    EXPECT_EQ(r.GetLineLength(), 4);

    LoadRecord(r, path, "\r\n");
    EXPECT_EQ(r.GetFieldCount(), 0);
    EXPECT_EQ(r.GetLineLength(), 2);

    LoadRecord(r, path, "\t\t\n");  // no field has text: no fields
    EXPECT_EQ(r.GetFieldCount(), 0);

    // A NUL byte is an ordinary byte: the line length stays the bytes read.
    LoadRecord(r, path, std::string("a\0b\tc\n", 6));
    EXPECT_EQ(r.GetField(1), std::string("a\0b", 3));
    EXPECT_EQ(r.GetField(2), "c");
    EXPECT_EQ(r.GetLineLength(), 6);

    // More fields than the table holds: the first 256 are kept, and the
    // count never passes what is stored.
    std::string many;
    for (int i = 1; i <= 300; ++i) {
        if (i > 1) many += '\t';
        many += std::to_string(i);
    }
    LoadRecord(r, path, many + "\n");
    EXPECT_EQ(r.GetFieldCount(), 256);
    EXPECT_EQ(r.GetField(256), "256");
    EXPECT_EQ(r.GetField(257), "");
    EXPECT_EQ(r.GetField(300), "");

    // Quotes removed, cut at 255; lower case.
    LoadRecord(r, path, "\"Big\" Oil\t" + std::string(300, 'q') + "\tMiXeD Case\n");
    EXPECT_EQ(r.GetFieldText(1), "Big Oil");
    EXPECT_EQ(r.GetFieldText(2), std::string(255, 'q'));
    EXPECT_EQ(r.GetFieldTextLower(3), "mixed case");

    // A negative offset reads nothing and reports 0: the record stays.
    EXPECT_EQ(r.ReadRecordAt(-5), kResultOk);
    EXPECT_EQ(r.GetFieldText(1), "Big Oil");
}

TEST(OilLibReader, ColumnMap) {
    TempDir dir;
    static const char* const names[] = {"A", "B", "C", "D"};
    auto path = dir / "cols.txt";
    WriteBytes(path, "title line\r\nc\tB\tA\tX\tA\r\n1\t2\t3\t4\t5\r\n");
    CMyFileReader r(path, names, 4);
    EXPECT_EQ(r.ColumnToField(3), 3);  // no map yet: the column is the field
    ASSERT_EQ(r.ReadColumnNames(), kResultOk);
    EXPECT_EQ(r.ColumnToField(1), 3);  // first match wins
    EXPECT_EQ(r.ColumnToField(2), 2);
    EXPECT_EQ(r.ColumnToField(3), 0);  // "c" is not "C"
    EXPECT_EQ(r.ColumnToField(4), 0);  // missing
    EXPECT_EQ(r.ColumnToField(0), 0);
    EXPECT_EQ(r.ColumnToField(5), 0);
    EXPECT_EQ(r.GetColumnName(0), "A");
    EXPECT_EQ(r.GetColumnName(4), "");
    EXPECT_EQ(r.GetColumnName(-1), "");
    ASSERT_EQ(r.ReadRecordAt(23), kResultOk);  // line 3
    EXPECT_EQ(r.GetField(r.ColumnToField(1)), "3");
    EXPECT_EQ(r.GetField(r.ColumnToField(4)), "");  // a missing column reads empty

    CMyFileReader plain(path);
    EXPECT_EQ(plain.ReadColumnNames(), kResultTooLong);  // no table
    EXPECT_EQ(plain.ColumnToField(7), 7);
    EXPECT_EQ(plain.GetColumnName(0), "");
}

TEST(OilLibReader, NumbersInSinglePrecision) {
    // The same results whatever the numeric locale of the process.
    const char* current = std::setlocale(LC_ALL, nullptr);
    const std::string saved = current ? current : "C";
    for (const char* locale : {"C", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale)) continue;
        SCOPED_TRACE(locale);
        struct ParseCase {
            const char* text;
            int decimals;
            float factor;
            float want;
        };
        const ParseCase parse[] = {
            {"2.5", 0, 1, 3.0f},     {"-2.5", 0, 1, -2.0f},  // half up
            {"", 0, 1, -999.0f},     {"abc", 0, 1, -999.0f},  {"-999", 2, 1, -999.0f},
            {"1e-5", 5, 1, 1e-5f},   {" 12", 0, 1, 12.0f},    {"+3", 0, 1, 3.0f},
            {"12abc", 0, 1, 12.0f},  {"31.25", 1, 1, 31.3f},  {"0.85", 0, 1000, 850.0f},
            {"nan", 0, 1, -999.0f},  {"inf", 0, 1, -999.0f},  {"1e30", 10, 1, -999.0f},  // not finite
        };
        for (const auto& c : parse)
            EXPECT_EQ(CMyFileReader::ParseRounded(c.text, c.decimals, c.factor), c.want) << c.text;

        struct FixedCase {
            float value;
            int decimals;
            const char* want;
        };
        const FixedCase fixed[] = {
            {2.5f, 0, "3"},        {-2.5f, 0, "-2"},        {31.25f, 1, "31.3"}, {0.05f, 1, "0.1"},
            {1.0f, 3, "1.000"},    {288.15f, 6, "288.149994"},  // single precision, six decimals
            {-0.4f, 0, "0"},
        };
        for (const auto& c : fixed) EXPECT_EQ(CMyFileReader::FormatFixed(c.value, c.decimals), c.want) << c.value;

        EXPECT_EQ(CMyFileReader::FormatNumber("0.85", -1, 1000), "850");
        EXPECT_EQ(CMyFileReader::FormatNumber("0.85", 2, 100), "85.00");
        EXPECT_EQ(CMyFileReader::FormatNumber("123456789", -1, 1), "1.23457e+08");
        EXPECT_EQ(CMyFileReader::FormatNumber("", 1, 1), "");
        EXPECT_EQ(CMyFileReader::FormatNumber("abc", -1, 1), "");
        EXPECT_EQ(CMyFileReader::FormatNumber("-999", -1, 1), "");
        EXPECT_EQ(CMyFileReader::FormatNumber("1e38", -1, 1000), "");  // past single precision

        TempDir dir;
        auto path = dir / "n.txt";
        CMyFileReader r(path);
        r.SetFieldScaled("0.85", 1, 1000);
        r.SetFieldScaled("", 2, 1000);
        r.SetFieldScaled("abc", 3, 1000);
        r.SetFieldScaled("-999", 4, 1);
        r.SetFieldScaled("1e-5", 5, 1e6f);
        r.SetFieldScaled("0.1", 6, 3);
        r.SetFieldScaled("1e38", 7, 1000);  // would be "inf"
        EXPECT_EQ(r.GetField(1), "850");
        EXPECT_TRUE(r.IsFieldEmpty(2));
        EXPECT_TRUE(r.IsFieldEmpty(3));
        EXPECT_TRUE(r.IsFieldEmpty(4));
        EXPECT_EQ(r.GetField(5), "10");
        EXPECT_EQ(r.GetField(6), "0.3");  // 0.1f x 3 in single precision
        EXPECT_TRUE(r.IsFieldEmpty(7));
        EXPECT_EQ(r.GetFieldCount(), 7);
        EXPECT_EQ(r.GetFieldNumber(1, 0, 0.001f), 1.0);
        EXPECT_EQ(r.GetFieldNumber(2, 0, 1), -999.0);
        EXPECT_EQ(r.GetFieldNumberText(1, 1, 0.5f), "425.0");
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(OilLibReader, FieldSettersAndJoin) {
    TempDir dir;
    auto path = dir / "j.txt";
    CMyFileReader r(path);

    // A TAB, CR or LF inside a text would break the line: they become blanks.
    r.SetFieldText("a\tb\r\nc", 1);
    EXPECT_EQ(r.GetField(1), "a b  c");
    r.SetFieldText("b", 2);
    ASSERT_EQ(r.JoinFields(), kResultOk);
    EXPECT_EQ(r.GetLine(), "a b  c\tb\r\n");
    EXPECT_EQ(r.GetLineLength(), 10);

    // Out-of-range field numbers are dropped; a far field pads with empties.
    r.ClearFields();
    r.SetFieldText("x", 0);
    r.SetFieldText("x", 257);
    EXPECT_EQ(r.GetFieldCount(), 0);
    ASSERT_EQ(r.JoinFields(), kResultOk);
    EXPECT_EQ(r.GetLine(), "\r\n");
    r.SetFieldText("c", 3);
    r.SetFieldText("a", 1);
    ASSERT_EQ(r.JoinFields(), kResultOk);
    EXPECT_EQ(r.GetLine(), "a\t\tc\r\n");  // empty fields kept, no trailing TAB

    // A record too long for one line is refused, not cut.
    r.ClearFields();
    r.SetFieldText(std::string(4093, 'y'), 1);
    ASSERT_EQ(r.JoinFields(), kResultOk);
    EXPECT_EQ(r.GetLine().size(), 4095u);
    r.SetFieldText(std::string(4094, 'y'), 1);
    EXPECT_EQ(r.JoinFields(), kResultTooLong);
    EXPECT_EQ(r.GetLine().size(), 4095u);  // the line built before stays
    EXPECT_FALSE(r.GetErrorText().empty());

    // ... and WriteLine writes nothing then.
    WriteBytes(path, "old\r\n");
    ASSERT_EQ(r.Open(false, -1), kResultOk);
    EXPECT_EQ(r.WriteLine(true), kResultTooLong);
    EXPECT_EQ(r.Close(), kResultOk);
    EXPECT_EQ(ReadBytes(path), "old\r\n");
}

TEST(OilLibReader, OpenCreateRemoveAppend) {
    TempDir dir;
    auto path = dir / "f.txt";
    CMyFileReader r(path);
    EXPECT_EQ(r.Open(true, 0), kResultMissing);
    EXPECT_FALSE(r.IsOpen());
    EXPECT_EQ(r.CreateEmpty(), kResultOk);
    EXPECT_EQ(r.Open(true, 0), kResultOk);
    EXPECT_TRUE(r.IsOpen());
    EXPECT_EQ(r.ReadLine(true), kResultFailed);  // empty file
    r.Close();
    EXPECT_FALSE(r.IsOpen());
    EXPECT_EQ(r.ReadLine(false), kResultTooLong);  // no file open

    // A reader made without a path has no buffers.
    CMyFileReader none{std::filesystem::path()};
    EXPECT_EQ(none.Open(true, 0), kResultNoBuffers);

    // Appending after a last line without a line end adds the line end.
    WriteBytes(path, "h\r\nlast");
    r.ClearFields();
    r.SetFieldText("x", 1);
    r.SetFieldText("y", 2);
    EXPECT_EQ(r.AppendLine(), kResultOk);
    EXPECT_EQ(ReadBytes(path), "h\r\nlast\r\nx\ty\r\n");
    EXPECT_EQ(r.AppendLine(), kResultOk);
    EXPECT_EQ(ReadBytes(path), "h\r\nlast\r\nx\ty\r\nx\ty\r\n");
    // A record too long for one line leaves the file as it was, the line
    // end it would have needed included.
    WriteBytes(path, "h\r\nlast");
    r.SetFieldText(std::string(5000, 'z'), 3);
    EXPECT_EQ(r.AppendLine(), kResultTooLong);
    EXPECT_EQ(ReadBytes(path), "h\r\nlast");

    EXPECT_EQ(r.RemoveFile(), kResultOk);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_NE(r.RemoveFile(), kResultOk);
}

TEST(OilLibReader, CopyRangeIsByteExact) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 1000; ++i) bytes.push_back(static_cast<char>(i * 37 % 256));  // CR, LF, NUL, >= 0x80
    bytes += "\r\nend\n";
    auto src = dir / "src";
    auto dst = dir / "dst";
    WriteBytes(src, bytes);
    // A small block buffer makes the copy go in many blocks.
    CMyFileReader from(src, nullptr, 0, 7, 0, 0);
    CMyFileReader to(dst);

    struct Case {
        FileOffset a, b;
        std::string want;
        int code;
    };
    const std::vector<Case> cases = {
        {0, -1, bytes, kResultOk},
        {-3, 10, bytes.substr(0, 10), kResultOk},
        {13, 997, bytes.substr(13, 997 - 13), kResultOk},
        {500, 500, "", kResultOk},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(to.CreateEmpty(), kResultOk);
        ASSERT_EQ(from.Open(true, 0), kResultOk);
        ASSERT_EQ(to.Open(false, 0), kResultOk);
        EXPECT_EQ(from.CopyRange(to, c.a, c.b), c.code);
        from.Close();
        EXPECT_EQ(to.Close(), kResultOk);
        EXPECT_EQ(ReadBytes(dst), c.want) << c.a << ".." << c.b;
    }

    // A range past the end of the file is an error (a stale offset).
    ASSERT_EQ(from.Open(true, 0), kResultOk);
    ASSERT_EQ(to.Open(false, 0), kResultOk);
    EXPECT_EQ(from.CopyRange(to, 1000, static_cast<FileOffset>(bytes.size()) + 5), kResultFailed);
    from.Close();
    to.Close();
    // Both files must be open.
    EXPECT_EQ(from.CopyRange(to, 0, -1), kResultFailed);
}
