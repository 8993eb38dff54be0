// Reader and writer of delimited text files: one record per line, fields
// split at a delimiter (TAB unless changed), and an optional table of column
// names matched against a header line so that callers address fields by
// column number whatever the order of the columns in the file.
//
// The reader keeps one current record (the line as read or built, and its
// fields). It opens the file only for the length of an operation: every
// operation that opens the file closes it again, except Open itself, which
// leaves it open for the caller's ReadLine / WriteText / WriteLine / Tell /
// CopyRange calls until Close.
//
// Numbers are read and written in the C numeric locale (platform/NumText.h)
// and in single precision, rounded half up (floor(x + 0.5)).
//
// Numbering: field numbers and column numbers are 1-based; GetColumnName
// alone takes a 0-based index. A field number outside 1..GetFieldCount()
// reads as the empty text; a write to a field number outside 1..maxFields
// (for example to a column the file lacks, field 0) is dropped.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace oillib {

// Byte offset in a file.
using FileOffset = std::int64_t;

// Result codes of the reader (and of the oil library).
inline constexpr int kResultOk = 0;
// End of file at the start of a line (ReadLine), or an open, seek, read or
// write failure.
inline constexpr int kResultFailed = -1;
// A line longer than the line buffer, or no file open for the operation.
inline constexpr int kResultTooLong = -2;
// The file does not exist (Open).
inline constexpr int kResultMissing = -43;
// The reader has no buffers (made without a path).
inline constexpr int kResultNoBuffers = -108;

// The value of a number that is absent or unreadable.
inline constexpr float kMissingNumber = -999.0f;

class CMyFileReader {
public:
    static constexpr int kDefaultLineLength = 4096;  // a line holds at most 4095 bytes with its line end
    static constexpr int kDefaultMaxFields = 256;
    static constexpr int kDefaultIoBufferSize = 0x8000;
    static constexpr char kDefaultDelimiter = '\t';

    // columnNames (not owned, must outlive the reader) holds columnCount
    // names; without it a column number is the field number. A positive
    // ioBufferSize, lineLength or maxFields replaces the default. A reader
    // made with an empty path has no buffers: Open gives -108.
    explicit CMyFileReader(std::filesystem::path path);
    CMyFileReader(std::filesystem::path path, const char* const* columnNames, int columnCount);
    CMyFileReader(std::filesystem::path path, const char* const* columnNames, int columnCount,
                  int ioBufferSize, int lineLength, int maxFields);
    ~CMyFileReader();
    CMyFileReader(const CMyFileReader&) = delete;
    CMyFileReader& operator=(const CMyFileReader&) = delete;

    // ---- Whole operations (each opens and closes the file) ----

    // Reads line n (1-based) as the column-name line and maps the columns.
    // -2 when the reader has no column table.
    int ReadColumnLine(int n);
    int ReadColumnNames() { return ReadColumnLine(2); }
    // Reads and splits the one line that starts at offset. A negative
    // offset returns 0 and reads nothing: the previous record stays
    // current, so 0 does not prove that a record was read.
    int ReadRecordAt(FileOffset offset);
    // Appends the current fields as one line at the end of the file (a line
    // end first when the last line has none). -2 and the file untouched
    // when the record is too long for one line.
    int AppendLine();
    // Creates or truncates the file: 0, or -1 when it cannot be created.
    int CreateEmpty();
    // Deletes the file: 0 on success, else -1.
    int RemoveFile();

    // ---- The file ----

    const std::filesystem::path& GetPath() const { return path_; }
    char GetDelimiter() const { return delimiter_; }
    void SetDelimiter(char delimiter) { delimiter_ = delimiter; }

    // Opens the file in binary mode, read-only or for update. offset > 0:
    // positioned there; offset < 0: at the end; 0: at the start.
    // -108 no buffers, -43 the file does not exist, -1 open or seek failure
    // (no file is left open after a failure).
    int Open(bool readOnly, FileOffset offset);
    // Closes the file if open: 0, or -1 when the close reported a failure
    // (buffered bytes not written).
    int Close();
    bool IsOpen() const { return file_ != nullptr; }
    // Current byte position of the open file, -1 when none is open.
    FileOffset Tell() const;
    // Byte offset of the current line: set by Open, advanced by callers that
    // scan. -1 before the first Open.
    FileOffset GetPosition() const { return position_; }
    void SetPosition(FileOffset position) { position_ = position; }

    // Reads one line into the line buffer, line end included: CR LF, LF CR,
    // CR CR and LF LF each close one line, and so does a lone CR or LF.
    // A last line without line end is a normal line. -1 at end of file
    // before any byte, -2 when the line does not fit the line buffer
    // (lineLength - 1 bytes with its line end) or no file is open.
    int ReadLine(bool split);
    // Writes text as it is at the current position: 0, -1 on a failed
    // write, -2 when no file is open.
    int WriteText(std::string_view text);
    // Writes the current line (after JoinFields when join is set): 0 and
    // nothing written when the record has no fields, -1 on a failed write,
    // -2 when no file is open or the joined line would be too long (then
    // nothing is written).
    int WriteLine(bool join);
    // Copies the bytes [from, to) of this file to the destination's current
    // position; a negative from is 0, a negative to is the end of the file.
    // Both files must be open. -1 on any failure, including a range that
    // runs past the end of this file.
    int CopyRange(CMyFileReader& destination, FileOffset from, FileOffset to);
    // Reads at most min(count, ioBufferSize) bytes into the block buffer;
    // the number read, 0 when no file is open.
    int ReadBlock(int count);
    // Writes bytes to the open file; the number written, 0 when none is open.
    int WriteBlock(const char* bytes, int count);

    // ---- The current record ----

    // The current line: as read (line end included) or as built by
    // JoinFields.
    const std::string& GetLine() const { return line_; }
    // Bytes of the current line (line end included).
    int GetLineLength() const { return lineUsed_; }
    int GetFieldCount() const { return fieldCount_; }
    // Splits the current line into fields at the delimiter; the walk stops
    // at the first CR or LF. A trailing delimiter makes one more, empty,
    // field. At most maxFields fields are kept (further ones are dropped);
    // a line none of whose fields has text has no fields.
    void SplitLine();
    // Builds the column map from the current fields: for each column name,
    // the first field whose text equals it exactly (case-sensitive).
    void MapColumns();
    // Builds the line from the fields: field 1, delimiter, ... field n, then
    // the line end (CR LF). With no fields the line is the line end alone.
    // -2 and the line unchanged when the result would not fit the line
    // buffer; 0 otherwise.
    int JoinFields();
    // Size of the line buffer: a line holds one byte less, line end included.
    int GetLineBufferSize() const { return lineLength_; }
    // Line end written by JoinFields (CR LF).
    const std::string& GetLineEnd() const { return lineEnd_; }

    // Field number of column c: c itself without a column table, 0 for c
    // outside 1..columnCount, else the mapped field (0 when the header line
    // lacks the column).
    int ColumnToField(int column) const;
    // Name of column i + 1, empty without a table or out of range.
    std::string GetColumnName(int index) const;
    int GetColumnCount() const { return columnCount_; }

    // The text of field n; the empty text for an empty or absent field.
    // Valid until the record changes.
    const std::string& GetField(int n) const;
    bool IsFieldEmpty(int n) const { return GetField(n).empty(); }
    // Field n with every double quote removed, cut to 255 bytes (never
    // inside a UTF-8 character, see platform::CutToBytes).
    std::string GetFieldText(int n) const;
    // text with every double quote removed, cut to n bytes as
    // platform::CutToBytes cuts.
    static std::string WithoutQuotes(std::string_view text, size_t n);
    // GetFieldText in lower case (ASCII letters).
    std::string GetFieldTextLower(int n) const;
    // FormatNumber of field n.
    std::string GetFieldNumberText(int n, int decimals, float factor) const;
    // ParseRounded of field n: -999 when empty or unreadable.
    double GetFieldNumber(int n, int decimals, float factor) const;

    // Frees every field; no fields.
    void ClearFields();
    // Stores text (none = empty) as field n for n in 1..maxFields; fields
    // between the old count and n are added empty. Other n: dropped.
    // A TAB, CR, LF or the delimiter inside the text becomes a blank, so
    // that a field can never break the line.
    void SetFieldBuffer(std::optional<std::string> text, int n);
    // Stores a copy of text as field n (an empty text empties the field),
    // with the blanks of SetFieldBuffer.
    void SetFieldText(std::string_view text, int n);
    // Reads text as a single-precision number; an empty, unreadable or -999
    // text, or a product that is not a finite float, empties field n; else
    // value x factor is stored written with "%g".
    void SetFieldScaled(std::string_view text, int n, float factor);

    // ---- Numbers (single precision, C locale, half-up rounding) ----

    // d >= 0: FormatFixed(ParseRounded(text, d, factor), d), empty for -999.
    // d < 0: the text read as a number, times factor, written with "%g";
    // empty for an empty, unreadable or -999 text or a product that is not
    // a finite float.
    static std::string FormatNumber(std::string_view text, int decimals, float factor);
    // -999 for an empty, unreadable or -999 text (or a result that is not a
    // finite number); else Round(value x factor x 10^d) / 10^d.
    static float ParseRounded(std::string_view text, int decimals, float factor);
    // Round(value x 10^d) / 10^d written with d decimals in fixed notation.
    static std::string FormatFixed(float value, int decimals);
    // floor(x + 0.5).
    static float Round(float x);
    // The text read as a finite single-precision number (scanf "%f" prefix
    // rules); none when it cannot be read.
    static std::optional<float> ScanNumber(std::string_view text);
    // 10^d in single precision.
    static float PowerOfTen(int decimals);

    // Why the last failing operation failed, in plain words (empty when
    // nothing was recorded).
    const std::string& GetErrorText() const { return errorText_; }

    // Identity and state of a file on disk: a file rewritten through a
    // rename gets a new inode, an edited one a new size or time.
    struct SFileStamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t mtimeSec = 0;
        std::int64_t mtimeNsec = 0;
        bool operator==(const SFileStamp&) const = default;
    };
    // The stamp of the file at path, none when it does not exist.
    static std::optional<SFileStamp> StampPath(const std::filesystem::path& path);

protected:
    void SetErrorText(std::string text) { errorText_ = std::move(text); }
    // The stamp of the file open now, none when no file is open.
    std::optional<SFileStamp> StampOpenFile() const;
    // True when the last ReadLine that returned -1 met a read error rather
    // than the end of the file.
    bool LastReadFailed() const { return readError_; }

    // The current record, to be put back after a scan that reads through
    // this reader.
    struct SRecordCopy {
        std::string line;
        std::vector<std::optional<std::string>> fields;
        int fieldCount = 0;
        int lineUsed = 0;
    };
    SRecordCopy CopyRecord() const { return {line_, fields_, fieldCount_, lineUsed_}; }
    void PutRecord(SRecordCopy record);

private:
    void Init(const char* const* columnNames, int columnCount, int ioBufferSize, int lineLength,
              int maxFields);
    int SeekTo(FileOffset offset);

    std::filesystem::path path_;
    const char* const* columnNames_ = nullptr;
    int columnCount_ = 0;
    int lineLength_ = kDefaultLineLength;
    int maxFields_ = kDefaultMaxFields;
    int ioBufferSize_ = kDefaultIoBufferSize;
    char delimiter_ = kDefaultDelimiter;
    FileOffset position_ = -1;
    int lineUsed_ = 0;
    int fieldCount_ = 0;
    bool hasBuffers_ = false;
    std::vector<int> columnMap_;  // empty: no map
    bool hasColumnMap_ = false;
    std::vector<std::optional<std::string>> fields_;
    std::string line_;
    std::string lineEnd_ = "\r\n";
    std::vector<char> streamBuffer_;  // the stream's own buffer
    std::vector<char> block_;         // block buffer of ReadBlock / CopyRange
    std::FILE* file_ = nullptr;
    bool readError_ = false;
    std::string errorText_;
};

}  // namespace oillib
