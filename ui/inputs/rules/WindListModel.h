// The variable winds of the wind dialog as the dialog holds them until OK:
// rows of civil date and hour, whole speed, direction as typed and an
// optional wave height, in time order; their texts with the units' suffixes;
// and the records written into the scenario's arrays.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "document/Scenario.h"
#include "platform/Clock.h"
#include "document/TimePick.h"

namespace ui {

inline constexpr int kMaxWindRecords = model::MAX_HOURS;

struct WindRow {
    document::TimePick pick;              // month, day and hour of the record
    int speed = 0;              // whole number
    std::string direction;      // as typed: a compass word or degrees
    double wave = model::MISSING_VALUE_D;  // below 0: none

    friend bool operator==(const WindRow&, const WindRow&) = default;
};

// The year that puts a record's civil date and hour nearest the spill
// time: the spill time's year, the one before or the one after.
int RecordYear(const document::TimePick& pick, document::Time spill, const platform::IClock& clock);
// The record's time in that year.
document::Time RecordTime(const document::TimePick& pick, document::Time spill, const platform::IClock& clock);

// The pick one civil hour later (midnight and month ends included; the
// month's length is that of the given year).
document::TimePick NextHour(const document::TimePick& pick, int year);

class WindListModel {
public:
    static constexpr int kColumnCount = 5;
    static constexpr std::array<const char*, kColumnCount> kColumnTitles{"Date(m/d)", "Time", "Speed", "Wind From",
                                                                          "Wave Ht"};
    static constexpr std::array<double, kColumnCount> kColumnWidths{0.22, 0.15, 0.17, 0.24, 0.24};

    WindListModel(document::Time spill, const platform::IClock& clock) : spill_(spill), clock_(&clock) {}

    // The first count records of the scenario's arrays, in time order.
    void Load(const document::Scenario& s);

    std::size_t Size() const { return rows_.size(); }
    const std::vector<WindRow>& Rows() const { return rows_; }
    const WindRow& Row(std::size_t i) const { return rows_[i]; }
    std::string Text(std::size_t row, int column) const;

    // The row at the same month, day and hour as pick, or -1.
    int Find(const document::TimePick& pick) const;
    // Puts the row in its place by time (after rows of the same time).
    void Insert(WindRow row);
    void Remove(std::size_t row);
    void RemoveAll() { rows_.clear(); }

    // The unit lists' selections the suffixes follow: speed 0 mph, 1 knots,
    // 2 m/s; wave height 0 meters, 1 feet.
    void SetUnits(int speedUnit, int waveUnit) {
        speedUnit_ = speedUnit;
        waveUnit_ = waveUnit;
    }

    // The time of a row.
    document::Time TimeOf(const WindRow& row) const { return RecordTime(row.pick, spill_, *clock_); }
    // Writes the rows into m_iVarWindNumber and the four arrays.
    void Export(document::Scenario& s) const;

private:
    std::vector<WindRow> rows_;
    document::Time spill_;
    const platform::IClock* clock_;
    int speedUnit_ = 0;
    int waveUnit_ = 0;
};

}  // namespace ui
