// The shipped standard library's lines, to build fixture libraries from
// its real records, and a scenario that waits only for its oil.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "document/Derive.h"
#include "document/SpillDoc.h"
#include "oillib/OilLibColumns.h"
#include "platform/Files.h"
#include "test_document_helpers.h"

namespace oil_test {

inline std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t p = 0; p <= line.size(); ++p)
        if (p == line.size() || line[p] == '\t') {
            cells.push_back(line.substr(start, p - start));
            start = p + 1;
        }
    return cells;
}

inline std::string JoinTabs(const std::vector<std::string>& cells) {
    std::string out;
    for (std::size_t i = 0; i < cells.size(); ++i) out += (i ? "\t" : "") + cells[i];
    return out;
}

// The shipped library's lines, to build fixture libraries from its records.
struct ShippedLibrary {
    ShippedLibrary() {
        std::string text;
        EXPECT_TRUE(platform::ReadWholeFile(document_test::StandardLibraryPath(), text));
        lines = platform::SplitLines(text);
        const std::vector<std::string> names = SplitTabs(lines.at(1));
        for (int c = 1; c <= oillib::kOilLibColumnCount; ++c)
            for (std::size_t f = 0; f < names.size(); ++f)
                if (names[f] == oillib::OilLibColumnNames[c - 1]) fieldOf[c] = f;
    }
    // The cells of the oil whose name starts with name.
    std::vector<std::string> Record(const std::string& name) const {
        for (std::size_t i = 2; i < lines.size(); ++i)
            if (lines[i].rfind(name, 0) == 0) {
                std::vector<std::string> cells = SplitTabs(lines[i]);
                cells.resize(SplitTabs(lines[1]).size());
                return cells;
            }
        ADD_FAILURE() << "no oil " << name;
        return {};
    }
    std::vector<std::string> Empty() const { return std::vector<std::string>(SplitTabs(lines[1]).size()); }
    // Sets the cell of a column (1-based number of OilLibColumnNames).
    void Set(std::vector<std::string>& cells, int column, const std::string& text) const {
        cells.at(fieldOf.at(column)) = text;
    }
    // A library file of the shipped header lines (or the given header line)
    // and the given records.
    std::string Write(const tavro_test::TempDir& dir, const std::vector<std::vector<std::string>>& records,
                      const std::string& header = "", const std::string& fileName = "OilLib") const {
        std::string text = (header.empty() ? lines[0] : header) + "\r\n" + lines[1] + "\r\n";
        for (const auto& r : records) text += JoinTabs(r) + "\r\n";
        const std::string path = dir / fileName;
        document_test::WriteBytes(path, text);
        return path;
    }

    std::vector<std::string> lines;
    std::map<int, std::size_t> fieldOf;
};

// A scenario ready to solve but for its oil: a wind of 10 knots from the
// west, water at 15 deg C, 100 bbl released at once. False when the wind
// was not taken.
inline bool EnterAllButTheOil(document::SpillDocCore& d) {
    d.Model().SetSeed(7);
    d.scenario.m_dWindSpeed = 10;
    d.scenario.m_dWindDirection = 270;
    d.scenario.m_iWindSpeedUnit = 1;  // knots
    d.scenario.water.temperature = 15;
    d.scenario.water.tempUnits = model::WTEMP_C;
    d.scenario.water.speed = 0;
    d.scenario.water.speedUnits = model::SPEED_CODE_KNOTS;
    d.scenario.instant.flag = 1;
    d.scenario.instant.startHour = 1;
    d.scenario.instant.vol = 100;
    d.scenario.instant.volUnits = model::RVOL_BBL;
    if (document::DeriveWind(d.scenario) != document::WindResult::Entered) return false;
    d.scenario.m_bWaterInputPassed = d.scenario.m_bReleaseInputPassed = 1;
    return true;
}

}  // namespace oil_test
