#include "oillib/MyFileReader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

#include "platform/NumText.h"
#include "platform/TextCut.h"

namespace oillib {

namespace {

const std::string kEmptyText;

bool IsLineEnd(int c) { return c == '\r' || c == '\n'; }

std::string SystemError() { return std::strerror(errno); }

}  // namespace

CMyFileReader::CMyFileReader(std::filesystem::path path) : path_(std::move(path)) {
    Init(nullptr, 0, 0, 0, 0);
}

CMyFileReader::CMyFileReader(std::filesystem::path path, const char* const* columnNames, int columnCount)
    : path_(std::move(path)) {
    Init(columnNames, columnCount, 0, 0, 0);
}

CMyFileReader::CMyFileReader(std::filesystem::path path, const char* const* columnNames, int columnCount,
                             int ioBufferSize, int lineLength, int maxFields)
    : path_(std::move(path)) {
    Init(columnNames, columnCount, ioBufferSize, lineLength, maxFields);
}

CMyFileReader::~CMyFileReader() { Close(); }

void CMyFileReader::Init(const char* const* columnNames, int columnCount, int ioBufferSize, int lineLength,
                         int maxFields) {
    position_ = -1;
    lineUsed_ = 0;
    fieldCount_ = 0;
    columnMap_.clear();
    hasColumnMap_ = false;
    lineLength_ = lineLength > 0 ? lineLength : kDefaultLineLength;
    // A line must hold at least one byte and its line end.
    lineLength_ = std::max(lineLength_, 4);
    maxFields_ = maxFields > 0 ? maxFields : kDefaultMaxFields;
    ioBufferSize_ = ioBufferSize > 0 ? ioBufferSize : kDefaultIoBufferSize;
    delimiter_ = kDefaultDelimiter;
    columnNames_ = columnNames;
    columnCount_ = columnNames ? std::max(columnCount, 0) : 0;
    hasBuffers_ = !path_.empty();
    if (hasBuffers_) {
        streamBuffer_.assign(static_cast<size_t>(ioBufferSize_), '\0');
        block_.assign(static_cast<size_t>(ioBufferSize_), '\0');
        line_.reserve(static_cast<size_t>(lineLength_));
    }
}

// ---- Whole operations ----

int CMyFileReader::ReadColumnLine(int n) {
    if (!columnNames_) return kResultTooLong;
    int r = Open(true, 0);
    if (r != kResultOk) return r;
    for (int i = 1; i < n && r == kResultOk; ++i) r = ReadLine(false);
    if (r == kResultOk) r = ReadLine(true);
    if (r == kResultOk) MapColumns();
    Close();
    return r;
}

int CMyFileReader::ReadRecordAt(FileOffset offset) {
    if (offset < 0) return kResultOk;
    int r = Open(true, offset);
    if (r != kResultOk) return r;
    r = ReadLine(true);
    Close();
    return r;
}

int CMyFileReader::AppendLine() {
    // Joined before the file is touched: a record too long for one line
    // leaves the file exactly as it was.
    if (fieldCount_ > 0) {
        int j = JoinFields();
        if (j != kResultOk) return j;
    }
    int r = Open(false, -1);
    if (r != kResultOk) return r;
    // A last line without a line end would take the new line in.
    if (position_ > 0 && fieldCount_ > 0) {
        int last = EOF;
        if (SeekTo(position_ - 1) == kResultOk) last = std::getc(file_);
        if (SeekTo(position_) != kResultOk) r = kResultFailed;
        if (r == kResultOk && !IsLineEnd(last)) r = WriteText(lineEnd_);
    }
    if (r == kResultOk) r = WriteLine(false);
    int c = Close();
    return r != kResultOk ? r : c;
}

int CMyFileReader::CreateEmpty() {
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (!f) {
        SetErrorText("cannot create " + path_.string() + ": " + SystemError());
        return kResultFailed;
    }
    return std::fclose(f) == 0 ? kResultOk : kResultFailed;
}

int CMyFileReader::RemoveFile() {
    Close();
    return std::remove(path_.c_str()) == 0 ? kResultOk : kResultFailed;
}

// ---- The file ----

int CMyFileReader::Open(bool readOnly, FileOffset offset) {
    if (!hasBuffers_) return kResultNoBuffers;
    Close();
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) return kResultMissing;
    if (S_ISDIR(st.st_mode)) {
        SetErrorText(path_.string() + " is a folder, not a file");
        return kResultFailed;
    }
    file_ = std::fopen(path_.c_str(), readOnly ? "rb" : "r+b");
    if (!file_) {
        SetErrorText("cannot open " + path_.string() + ": " + SystemError());
        return kResultFailed;
    }
    int r = kResultOk;
    if (std::setvbuf(file_, streamBuffer_.data(), _IOFBF, streamBuffer_.size()) != 0) r = kResultFailed;
    if (r == kResultOk) {
        if (offset > 0) {
            r = SeekTo(offset);
            position_ = offset;
        } else if (offset < 0) {
            if (::fseeko(file_, 0, SEEK_END) != 0) r = kResultFailed;
            position_ = ::ftello(file_);
            if (position_ < 0) r = kResultFailed;
        } else {
            position_ = 0;
        }
    }
    if (r != kResultOk) {
        std::fclose(file_);
        file_ = nullptr;
    }
    return r;
}

int CMyFileReader::Close() {
    if (!file_) return kResultOk;
    int r = std::fclose(file_) == 0 ? kResultOk : kResultFailed;
    file_ = nullptr;
    if (r != kResultOk) SetErrorText("cannot finish writing " + path_.string() + ": " + SystemError());
    return r;
}

FileOffset CMyFileReader::Tell() const {
    if (!file_) return -1;
    return ::ftello(file_);
}

int CMyFileReader::SeekTo(FileOffset offset) {
    if (!file_) return kResultTooLong;
    return ::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0 ? kResultOk : kResultFailed;
}

namespace {

CMyFileReader::SFileStamp StampOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::int64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
            static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
}

}  // namespace

std::optional<CMyFileReader::SFileStamp> CMyFileReader::StampPath(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return StampOf(st);
}

std::optional<CMyFileReader::SFileStamp> CMyFileReader::StampOpenFile() const {
    if (!file_) return std::nullopt;
    struct stat st {};
    if (::fstat(::fileno(file_), &st) != 0) return std::nullopt;
    return StampOf(st);
}

int CMyFileReader::ReadLine(bool split) {
    readError_ = false;
    if (!hasBuffers_ || !file_) return kResultTooLong;
    const size_t limit = static_cast<size_t>(lineLength_ - 1);
    line_.clear();
    bool ended = false;
    while (line_.size() < limit) {
        int c = std::getc(file_);
        if (c == EOF) break;
        line_.push_back(static_cast<char>(c));
        if (IsLineEnd(c)) {
            // The second character of a pair is taken only when it fits;
            // otherwise it is left for the next read, which then sees an
            // empty line.
            if (line_.size() < limit) {
                int d = std::getc(file_);
                if (IsLineEnd(d)) line_.push_back(static_cast<char>(d));
                else if (d != EOF) std::ungetc(d, file_);
            }
            ended = true;
            break;
        }
    }
    if (!ended) {
        if (std::ferror(file_)) {
            readError_ = true;
            SetErrorText("cannot read " + path_.string());
            lineUsed_ = 0;
            return kResultFailed;
        }
        if (line_.empty()) {
            lineUsed_ = 0;
            return kResultFailed;  // end of file
        }
        if (line_.size() >= limit) {
            int d = std::getc(file_);
            if (d != EOF) {
                std::ungetc(d, file_);
                SetErrorText("a line of " + path_.string() + " is longer than " + std::to_string(limit) +
                             " bytes");
                lineUsed_ = static_cast<int>(line_.size());
                return kResultTooLong;
            }
        }
    }
    lineUsed_ = static_cast<int>(line_.size());
    if (split) SplitLine();
    return kResultOk;
}

int CMyFileReader::WriteText(std::string_view text) {
    if (!file_) return kResultTooLong;
    if (text.empty()) return kResultOk;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
        SetErrorText("cannot write " + path_.string() + ": " + SystemError());
        return kResultFailed;
    }
    return kResultOk;
}

int CMyFileReader::WriteLine(bool join) {
    if (!hasBuffers_ || !file_) return kResultTooLong;
    if (fieldCount_ == 0) return kResultOk;
    if (join) {
        int r = JoinFields();
        if (r != kResultOk) return r;
    }
    return WriteText(line_);
}

int CMyFileReader::CopyRange(CMyFileReader& destination, FileOffset from, FileOffset to) {
    if (!file_ || !destination.file_) return kResultFailed;
    if (from < 0) from = 0;
    if (to < 0) {
        if (::fseeko(file_, 0, SEEK_END) != 0) return kResultFailed;
        to = ::ftello(file_);
        if (to < 0) return kResultFailed;
    }
    if (SeekTo(from) != kResultOk) return kResultFailed;
    FileOffset remaining = to - from;
    while (remaining > 0) {
        int want = static_cast<int>(std::min<FileOffset>(remaining, ioBufferSize_));
        int got = ReadBlock(want);
        // Nothing read while bytes remain: the range runs past the end of
        // the file (or the read failed).
        if (got <= 0) {
            SetErrorText("cannot read " + path_.string() + " up to byte " + std::to_string(to));
            return kResultFailed;
        }
        if (destination.WriteBlock(block_.data(), got) != got) {
            SetErrorText("cannot write " + destination.path_.string() + ": " + SystemError());
            return kResultFailed;
        }
        remaining -= got;
    }
    return kResultOk;
}

int CMyFileReader::ReadBlock(int count) {
    if (!file_ || block_.empty() || count <= 0) return 0;
    size_t n = std::min(static_cast<size_t>(count), block_.size());
    return static_cast<int>(std::fread(block_.data(), 1, n, file_));
}

int CMyFileReader::WriteBlock(const char* bytes, int count) {
    if (!file_ || count <= 0) return 0;
    return static_cast<int>(std::fwrite(bytes, 1, static_cast<size_t>(count), file_));
}

// ---- The current record ----

void CMyFileReader::SplitLine() {
    fields_.clear();
    const size_t n = line_.size();
    size_t i = 0;
    int walked = 0;
    bool anyText = false;
    for (;;) {
        size_t start = i;
        while (i < n && line_[i] != delimiter_ && !IsLineEnd(static_cast<unsigned char>(line_[i]))) ++i;
        ++walked;
        if (walked <= maxFields_) {
            if (i > start) {
                fields_.emplace_back(line_.substr(start, i - start));
                anyText = true;
            } else {
                fields_.emplace_back(std::nullopt);
            }
        }
        if (i < n && line_[i] == delimiter_) {
            ++i;
            continue;
        }
        break;
    }
    while (i < n && IsLineEnd(static_cast<unsigned char>(line_[i]))) ++i;
    lineUsed_ = static_cast<int>(i);
    if (!anyText) fields_.clear();
    fieldCount_ = static_cast<int>(fields_.size());
}

void CMyFileReader::MapColumns() {
    if (!columnNames_) return;
    columnMap_.assign(static_cast<size_t>(columnCount_), 0);
    for (int c = 0; c < columnCount_; ++c) {
        const char* name = columnNames_[c];
        if (!name) continue;
        for (int f = 1; f <= fieldCount_; ++f) {
            if (GetField(f) == name) {
                columnMap_[static_cast<size_t>(c)] = f;
                break;
            }
        }
    }
    hasColumnMap_ = true;
}

int CMyFileReader::JoinFields() {
    std::string joined;
    for (int f = 1; f <= fieldCount_; ++f) {
        if (f > 1) joined.push_back(delimiter_);
        joined += GetField(f);
    }
    joined += lineEnd_;
    if (joined.size() > static_cast<size_t>(lineLength_ - 1)) {
        SetErrorText("the record is " + std::to_string(joined.size()) + " bytes long; a line may hold at most " +
                     std::to_string(lineLength_ - 1) + " bytes with its line end");
        return kResultTooLong;
    }
    line_ = std::move(joined);
    lineUsed_ = static_cast<int>(line_.size());
    return kResultOk;
}

int CMyFileReader::ColumnToField(int column) const {
    if (!hasColumnMap_) return column;
    if (column < 1 || column > columnCount_) return 0;
    return columnMap_[static_cast<size_t>(column - 1)];
}

std::string CMyFileReader::GetColumnName(int index) const {
    if (!columnNames_ || index < 0 || index >= columnCount_ || !columnNames_[index]) return {};
    return columnNames_[index];
}

const std::string& CMyFileReader::GetField(int n) const {
    if (n < 1 || n > fieldCount_) return kEmptyText;
    const auto& f = fields_[static_cast<size_t>(n - 1)];
    return f ? *f : kEmptyText;
}

std::string CMyFileReader::WithoutQuotes(std::string_view text, size_t n) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '"') out.push_back(c);
    return platform::CutToBytes(out, n);
}

std::string CMyFileReader::GetFieldText(int n) const { return WithoutQuotes(GetField(n), 255); }

std::string CMyFileReader::GetFieldTextLower(int n) const {
    std::string out = GetFieldText(n);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string CMyFileReader::GetFieldNumberText(int n, int decimals, float factor) const {
    return FormatNumber(GetField(n), decimals, factor);
}

double CMyFileReader::GetFieldNumber(int n, int decimals, float factor) const {
    return static_cast<double>(ParseRounded(GetField(n), decimals, factor));
}

void CMyFileReader::ClearFields() {
    fields_.clear();
    fieldCount_ = 0;
}

void CMyFileReader::SetFieldBuffer(std::optional<std::string> text, int n) {
    if (n < 1 || n > maxFields_) return;
    if (fieldCount_ < n) {
        fields_.resize(static_cast<size_t>(n));
        fieldCount_ = n;
    }
    if (text && text->empty()) text.reset();
    // A TAB, CR, LF or delimiter inside a field would break the line.
    if (text)
        for (char& c : *text)
            if (c == '\t' || c == '\r' || c == '\n' || c == delimiter_) c = ' ';
    fields_[static_cast<size_t>(n - 1)] = std::move(text);
}

void CMyFileReader::SetFieldText(std::string_view text, int n) { SetFieldBuffer(std::string(text), n); }

void CMyFileReader::SetFieldScaled(std::string_view text, int n, float factor) {
    // An unreadable number gives the empty text, which empties the field.
    SetFieldText(FormatNumber(text, -1, factor), n);
}

void CMyFileReader::PutRecord(SRecordCopy record) {
    line_ = std::move(record.line);
    fields_ = std::move(record.fields);
    fieldCount_ = record.fieldCount;
    lineUsed_ = record.lineUsed;
}

// ---- Numbers ----

std::optional<float> CMyFileReader::ScanNumber(std::string_view text) {
    float v = 0;
    if (!platform::ScanFloat(text, v) || !std::isfinite(v)) return std::nullopt;
    return v;
}

float CMyFileReader::PowerOfTen(int decimals) { return static_cast<float>(std::pow(10.0, decimals)); }

float CMyFileReader::Round(float x) { return std::floor(x + 0.5f); }

float CMyFileReader::ParseRounded(std::string_view text, int decimals, float factor) {
    if (text.empty()) return kMissingNumber;
    std::optional<float> v = ScanNumber(text);
    if (!v || *v == kMissingNumber) return kMissingNumber;
    const float scale = PowerOfTen(decimals);
    float x = *v * factor;
    x = x * scale;
    float r = Round(x) / scale;
    if (!std::isfinite(r)) return kMissingNumber;
    return r;
}

std::string CMyFileReader::FormatFixed(float value, int decimals) {
    const float scale = PowerOfTen(decimals);
    float v = Round(value * scale) / scale;
    int precision = std::clamp(decimals, 0, 30);
    return platform::Format("%.*f", precision, static_cast<double>(v));
}

std::string CMyFileReader::FormatNumber(std::string_view text, int decimals, float factor) {
    if (decimals >= 0) {
        float v = ParseRounded(text, decimals, factor);
        if (v == kMissingNumber) return {};
        return FormatFixed(v, decimals);
    }
    if (text.empty()) return {};
    std::optional<float> v = ScanNumber(text);
    if (!v || *v == kMissingNumber) return {};
    float scaled = *v * factor;
    if (!std::isfinite(scaled)) return {};
    return platform::Format("%g", static_cast<double>(scaled));
}

}  // namespace oillib
