// Helpers of the document tests: a temporary folder, fake ports, fixture
// oil libraries and an oil taken from the standard library file.
#pragma once

#include "test_oillib_helpers.h"
#include "test_temp_dir.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TimeZone.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "document/Interfaces.h"
#include "document/SpillDoc.h"
#include "oillib/OilLibrary.h"

namespace document_test {

using tavro_test::TempDir;
using tavro_test::ZoneScope;
using oillib_test::WriteBytes;

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

// Output windows that exist between Open and Close; every call is logged
// as text ("open Budget", "tile", "max Budget", "form", "close Budget").
class FakeOutputs final : public document::IOutputWindows {
public:
    std::vector<document::OutputKind> opened;  // every Open, also of an existing window
    std::vector<document::OutputKind> closed;
    std::set<document::OutputKind> live;       // windows that exist now
    std::set<document::OutputKind> failing;    // kinds whose creation fails
    std::vector<std::string> log;
    bool Open(document::OutputKind k) override {
        opened.push_back(k);
        if (!live.count(k) && failing.count(k)) {
            log.push_back("fail " + Name(k));
            return false;
        }
        live.insert(k);
        log.push_back("open " + Name(k));
        return true;
    }
    void Close(document::OutputKind k) override {
        closed.push_back(k);
        live.erase(k);
        log.push_back("close " + Name(k));
    }
    bool Exists(document::OutputKind k) const override { return live.count(k) != 0; }
    void Tile() override { log.push_back("tile"); }
    void Maximise(document::OutputKind k) override { log.push_back("max " + Name(k)); }
    void ShowForm() override { log.push_back("form"); }
    static std::string Name(document::OutputKind k) {
        static const char* names[] = {"Density", "Viscosity", "Water", "Benzene", "Budget", "Evaporation", "Disperse",
                                      "Remain",  "Burn",      "Skim",  "Beach",   "BudgetTable", "IcsTable"};
        return names[static_cast<int>(k)];
    }
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

using tavro_test::StandardLibraryPath;

// A crude oil with reference points, as the oil dialog leaves it (no change
// flag raised).
inline void EnterTestCrude(document::Scenario& s) {
    s.OilName = "TEST CRUDE";
    s.Location = "NOWHERE";
    s.Synonyms = "";
    s.ProductType = "Crude";
    s.API = "31.0";
    s.PourPoint = "-12 deg C";
    s.FlashPoint = "unknown";
    s.Adhesion = "unknown";
    s.Aromatics = "12.5";
    s.oil.api = 31;
    std::memcpy(s.oil.productType, "crude", 5);
    s.oil.benzene = 0.002;
    s.oil.rhoRef_value[0] = 870.5;
    s.oil.rhoRef_temp[0] = 288.15;
    s.oil.viscRef_value[0] = 1.5e-5;
    s.oil.viscRef_temp[0] = 311.15;
}

// The library's oil `which` (0 = first) as the standard-oil dialog copies
// it into the scenario: InputOil and the texts the checks read.
inline bool TakeOil(oillib::COilLibrary& lib, std::size_t which, document::Scenario& s) {
    if (lib.LoadIndex() != 0 || !lib.GetIndex() || lib.GetIndex()->size() <= which) return false;
    const oillib::SOilLibCell& cell = (*lib.GetIndex())[which];
    if (lib.ReadRecordAt(cell.offset) != 0) return false;
    tavro_test::OilFromRecord(lib, tavro_test::EOilNumbers::AsTheDialogCopiesThem, s.oil);
    s.OilLibDate = lib.GetDate();
    s.OilName = lib.GetFieldText(lib.ColumnToField(1));
    s.OilIndex = static_cast<int>(cell.offset);
    s.PourPoint = "unknown";
    return true;
}

// The spill time of a Solvable scenario: Mon 2024-02-05 14:00 UTC.
inline constexpr document::Time kSolvableStart = 1707141600;

// A complete scenario entered through the commands, as the dialogs would
// fill it: the first oil of the standard library, a constant wind of 10
// knots, water at 15 deg C, 1000 bbl released at once.
struct Solvable : FakePorts {
    Solvable() : FakePorts(kSolvableStart), lib(StandardLibraryPath(), oillib::OilLibColumnNames, oillib::kOilLibColumnCount) {
        doc = std::make_unique<document::SpillDocCore>(document::OilLibraries{&lib, nullptr}, Ports());
        doc->Model().SetSeed(7);
        doc->SetOutputFolder(dumps.Path().string());
        dialogs.dialogs[document::DialogKind::StandardOils] = [this](document::SpillDocCore& d) { return TakeOil(lib, 0, d.scenario); };
        dialogs.dialogs[document::DialogKind::WindWave] = [](document::SpillDocCore& d) {
            d.scenario.m_dWindSpeed = 10;
            d.scenario.m_dWindDirection = 270;
            d.scenario.m_iWindSpeedUnit = 1;  // knots
            return true;
        };
        dialogs.dialogs[document::DialogKind::Water] = [](document::SpillDocCore& d) {
            d.scenario.water.temperature = 15;
            d.scenario.water.tempUnits = model::WTEMP_C;
            d.scenario.water.speed = 0;
            d.scenario.water.speedUnits = model::SPEED_CODE_KNOTS;
            d.scenario.water.direction = 0;
            return true;
        };
        dialogs.dialogs[document::DialogKind::Release] = [](document::SpillDocCore& d) {
            d.scenario.instant.flag = 1;
            d.scenario.instant.startHour = 1;
            d.scenario.instant.vol = 1000;
            d.scenario.instant.volUnits = model::RVOL_BBL;
            return true;
        };
        doc->SelectStandardOil();
        doc->EditWindWave();
        doc->EditWater();
        doc->EditRelease();
    }
    ZoneScope utc{"UTC"};
    TempDir dumps;  // the dump files, unless a test names another folder
    oillib::COilLibrary lib;
    std::unique_ptr<document::SpillDocCore> doc;
};

}  // namespace document_test
