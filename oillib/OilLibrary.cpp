#include "oillib/OilLibrary.h"

#include <algorithm>
#include <ctime>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/TextCut.h"

namespace oillib {

namespace {

using model::ELibTempUnit;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Bytes of the line that starts at pos in text, by the same rules as
// CMyFileReader::ReadLine with a buffer of limit + 1 bytes: 0 at the end of
// the text, -1 when the line does not fit.
std::int64_t LineBytesAt(std::string_view text, size_t pos, size_t limit) {
    const size_t n = text.size();
    size_t i = pos;
    while (i < n && i - pos < limit) {
        char c = text[i++];
        if (IsLineEnd(c)) {
            if (i - pos < limit && i < n && IsLineEnd(text[i])) ++i;
            return static_cast<std::int64_t>(i - pos);
        }
    }
    if (i - pos >= limit && i < n) return -1;
    return static_cast<std::int64_t>(i - pos);
}

// True when a line of the oils (line 3 or later) starts at offset in text,
// the lines counted from the start by the rules of ReadLine.
bool IsOilLineStart(std::string_view text, size_t offset, size_t limit) {
    if (offset >= text.size()) return false;
    size_t pos = 0;
    int lineNumber = 1;
    while (pos < offset) {
        std::int64_t n = LineBytesAt(text, pos, limit);
        if (n <= 0) return false;
        pos += static_cast<size_t>(n);
        ++lineNumber;
    }
    return pos == offset && lineNumber >= 3;
}

// Field k (1-based) of one line, split as CMyFileReader::SplitLine does.
std::string_view FieldOfLine(std::string_view line, int k, char delimiter) {
    if (k < 1) return {};
    size_t i = 0;
    int field = 1;
    for (;;) {
        size_t start = i;
        while (i < line.size() && line[i] != delimiter && !IsLineEnd(line[i])) ++i;
        if (field == k) return line.substr(start, i - start);
        if (i < line.size() && line[i] == delimiter) {
            ++i;
            ++field;
            continue;
        }
        return {};
    }
}

// Single precision, in the order written.
float ToKelvin(float v, ELibTempUnit unit) {
    switch (unit) {
        case ELibTempUnit::Celsius:
            return v + 273.15f;
        case ELibTempUnit::Fahrenheit:
            return (v - 32.0f) * 5.0f / 9.0f + 273.15f;
        default:
            return v;
    }
}

float FromKelvin(float v, ELibTempUnit unit) {
    switch (unit) {
        case ELibTempUnit::Celsius:
            return v - 273.15f;
        case ELibTempUnit::Fahrenheit:
            return (v - 273.15f) * 9.0f / 5.0f + 32.0f;
        default:
            return v;
    }
}

std::string Today() {
    platform::IClock& clock = platform::DefaultClock();
    std::tm t = clock.Local(clock.Now());
    char buf[32];
    size_t n = std::strftime(buf, sizeof buf, "%m/%d/%Y", &t);
    return std::string(buf, n);
}

}  // namespace

COilLibrary::COilLibrary(std::filesystem::path path) : CMyFileReader(std::move(path)) { Reset(); }

COilLibrary::COilLibrary(std::filesystem::path path, const char* const* columnNames, int columnCount)
    : CMyFileReader(std::move(path), columnNames, columnCount) {
    Reset();
}

COilLibrary::COilLibrary(std::filesystem::path path, const char* const* columnNames, int columnCount,
                         int ioBufferSize, int lineLength, int maxFields)
    : CMyFileReader(std::move(path), columnNames, columnCount, ioBufferSize, lineLength, maxFields) {
    Reset();
}

void COilLibrary::Reset() {
    if (!index_) index_ = std::make_unique<std::vector<SOilLibCell>>();
    index_->clear();
    hasIndex_ = false;
    indexStamp_.reset();
    version_.clear();
    date_.clear();
    if (!replace_) replace_ = platform::SafeReplaceFile;
}

void COilLibrary::SetReplaceFileFunction(ReplaceFileFunction replace) {
    replace_ = replace ? std::move(replace) : ReplaceFileFunction(platform::SafeReplaceFile);
}

std::filesystem::path COilLibrary::GetBackupPath() const {
    std::filesystem::path bak = GetPath();
    bak += ".bak";
    return bak;
}

// ---- The index ----

int COilLibrary::LoadIndex() {
    if (hasIndex_) {
        std::optional<SFileStamp> now = StampPath(GetPath());
        if (now && indexStamp_ && *now == *indexStamp_) return kResultOk;
    }
    SRecordCopy keep = CopyRecord();
    int r = ScanIndex();
    PutRecord(std::move(keep));
    return r;
}

int COilLibrary::ScanIndex() {
    version_.clear();
    date_.clear();
    std::vector<SOilLibCell> cells;
    cells.reserve(2000);

    // A missing file stays missing: whether its backup is put back is the
    // user's choice (ReadBackupInfo, RestoreBackup).
    int r = Open(true, 0);
    if (r == kResultMissing) SetErrorText(GetPath().string() + " does not exist");
    if (r == kResultNoBuffers) SetErrorText("the library was made without a file name");
    if (r == kResultOk) {
        std::optional<SFileStamp> stamp = StampOpenFile();
        const std::string name = GetPath().string();
        FileOffset offset = 0;
        r = ReadLine(true);
        if (r == kResultFailed && !LastReadFailed()) SetErrorText(name + " is empty");
        if (r == kResultOk) {
            offset += GetLineLength();
            r = ParseHeader();
            if (r != kResultOk)
                SetErrorText("line 1 of " + name + " does not end in the tag \"tavro\": it is not an oil library");
        }
        if (r == kResultOk) {
            r = ReadLine(true);
            if (r == kResultFailed && !LastReadFailed()) SetErrorText(name + " has no column-name line");
            if (r == kResultOk) {
                MapLibraryColumns();
                offset += GetLineLength();
            }
        }
        int lineNumber = 2;
        while (r == kResultOk) {
            r = ReadLine(true);
            ++lineNumber;
            if (r == kResultFailed && !LastReadFailed()) {
                r = kResultOk;  // the end of the file
                break;
            }
            if (r != kResultOk) break;
            if (GetFieldCount() > 0) {
                SetPosition(offset);
                SOilLibCell cell;
                ParseIndexCell(cell);
                cells.push_back(std::move(cell));
            }
            offset += GetLineLength();
        }
        if (r == kResultTooLong)
            SetErrorText("line " + std::to_string(lineNumber) + " of " + name + " is longer than " +
                         std::to_string(GetLineBufferSize() - 1) + " bytes");
        Close();
        if (r == kResultOk) indexStamp_ = stamp;
    }
    if (r != kResultOk) {
        index_->clear();
        hasIndex_ = false;
        indexStamp_.reset();
        return r;
    }
    cells.shrink_to_fit();
    *index_ = std::move(cells);
    hasIndex_ = true;
    return kResultOk;
}

std::optional<SBackupInfo> COilLibrary::ReadBackupInfo() const {
    COilLibrary backup(GetBackupPath());
    backup.SetDelimiter(GetDelimiter());
    if (backup.LoadIndex() != kResultOk) return std::nullopt;
    return SBackupInfo{backup.GetDate(), backup.GetIndex()->size()};
}

bool COilLibrary::IsFileEmpty() const {
    const std::optional<SFileStamp> stamp = StampPath(GetPath());
    return stamp && stamp->size == 0;
}

int COilLibrary::RestoreBackup() {
    SetErrorText("");
    const std::string path = GetPath().string();
    const std::filesystem::path bak = GetBackupPath();
    const std::optional<SFileStamp> stamp = StampPath(GetPath());
    if (stamp && stamp->size > 0) {
        SetErrorText(path + " exists; it is not replaced by its backup");
        return kResultFailed;
    }
    if (!ReadBackupInfo()) {
        SetErrorText(bak.string() + " does not hold an oil library");
        return kResultFailed;
    }
    std::string contents;
    if (!platform::ReadWholeFile(bak.string(), contents)) {
        SetErrorText("cannot read " + bak.string());
        return kResultFailed;
    }
    std::string error;
    if (!replace_(path, contents, &error)) {
        SetErrorText(path + " was not restored: " + (error.empty() ? std::string("the write failed") : error));
        return kResultFailed;
    }
    hasIndex_ = false;
    indexStamp_.reset();
    return LoadIndex();
}

int COilLibrary::ParseHeader() {
    version_ = CopyLimited(GetField(1), 63);
    date_ = CopyLimited(GetField(2), 63);
    return IsTag(GetField(3)) ? kResultOk : kResultNotLibrary;
}

void COilLibrary::ParseIndexCell(SOilLibCell& cell) const {
    if (GetFieldCount() == 0) return;
    cell.offset = GetPosition();
    cell.oilId = CopyLimited(GetField(ColumnToField(COL_OIL_ID)), 19);
    SplitNameSource(cell, GetField(ColumnToField(COL_OIL_NAME)));
    const int api = ColumnToField(COL_API);
    cell.apiText = CopyLimited(GetFieldNumberText(api, 1, 1.0f), 7);
    cell.apiKey = cell.apiText.empty() ? 9999.0f : ParseRounded(GetField(api), 1, 1.0f) * 10.0f;
    const int pourMin = ColumnToField(COL_POUR_POINT_MIN);
    const int pourMax = ColumnToField(COL_POUR_POINT_MAX);
    cell.pourTextC = CopyLimited(FormatRange(pourMin, pourMax, ELibTempUnit::Celsius, 0), 23);
    cell.pourTextF = CopyLimited(FormatRange(pourMin, pourMax, ELibTempUnit::Fahrenheit, 0), 23);
    cell.pourKeyC = PourPointKey(pourMin, pourMax, ELibTempUnit::Celsius, 0);
    cell.pourKeyF = PourPointKey(pourMin, pourMax, ELibTempUnit::Fahrenheit, 0);
    cell.location = WithoutQuotes(GetField(ColumnToField(COL_LOCATION)), 31);
}

void COilLibrary::SplitNameSource(SOilLibCell& cell, std::string_view text) {
    size_t comma = text.find(',');
    cell.name = WithoutQuotes(text.substr(0, comma), 31);
    cell.source.clear();
    if (comma == std::string_view::npos) return;
    std::string_view rest = text.substr(comma + 1);
    size_t i = 0;
    while (i < rest.size() && (rest[i] == ' ' || rest[i] == '"')) ++i;
    cell.source = WithoutQuotes(rest.substr(i), 15);
}

float COilLibrary::PourPointKey(int minField, int maxField, ELibTempUnit unit, int decimals) const {
    const std::string& m = GetField(minField);
    const std::string& M = GetField(maxField);
    const float scale = PowerOfTen(decimals);
    auto converted = [&](const std::string& text) -> std::optional<float> {
        float k = ParseRounded(text, decimals, 1.0f);
        if (k == kMissingNumber) return std::nullopt;
        return Round(FromKelvin(k, unit) * scale) / scale;
    };
    if (m.empty()) return 9999.0f;
    std::optional<float> v;
    float offset = 0.0f;
    if (m == "<") {
        v = converted(M);
        offset = -4.0f;
    } else if (m == ">") {
        v = converted(M);
        offset = 4.0f;
    } else if (M.empty() || m == M) {
        v = converted(m);
    } else {
        v = converted(m);
        offset = 2.0f;
    }
    // An unreadable value sorts with the empty ones.
    if (!v) return 9999.0f;
    return *v * 10.0f + offset;
}

std::string COilLibrary::CopyLimited(std::string_view source, size_t n) { return platform::CutToBytes(source, n); }

// ---- Temperatures ----

std::string COilLibrary::ConvertTemperatureText(ELibTempUnit target, std::string_view text, ELibTempUnit source,
                                                int decimals) {
    float v = ParseRounded(text, decimals, 1.0f);
    if (v == kMissingNumber) return {};
    float k = ToKelvin(v, source);
    return FormatFixed(FromKelvin(k, target), decimals);
}

std::string COilLibrary::FormatTemperatureField(int field, ELibTempUnit unit, int decimals) const {
    return ConvertTemperatureText(unit, GetField(field), ELibTempUnit::Kelvin, decimals);
}

std::string COilLibrary::FormatRange(int minField, int maxField, ELibTempUnit unit, int decimals) const {
    const std::string& m = GetField(minField);
    const std::string& M = GetField(maxField);
    const std::string cM = FormatTemperatureField(maxField, unit, decimals);
    if (m.empty()) return cM;
    if (m == "<") return "less than " + cM;
    if (m == ">") return "greater than " + cM;
    const std::string cm = FormatTemperatureField(minField, unit, decimals);
    if (M.empty() || m == M) return cm;
    if (cm.empty()) return cM;
    if (cM.empty()) return cm;
    return cm + " to " + cM;
}

void COilLibrary::SetTemperatureField(std::string_view text, int field, ELibTempUnit unit) {
    SetFieldText(ConvertTemperatureText(ELibTempUnit::Kelvin, text, unit, 6), field);
}

void COilLibrary::SetTemperatureRange(std::string_view text, int minField, int maxField, ELibTempUnit unit) {
    SetTemperatureField(text, minField, unit);
    SetTemperatureField(text, maxField, unit);
}

// ---- Records ----

int COilLibrary::CopyFieldsFrom(COilLibrary* source, FileOffset offset) {
    ClearFields();
    if (!source || offset <= 0) return kResultOk;
    int r = source->ReadRecordAt(offset);
    if (r != kResultOk) return r;
    std::vector<std::string> texts(static_cast<size_t>(kOilLibColumnCount));
    for (int c = 1; c <= kOilLibColumnCount; ++c)
        texts[static_cast<size_t>(c - 1)] = source->GetFieldText(source->ColumnToField(c));
    ClearFields();  // source may be this object
    for (int c = 1; c <= kOilLibColumnCount; ++c) SetFieldText(texts[static_cast<size_t>(c - 1)], ColumnToField(c));
    return kResultOk;
}

int COilLibrary::SaveRecord(FileOffset offset) { return RewriteLibrary(offset, false); }

int COilLibrary::DeleteRecord(FileOffset offset) {
    if (offset < 0) return kResultOk;
    return RewriteLibrary(offset, true);
}

std::vector<int> COilLibrary::CurrentColumnFields() const {
    std::vector<int> out;
    const int count = std::max(GetColumnCount(), kOilLibColumnCount);
    out.reserve(static_cast<size_t>(count));
    for (int c = 1; c <= count; ++c) out.push_back(ColumnToField(c));
    return out;
}

void COilLibrary::WriteHeaderLine(CMyFileReader& destination) const {
    destination.ClearFields();
    destination.SetFieldText("1.0", 1);
    destination.SetFieldText(Today(), 2);
    destination.SetFieldText(kLibraryTag, 3);
}

void COilLibrary::WriteColumnLine(CMyFileReader& destination) const {
    destination.ClearFields();
    for (int i = 0; i < GetColumnCount(); ++i) destination.SetFieldText(GetColumnName(i), i + 1);
}

int COilLibrary::RewriteLibrary(FileOffset offset, bool remove) {
    SetErrorText("");
    const std::string path = GetPath().string();
    const size_t limit = static_cast<size_t>(GetLineBufferSize() - 1);
    auto refuse = [this](std::string why) {
        SetErrorText(std::move(why));
        return kResultFailed;
    };

    // Only a new record (-1) or the start of a listed oil line is a place
    // to write; offset 0 is the header.
    if (offset != kNewRecord && offset <= 0) return refuse("the place given is not an oil of the library");
    if (remove && offset == kNewRecord) return refuse("no oil was given to remove");

    // The record to write, before anything reads the file.
    std::string record;
    if (!remove) {
        // A record without text would be a blank line, which is no oil.
        bool anyText = false;
        for (int f = 1; f <= GetFieldCount() && !anyText; ++f) anyText = !IsFieldEmpty(f);
        if (!anyText) return refuse("the oil record is empty");
        int r = JoinFields();
        if (r != kResultOk) return r;
        record = GetLine();
    }

    // The oil the caller means, from the index the offset came from.
    std::optional<SOilLibCell> target;
    if (offset != kNewRecord) {
        if (hasIndex_) {
            auto it = std::find_if(index_->begin(), index_->end(),
                                   [&](const SOilLibCell& c) { return c.offset == offset; });
            if (it != index_->end()) target = *it;
        }
        if (!target) return refuse("the place given is not the start of an oil of the library");
    }

    // Bring the index up to date when the file changed on disk since it
    // was loaded (another window or program rewrote it).
    const std::vector<int> fieldsBefore = CurrentColumnFields();
    std::optional<SFileStamp> stamp = StampPath(GetPath());
    const bool exists = stamp && stamp->size > 0;  // an empty file is made anew
    // The file the index was read from went missing or was emptied since,
    // and its backup holds oils: a file started now would replace that
    // backup at the next save. Whether to restore it is the user's choice.
    if (!exists && hasIndex_ && indexStamp_ && indexStamp_->size > 0 && ReadBackupInfo())
        return refuse(path + (stamp ? " was emptied" : " was removed") + " since its oils were listed, and " +
                      GetBackupPath().string() + " holds its previous copy; open the list again");
    bool headerOnly = !exists;
    std::string old;
    if (exists) {
        int loaded = kResultOk;
        if (!hasIndex_ || !indexStamp_ || *indexStamp_ != *stamp) loaded = LoadIndex();
        if (!platform::ReadWholeFile(path, old)) return refuse("cannot read " + path);
        std::int64_t n1 = LineBytesAt(old, 0, limit);
        if (loaded != kResultOk) {
            // A header line alone is a library with no column line yet.
            const bool onlyHeader = n1 > 0 && static_cast<size_t>(n1) == old.size() &&
                                    IsTag(FieldOfLine(std::string_view(old).substr(0, static_cast<size_t>(n1)), 3,
                                                      GetDelimiter()));
            if (!onlyHeader) return loaded;
            headerOnly = true;
        } else {
            // The bytes read must be the file the index describes.
            std::optional<SFileStamp> now = StampPath(GetPath());
            if (!now || !indexStamp_ || *now != *indexStamp_)
                return refuse(path + " changed while it was being saved; try again");
            if (!remove && CurrentColumnFields() != fieldsBefore)
                return refuse("the columns of " + path +
                              " changed since the oil was read; open the oil again before saving");
        }
        if (n1 < 0) return kResultTooLong;
        if (!headerOnly) headerOnly = static_cast<size_t>(n1) >= old.size();
    }

    // The oil must still be at that place.
    std::int64_t targetBytes = 0;
    if (target) {
        const std::string moved = "the oil \"" + target->name + "\" is no longer at that place in " + path +
                                  " (the library was changed elsewhere); open the list again";
        if (headerOnly) return refuse(moved);
        auto it = std::find_if(index_->begin(), index_->end(),
                               [&](const SOilLibCell& c) { return c.offset == offset; });
        if (it == index_->end() || it->oilId != target->oilId || it->name != target->name) return refuse(moved);
        if (!IsOilLineStart(old, static_cast<size_t>(offset), limit)) return refuse(moved);
        targetBytes = LineBytesAt(old, static_cast<size_t>(offset), limit);
        if (targetBytes <= 0) return refuse(moved);
        std::string_view line = std::string_view(old).substr(static_cast<size_t>(offset),
                                                             static_cast<size_t>(targetBytes));
        if (CopyLimited(FieldOfLine(line, ColumnToField(COL_OIL_ID), GetDelimiter()), 19) != target->oilId)
            return refuse(moved);
    }

    // The new file.
    CMyFileReader scratch(GetPath());
    scratch.SetDelimiter(GetDelimiter());
    WriteHeaderLine(scratch);
    if (scratch.JoinFields() != kResultOk) return kResultTooLong;
    std::string contents = scratch.GetLine();
    if (headerOnly) {
        if (GetColumnCount() > 0) {
            WriteColumnLine(scratch);
            int r = scratch.JoinFields();
            if (r != kResultOk) {
                SetErrorText(scratch.GetErrorText());
                return r;
            }
            contents += scratch.GetLine();
        }
    } else {
        std::int64_t n1 = LineBytesAt(old, 0, limit);
        size_t from = static_cast<size_t>(n1);
        size_t to = target ? static_cast<size_t>(offset) : old.size();
        contents.append(old, from, to - from);
    }
    if (!remove) {
        if (headerOnly && GetColumnCount() > 0) {
            // The new column line is in table order: so must the record be,
            // whatever the order of the file it was read from.
            std::vector<int> tableOrder(fieldsBefore.size());
            for (size_t i = 0; i < tableOrder.size(); ++i) tableOrder[i] = static_cast<int>(i + 1);
            if (fieldsBefore != tableOrder) {
                scratch.ClearFields();
                for (int c = 1; c <= GetColumnCount(); ++c) scratch.SetFieldText(GetField(ColumnToField(c)), c);
                int r = scratch.JoinFields();
                if (r != kResultOk) {
                    SetErrorText(scratch.GetErrorText());
                    return r;
                }
                record = scratch.GetLine();
            }
        }
        if (!contents.empty() && !IsLineEnd(contents.back())) contents += GetLineEnd();
        contents += record;
    }
    if (target) contents.append(old, static_cast<size_t>(offset + targetBytes), std::string::npos);

    // Keep the previous generation, then put the new file in place in one
    // step. A failed backup does not stop the save: the old file stays
    // untouched until the complete new one replaces it.
    if (exists) replace_(GetBackupPath().string(), old, nullptr);
    std::string error;
    if (!replace_(path, contents, &error))
        return refuse(path + " was not changed: " + (error.empty() ? std::string("the write failed") : error));

    hasIndex_ = false;
    indexStamp_.reset();
    return LoadIndex();
}

}  // namespace oillib
