// One run of the oil library fuzz target: arbitrary bytes as a library
// file, through the reader, the index, the record readers and a rewrite.
// Shared by the libFuzzer target and the regression test that replays the
// inputs kept under tests/data/oillib/fuzz/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "oillib/OilLibrary.h"
#include "platform/Files.h"
#include "platform/TextCut.h"

namespace oillib_fuzz {

// Stops the run when an invariant of the library does not hold.
inline void Require(bool ok) {
    if (!ok) std::abort();
}

inline void RunOnce(const std::uint8_t* data, std::size_t size, const std::filesystem::path& folder) {
    using namespace oillib;
    using model::ELibTempUnit;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path path = folder / "FuzzLib";
    std::error_code ec;
    std::filesystem::remove(path.string() + ".bak", ec);
    if (!platform::WriteWholeFile(path.string(), bytes)) return;

    // The plain reader with small buffers: every line, split and mapped.
    {
        CMyFileReader r(path, OilLibColumnNames, kOilLibColumnCount, 16, 64, 8);
        if (r.Open(true, 0) == kResultOk) {
            for (int i = 0; i < 10000; ++i) {
                int code = r.ReadLine(true);
                if (code != kResultOk) break;
                Require(r.GetLineLength() > 0 && r.GetLineLength() <= 63);
                Require(r.GetFieldCount() <= 8);
                for (int f = 0; f <= r.GetFieldCount() + 1; ++f) {
                    (void)r.GetFieldText(f);
                    (void)r.GetFieldNumberText(f, 2, 1000.0f);
                    (void)r.GetFieldNumber(f, -1, 1.0f);
                }
            }
            Require(r.Tell() <= static_cast<FileOffset>(size));
            r.Close();
        }
        if (r.ReadColumnLine(1) == kResultOk)
            for (int c = 0; c <= kOilLibColumnCount + 1; ++c) Require(r.ColumnToField(c) <= r.GetFieldCount());
    }

    // The library: index, every record, the texts of each cell.
    COilLibrary lib(path, OilLibColumnNames, kOilLibColumnCount);
    // Rewrites in the fuzzer skip the sync: speed only, the logic is the same.
    lib.SetReplaceFileFunction([](const std::string& p, std::string_view contents, std::string* error) {
        return platform::WriteWholeFile(p, contents, error);
    });
    if (lib.LoadIndex() != kResultOk) {
        Require(lib.GetIndex() == nullptr);
        return;
    }
    const std::size_t count = lib.GetIndex()->size();
    for (std::size_t i = 0; i < count; ++i) {
        const SOilLibCell cell = (*lib.GetIndex())[i];
        Require(cell.offset > 0 && cell.offset < static_cast<FileOffset>(size));
        Require(cell.name.size() <= 31 && cell.source.size() <= 15 && cell.location.size() <= 31);
        Require(cell.apiText.size() <= 7 && cell.pourTextC.size() <= 23 && cell.oilId.size() <= 19);
        Require(lib.ReadRecordAt(cell.offset) == kResultOk);
        Require(COilLibrary::CopyLimited(lib.GetField(lib.ColumnToField(COL_OIL_ID)), 19) == cell.oilId);
        // A UTF-8 cell stays UTF-8 once cut.
        if (platform::IsUtf8(lib.GetField(lib.ColumnToField(COL_OIL_NAME))))
            Require(platform::IsUtf8(cell.name) && platform::IsUtf8(cell.source));
        if (platform::IsUtf8(lib.GetField(lib.ColumnToField(COL_LOCATION)))) Require(platform::IsUtf8(cell.location));
        for (int c : {8, 9, 18, 19, 25}) (void)lib.FormatTemperatureField(lib.ColumnToField(c), ELibTempUnit::Fahrenheit, 1);
        (void)lib.FormatRange(lib.ColumnToField(18), lib.ColumnToField(19), ELibTempUnit::Celsius, 2);
    }

    // Remove the first oil, then append a copy of the new first one: the
    // index must shrink and grow by exactly one.
    if (count > 0) {
        const FileOffset first = (*lib.GetIndex())[0].offset;
        if (lib.DeleteRecord(first) == kResultOk) {
            Require(lib.GetIndex() != nullptr && lib.GetIndex()->size() == count - 1);
            if (count > 1) {
                const FileOffset next = (*lib.GetIndex())[0].offset;
                if (lib.CopyFieldsFrom(&lib, next) == kResultOk && lib.GetFieldCount() > 0) {
                    int saved = lib.SaveRecord(kNewRecord);
                    if (saved == kResultOk) Require(lib.GetIndex() != nullptr && lib.GetIndex()->size() == count);
                }
            }
        }
    }
}

}  // namespace oillib_fuzz
