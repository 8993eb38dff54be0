// One oil library file: the standard library "OilLib" (read-only) or the
// user's custom library "CustomLib" (rewritten on every save or removal).
//
// File format (TAB-delimited, 8-bit text):
//   line 1      version TAB date ("%m/%d/%Y") TAB the tag "tavro"
//   line 2      the column names of OilLibColumnNames, in any order
//   lines 3..   one oil per line; field k holds the column named by field k
//               of line 2; lines with no field text are skipped
// Cells are SI numbers as text (temperatures in kelvins); an empty cell
// has no value; "<" or ">" in a pour or flash point Min column mean less
// or greater than Max. Lines end in CR, LF or a pair of them when read;
// lines this class writes end in CR LF. A line holds at most 4095 bytes
// with its line end.
//
// How callers use it:
//   COilLibrary lib(path, OilLibColumnNames, kOilLibColumnCount);
//   int code = lib.LoadIndex();          // 0, or a code below
//   const auto* index = lib.GetIndex();  // nullptr: no index (load failed)
//   lib.ReadRecordAt(cell.offset);       // the oil's line becomes the record
//   lib.GetField(lib.ColumnToField(column)) ...  // read a cell by column
//   lib.SetFieldText(text, lib.ColumnToField(column)) ... // change cells
//   lib.SaveRecord(cell.offset);         // or kNewRecord for a new oil
//   lib.DeleteRecord(cell.offset);
// After SaveRecord and DeleteRecord the index is rebuilt: fetch GetIndex()
// and every cell offset again. A new record starts with ClearFields or
// CopyFieldsFrom.
//
// Result codes: 0 success; kResultNotLibrary (10000) line 1 lacks the tag
// "tavro"; -43 the file does not exist; -108 a reader without buffers;
// -1 the file could not be opened, read or written, or a save or removal
// was refused because the offset is not that of a listed oil (or the file
// no longer holds it there); -2 a line is longer than 4095 bytes (read or
// to be written). GetErrorText() says more about the last failure.
//
// Safety of a rewrite: the new file is written completely beside the old
// one, synced and renamed over it; the previous file is kept as
// "<name>.bak". Any failure leaves the library file as it was and keeps
// the index held before. A missing library file is never brought back from
// its backup unasked: RestoreBackup does it when the user chooses to.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/UnitConversion.h"
#include "oillib/MyFileReader.h"
#include "oillib/OilLibColumns.h"

namespace oillib {

// Line 1 of the file is not an oil library header.
inline constexpr int kResultNotLibrary = 10000;
// The offset that SaveRecord takes for a new oil (appended at the end).
inline constexpr FileOffset kNewRecord = -1;
// The tag of a library header.
inline constexpr const char* kLibraryTag = "tavro";

// One oil's index entry. Texts are cut to the lengths the lists show, in
// bytes; a UTF-8 text is cut before the character that would not fit whole.
struct SOilLibCell {
    FileOffset offset = 0;     // byte offset of the oil's line (line 1 starts at 0)
    float apiKey = 9999.0f;    // API rounded to one decimal, x 10; 9999 when empty
    float pourKeyC = 9999.0f;  // pour point sort key, deg C x 10 (see PourPointKey)
    float pourKeyF = 9999.0f;  // the same in deg F
    std::string name;          // column 1 before its first comma, quotes removed, <= 31
    std::string source;        // column 1 after its first comma, <= 15; empty without comma
    std::string location;      // column 3, quotes removed, <= 31
    std::string apiText;       // column 7 with one decimal, <= 7; empty when empty
    std::string pourTextC;     // pour point range text in whole deg C (no unit), <= 23
    std::string pourTextF;     // the same in deg F
    std::string oilId;         // column 2, <= 19
};

// What the backup "<name>.bak" of a library holds.
struct SBackupInfo {
    std::string date;      // its header date ("%m/%d/%Y")
    std::size_t oils = 0;  // its number of oils
};

class COilLibrary : public CMyFileReader {
public:
    // The same forms as the reader's constructors. No index afterwards.
    explicit COilLibrary(std::filesystem::path path);
    COilLibrary(std::filesystem::path path, const char* const* columnNames, int columnCount);
    COilLibrary(std::filesystem::path path, const char* const* columnNames, int columnCount, int ioBufferSize,
                int lineLength, int maxFields);

    // Builds the index by scanning the file. When an index is held it
    // returns 0 at once, unless the file changed on disk since (another
    // library object or program rewrote it), in which case it is rebuilt.
    // The current record is kept. A missing file gives -43 and an empty
    // one -1 (IsFileEmpty tells them from a failed read), whatever its
    // backup holds: putting the backup back is the caller's to offer.
    int LoadIndex();
    const std::string& GetVersion() const { return version_; }
    // The header date of the file as loaded ("%m/%d/%Y").
    const std::string& GetDate() const { return date_; }
    // The oils in file order, or nullptr when no index is held (the last
    // load failed). An index with no oils is an empty vector. The vector
    // lives as long as the library and is refilled in place by every
    // rebuild, but its cells (and their offsets) change: fetch them again
    // after LoadIndex, SaveRecord and DeleteRecord.
    const std::vector<SOilLibCell>* GetIndex() const { return hasIndex_ ? index_.get() : nullptr; }

    // Temperatures. unit: Fahrenheit, Celsius or Kelvin (any other value is
    // taken as kelvins). These take FIELD numbers: pass ColumnToField(column).
    // The kelvin cell of a field in the unit with fixed decimals; empty
    // when the cell is empty or unreadable.
    std::string FormatTemperatureField(int field, model::ELibTempUnit unit, int decimals) const;
    // The range text of a Min/Max pair: "less than X", "greater than X",
    // "X to Y", or one value alone; no unit.
    std::string FormatRange(int minField, int maxField, model::ELibTempUnit unit, int decimals) const;
    // Stores a text in the user's unit as kelvins with six decimals; an
    // empty or unreadable text empties the field.
    void SetTemperatureField(std::string_view text, int field, model::ELibTempUnit unit);
    // SetTemperatureField into both fields.
    void SetTemperatureRange(std::string_view text, int minField, int maxField, model::ELibTempUnit unit);

    // Clears the fields, reads the source's record at offset and copies
    // columns 1..159 (quotes removed, at most 255 characters) into this
    // object's fields for the same columns. 0 without copying when source
    // is null or the offset is not positive; else the read's result.
    // source may be this object.
    int CopyFieldsFrom(COilLibrary* source, FileOffset offset);

    // Writes the current record over the oil at offset (the offset of a
    // cell of the current index) or, with kNewRecord, after the last oil.
    // Refused (-1, file untouched) for any other offset, for an empty
    // record, or when the file no longer holds that oil there; -2 when the
    // record is too long for one line. On success the index is rebuilt.
    int SaveRecord(FileOffset offset);
    // Removes the oil at offset (the offset of a cell of the current
    // index). A negative offset returns 0 and does nothing; other offsets
    // that are not a listed oil are refused (-1).
    int DeleteRecord(FileOffset offset);

    // No index, version and date empty.
    void Reset();

    // ---- Parts of the index scan, usable on the current record ----

    // version := field 1, date := field 2 (63 characters each); 0 when
    // field 3 is the tag, else kResultNotLibrary.
    int ParseHeader();
    void MapLibraryColumns() { MapColumns(); }
    // Fills a cell from the current fields, with GetPosition() as its
    // offset; leaves it untouched when the record has no fields.
    void ParseIndexCell(SOilLibCell& cell) const;
    static void SplitNameSource(SOilLibCell& cell, std::string_view text);
    // True only for "tavro" exactly.
    static bool IsTag(std::string_view text) { return text == kLibraryTag; }
    // Pour point sort key x 10 in the unit: Min empty 9999; Min "<" Max - 4;
    // Min ">" Max + 4; Max empty or equal to Min: Min; a range: Min + 2
    // (values x 10, each read in kelvins and rounded to the decimals, then
    // converted and rounded again).
    float PourPointKey(int minField, int maxField, model::ELibTempUnit unit, int decimals) const;
    // At most n bytes of source, never cut inside a UTF-8 character
    // (platform::CutToBytes).
    static std::string CopyLimited(std::string_view source, size_t n);
    // Reads text rounded to the decimals, converts it from the source unit
    // to the target unit through kelvins, writes it with the decimals;
    // empty for an empty or unreadable text. Single precision throughout.
    static std::string ConvertTemperatureText(model::ELibTempUnit target, std::string_view text,
                                              model::ELibTempUnit source, int decimals);

    // Writes the file anew with the current record put in at offset (or the
    // line at offset left out when remove is set) and reloads the index.
    int RewriteLibrary(FileOffset offset, bool remove);
    // Sets the destination's fields to "1.0", today's date, "tavro".
    void WriteHeaderLine(CMyFileReader& destination) const;
    // Sets the destination's fields to the names of the column table.
    void WriteColumnLine(CMyFileReader& destination) const;

    // Path of the backup kept by a rewrite: the library's path + ".bak".
    std::filesystem::path GetBackupPath() const;
    // The backup's header date and number of oils, when it is an oil
    // library that loads; none otherwise.
    std::optional<SBackupInfo> ReadBackupInfo() const;
    // True when the library file exists and holds no byte.
    bool IsFileEmpty() const;
    // Puts the backup in place of a missing or empty library file in one
    // step (the backup stays) and loads the index: 0, or -1 when the file
    // holds something, the backup is no library or the write failed
    // (GetErrorText says which; the files are then as they were).
    int RestoreBackup();

    // How a rewrite puts a complete file in place: platform::SafeReplaceFile
    // unless a test injects a failing one.
    using ReplaceFileFunction =
        std::function<bool(const std::string& path, std::string_view contents, std::string* error)>;
    void SetReplaceFileFunction(ReplaceFileFunction replace);

private:
    int ScanIndex();
    std::vector<int> CurrentColumnFields() const;

    std::string version_;
    std::string date_;
    std::unique_ptr<std::vector<SOilLibCell>> index_;  // allocated once
    bool hasIndex_ = false;
    std::optional<SFileStamp> indexStamp_;  // the file the index was built from
    ReplaceFileFunction replace_;
};

}  // namespace oillib
