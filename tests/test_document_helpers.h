// Helpers of the document tests: a temporary folder, fake ports, fixture
// oil libraries and an oil taken from the standard library file.
#pragma once

#include "test_temp_dir.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "document/Interfaces.h"
#include "document/SpillDoc.h"
#include "oillib/OilLibrary.h"

namespace document_test {

inline void UseUtc() {
    setenv("TZ", "UTC", 1);
    tzset();
}

using tavro_test::TempDir;

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A dialog runner whose dialogs are functions: each returns OK or Cancel
// after changing the document as the dialog would. A kind without a
// function is cancelled.
class FakeDialogs final : public document::IDialogRunner {
public:
    std::map<document::DialogKind, std::function<bool(document::SpillDocCore&)>> dialogs;
    std::vector<document::DialogKind> ran;
    bool Run(document::DialogKind kind, document::SpillDocCore& doc) override {
        ran.push_back(kind);
        auto it = dialogs.find(kind);
        return it != dialogs.end() && it->second(doc);
    }
};

class FakeStatus final : public document::IStatus {
public:
    std::string text = "Ready";
    std::vector<std::string> shown;  // every text set
    int busy = 0;
    int busyCalls = 0;
    std::string Get() override { return text; }
    void Set(std::string_view t) override {
        text = t;
        shown.push_back(text);
    }
    void Busy(bool on) override {
        busy += on ? 1 : -1;
        ++busyCalls;
    }
};

class FakeOutputs final : public document::IOutputWindows {
public:
    std::vector<document::OutputKind> opened;
    std::vector<document::OutputKind> closed;
    bool Open(document::OutputKind k) override {
        opened.push_back(k);
        return true;
    }
    void Close(document::OutputKind k) override { closed.push_back(k); }
    bool Exists(document::OutputKind) const override { return false; }
    void Tile() override {}
    void Maximise(document::OutputKind) override {}
    void ShowForm() override {}
};

// The fake ports a document under test talks to, as one bundle. A fixture
// derives from it and declares its document after any library the document
// reads, so the document is destroyed first.
struct FakePorts {
    explicit FakePorts(document::Time now) : clock(now) {}
    platform::FixedClock clock;
    FakeDialogs dialogs;
    platform::RecordingMessages messages;
    FakeStatus status;
    FakeOutputs outputs;
    document::DocPorts Ports() {
        return {.dialogs = &dialogs, .messages = &messages, .status = &status, .outputs = &outputs, .clock = &clock};
    }
};

// A library file with a header of the given date, the column-name line and
// no oils.
inline void WriteEmptyLibrary(const std::string& path, const std::string& date) {
    std::string text = "1.0\t" + date + "\ttavro\r\n";
    for (int c = 0; c < oillib::kOilLibColumnCount; ++c) {
        if (c) text += '\t';
        text += oillib::OilLibColumnNames[c];
    }
    text += "\r\n";
    WriteBytes(path, text);
}

inline std::string StandardLibraryPath() { return std::string(TAVRO_BUILD_DATA_DIR) + "/OilLib"; }

// The library's oil `which` (0 = first) as the standard-oil dialog copies
// it into the scenario: InputOil and the texts the checks read.
inline bool TakeOil(oillib::COilLibrary& lib, std::size_t which, document::Scenario& s) {
    if (lib.LoadIndex() != 0 || !lib.GetIndex() || lib.GetIndex()->size() <= which) return false;
    const oillib::SOilLibCell& cell = (*lib.GetIndex())[which];
    if (lib.ReadRecordAt(cell.offset) != 0) return false;
    auto num = [&](int column, int decimals) { return lib.GetFieldNumber(lib.ColumnToField(column), decimals, 1.0f); };
    model::InputOil& o = s.oil;
    o = model::InputOil{};
    std::string name = lib.GetFieldText(lib.ColumnToField(1)).substr(0, 31);
    std::copy(name.begin(), name.end(), o.name);
    std::string type = lib.GetFieldTextLower(lib.ColumnToField(10)).substr(0, 7);
    std::copy(type.begin(), type.end(), o.productType);
    o.api = num(7, 4);
    o.asphalt = num(12, 6);
    o.benzene = num(144, 6);
    o.nickel = num(153, 4);
    o.vanadium = num(154, 4);
    o.viscMultiplier = num(152, 4);
    o.waterContent = num(15, 6);
    o.waterUptakeRate = num(159, 10);
    o.bullwinkle = num(17, 6);
    o.bulltime = model::MISSING_VALUE_D;
    for (int i = 0; i < 4; ++i) {
        o.rhoRef_value[i] = num(24 + 3 * i, 6);
        o.rhoRef_temp[i] = num(25 + 3 * i, 4);
        o.rhoRef_fevap[i] = num(26 + 3 * i, 4);
    }
    for (int i = 0; i < 6; ++i) {
        o.viscRef_value[i] = num(36 + 3 * i, 10);
        o.viscRef_temp[i] = num(37 + 3 * i, 4);
        o.viscRef_fevap[i] = num(38 + 3 * i, 4);
        o.dyViscRef_value[i] = num(54 + 3 * i, 10);
        o.dyViscRef_temp[i] = num(55 + 3 * i, 4);
        o.dyViscRef_fevap[i] = num(56 + 3 * i, 4);
    }
    o.dist_volumeFrac = lib.GetFieldText(lib.ColumnToField(117)).starts_with("w") ? 0 : 1;
    for (int i = 0; i < 15; ++i) {
        o.dist_temp[i] = num(72 + 3 * i, 4);
        o.dist_frac[i] = num(74 + 3 * i, 4);
    }
    s.OilLibDate = lib.GetDate();
    s.OilName = lib.GetFieldText(lib.ColumnToField(1));
    s.OilIndex = static_cast<int>(cell.offset);
    s.PourPoint = "unknown";
    return true;
}

}  // namespace document_test
