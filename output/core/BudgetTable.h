// The oil budget table as text: a scenario header, then "Released" and one
// column per fate present, at times chosen so that the rows thin out as the
// release steadies (at most 30 rows). Built from the model's budget record
// in the three choices of the table's toolbar; no toolkit.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/Series.h"
#include "output/core/TableText.h"

namespace document {
class SpillDocCore;
}

namespace output {

// ---- The toolbar's three choices (list indices) ----
inline constexpr std::array<const char*, 2> kBudgetTimeItems = {"Hours", "Dates"};
inline constexpr std::array<const char*, 5> kBudgetReleasedItems = {"bbl", "gal", "cu m", "tons", "metric tons"};
inline constexpr std::array<const char*, 3> kBudgetOtherItems = {"Same as Released", "Percent", "Fraction"};

struct BudgetChoices {
    int timeStyle = 0;     // 0 hours, 1 dates
    int releasedUnit = 0;  // index in kBudgetReleasedItems
    int otherStyle = 1;    // 0 same as released, 1 percent, 2 fraction
    bool operator==(const BudgetChoices&) const = default;
};

// The amount unit (model::EAmountUnit) and label of a released-unit choice;
// a choice out of range reads as bbl.
struct ReleasedUnit {
    int amountUnit;
    const char* label;
};
ReleasedUnit ReleasedUnitOf(int releasedUnit);

// The released unit the table starts in, from the release input in use
// (instantaneous, contained, then continuous); bbl otherwise.
int InitialReleasedUnit(const document::Scenario& scenario);

// The choices a new table starts with: hours, the release's unit, percent.
BudgetChoices InitialBudgetChoices(const document::Scenario& scenario);

// ---- Rows ----
// The last step worth listing, as a step count: one past the last step at
// which the total still grew or more than a tenth of it remained; the
// whole run when there is none.
int LastStep(const model::SBudgetData& record);

// Row spacings in hours: a while releasing (at even hours since the last
// row), b in the first d steady hours, c after them.
struct RowSpacing {
    int a, b, c, d;
};

// Chooses row steps of record up to lastStep with one spacing, the seeded
// row at the end of hour 1 included (a >= 2). Returns the number of rows,
// or 0 when limit rows were reached before lastStep. Counts steps as
// integers, so "every 2 hours" holds at any number of steps per hour.
int SelectRows(std::vector<int>& rows, int limit, const model::SBudgetData& record, int lastStep,
               RowSpacing spacing);

// The rows of the table: the first spacing that fits the limit wins.
std::vector<int> ChooseRows(const model::SBudgetData& record, bool wide);

// The hour a step ends at, counted from the spill: ((step + 1) x hours) / count.
int RowHour(const model::SBudgetData& record, int step);

// ---- The table ----
class BudgetTableText {
public:
    // record: filled by GetBudgetSeries in the released unit's amount unit,
    // with its units label set.
    BudgetTableText(const model::SBudgetData& record, const BudgetChoices& choices, const TableHeader& header,
                    const SpillHours& times);

    // The texts of the document's current results; both empty without results.
    static BudgetTableText FromDocument(const document::SpillDocCore& doc, const BudgetChoices& choices);

    bool HasResults() const { return !table_.empty(); }
    const std::string& Header() const { return header_; }
    const std::string& Table() const { return table_; }
    // The text of the window: a blank line, the header and the table.
    std::string ScreenText() const;
    // BudgetTable.txt: the header and the table, every line ended CR LF.
    std::string ExportBytes() const;

private:
    BudgetTableText() = default;
    std::string header_, table_;
};

// Whether the document holds results a table may show.
bool TableHasResults(const document::SpillDocCore& doc);

// "N/A" roughly in the middle of a window of lines x columns characters.
std::string NoResultsText(int lines, int columns);

inline constexpr const char* kBudgetSaveTitle = "Save Budget Table File";
inline constexpr const char* kBudgetFileName = "BudgetTable.txt";
inline constexpr const char* kBudgetSaveError = "Cannot create file for Budget Table table";
inline constexpr const char* kBudgetExtension = "txt";

}  // namespace output
