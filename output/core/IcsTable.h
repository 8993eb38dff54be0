// The ICS table as text: box 3 of an incident status summary, the amounts in
// barrels spilled, recovered, evaporated, dispersed, burned, floating and
// beached during one operational period and in total. The period begins at
// a chosen month, day and hour and lasts 0 to 24 hours. No toolkit.
#pragma once

#include <string>
#include <string_view>

#include "model/Series.h"
#include "output/core/TableText.h"
#include "document/TimePick.h"

namespace document {
class SpillDocCore;
}

namespace output {

// Rows of the table: 0 spilled, 1 recovered, 2 evaporation, 3 natural and
// 4 chemical dispersion, 5 burned, 6 floating, 7 onshore, 8 the sum of 1-7.
inline constexpr int kIcsRows = 9;

struct IcsPeriodSums {
    double period[kIcsRows] = {};
    double total[kIcsRows] = {};
};

// Amounts of the period that begins at hour slot startSlot (1 = the first
// hour after the spill) and lasts duration hours; totals are cumulative at
// the period's end. All zeros for a slot before the spill, a duration of 0
// or a slot at or after the end of the run; a period past the end of the
// run is cut at the last point. Rows whose series has no name stay 0.
IcsPeriodSums ComputePeriodSums(const model::SIcsBudgetData& record, int startSlot, int duration);

// Decimals of every amount: 2, 1 or 0 by the last total (2 with no points
// or a total of 0 or below).
int GetPrecision(const model::SIcsBudgetData& record);

// Hour slot of a period beginning: whole hours (toward zero) from the spill
// to the beginning, plus 1. The beginning is in the spill's year, the next
// year for a January beginning of a December spill.
int StartSlot(document::Time spill, const document::TimePick& beginning, const platform::IClock& clock);

// The duration edit: its leading digits (0 if none) clamped to 0..24.
// rewrite tells whether clamping changed the value, so that the edit must
// show text instead.
struct DurationReading {
    int hours = 0;
    bool rewrite = false;
    std::string text;
};
DurationReading ReadDuration(std::string_view editText);
inline constexpr int kDefaultDuration = 8;
// "%3u" of 8: the edit's first text.
inline constexpr const char* kDurationInitialText = "  8";

struct IcsChoices {
    document::TimePick beginning;
    int duration = kDefaultDuration;
    bool operator==(const IcsChoices&) const = default;
};

// The choices a new table starts with: the spill's month, day and hour, 8 h.
IcsChoices InitialIcsChoices(document::Time spill, const platform::IClock& clock);

class IcsTableText {
public:
    // record: filled by GetIcsBudgetSeries in bbl.
    IcsTableText(const model::SIcsBudgetData& record, const IcsChoices& choices, document::Time spill,
                 const TableHeader& header, const platform::IClock& clock);

    // The texts of the document's current results; empty without results.
    static IcsTableText FromDocument(const document::SpillDocCore& doc, const IcsChoices& choices);

    bool HasResults() const { return hasResults_; }
    const std::string& Header() const { return header_; }
    const std::string& Table() const { return table_; }
    int StartSlotValue() const { return startSlot_; }
    int Precision() const { return precision_; }
    // ICS209.txt: a header record and a data record, each ended by a lone CR.
    const std::string& ExportBytes() const { return export_; }

private:
    IcsTableText() = default;
    bool hasResults_ = false;
    int startSlot_ = 1;
    int precision_ = 2;
    std::string header_, table_, export_;
};

inline constexpr const char* kIcsSaveTitle = "Save ICS Table File";
inline constexpr const char* kIcsFileName = "ICS209.txt";
inline constexpr const char* kIcsSaveError = "Cannot create file for ICS table.";
inline constexpr const char* kIcsExtension = "ics";
inline constexpr const char* kIcsBeginningLabel = "Operational Period Beginning";

}  // namespace output
