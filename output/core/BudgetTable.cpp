#include "output/core/BudgetTable.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "document/SpillDoc.h"
#include "model/UnitConversion.h"
#include "model/WeatheringCore.h"
#include "platform/Files.h"
#include "platform/NumText.h"
#include "platform/TimeText.h"

namespace output {

namespace {

constexpr int kFates = model::BUDGET_TOTAL;  // Evaporated .. Remaining
constexpr int kRowCap = 30;

bool Named(const model::SBudgetData& r, int series) { return r.names[series][0] != '\0'; }

std::string FateCell(double fate, double total, int otherStyle, int decimals) {
    if (otherStyle == 0) return IsMissing(fate) ? kNotAvailable : NumberText(fate, decimals);
    if (IsMissing(fate) || IsMissing(total) || total == 0) return kNotAvailable;
    if (otherStyle == 1) return NumberText(fate * 100 / total, 0);
    return NumberText(fate / total, 2);
}

const char* FateUnit(int otherStyle, const char* units) {
    if (otherStyle == 1) return "percent";
    if (otherStyle == 2) return "fraction";
    return units;
}

std::string BuildTable(const model::SBudgetData& r, int decimals, int otherStyle, bool dates,
                       const SpillHours& times) {
    const std::string units = document::FieldText(r.units, sizeof r.units);
    std::string t;
    if (dates) {
        t += CentreCell("Date &", 6) + CentreCell("Time", 4);
    } else {
        t += CentreCell("Hours Into", 10);
    }
    t += CentreCell("Released", 10);
    for (int f = 0; f < kFates; ++f) {
        if (Named(r, f)) t += " \t" + CentreCell(document::FieldText(r.names[f], sizeof r.names[f]), 10);
    }
    t += "\n";
    if (dates) {
        t += CentreCell(" ", 6) + CentreCell(" ", 4);
    } else {
        t += RightCell("Spill", 10);
    }
    t += CentreCell(units, 10);
    for (int f = 0; f < kFates; ++f) {
        if (Named(r, f)) t += " \t" + CentreCell(FateUnit(otherStyle, units.c_str()), 10);
    }
    t += "\n";

    int wide = 0;
    for (int f = 0; f < kFates; ++f) wide += Named(r, f) ? 1 : 0;
    const std::vector<int> rows = ChooseRows(r, wide > 4);

    const double* total = r.series[model::BUDGET_TOTAL];
    int lastDay = -1;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const int l = rows[k];
        const int m = RowHour(r, l);
        if (dates) {
            // Row m holds the state at the end of hour m, as its hour count says.
            const std::tm when = times.After(static_cast<std::int64_t>(m));
            std::string date = " ";
            if (k == 0 || when.tm_mday != lastDay) {
                date = platform::FormatTime(when, "%b %d");
                lastDay = when.tm_mday;
            }
            t += CentreCell(date, 6) + CentreCell(platform::FormatTime(when, "%H%M"), 4);
        } else {
            t += RightCell(std::to_string(m), 10);
        }
        t += CentreCell(IsMissing(total[l]) ? kNotAvailable : NumberText(total[l], decimals), 10);
        for (int f = 0; f < kFates; ++f) {
            if (!Named(r, f)) continue;
            t += k % 2 == 0 ? "-\t" : " \t";
            t += CentreCell(FateCell(r.series[f][l], total[l], otherStyle, decimals), 10);
        }
        t += "\n";
    }
    return t;
}

}  // namespace

ReleasedUnit ReleasedUnitOf(int releasedUnit) {
    static constexpr int kAmount[] = {model::AMOUNT_BBL, model::AMOUNT_GAL, model::AMOUNT_CUM, model::AMOUNT_TONS,
                                      model::AMOUNT_TONNES};
    if (releasedUnit < 0 || releasedUnit >= static_cast<int>(kBudgetReleasedItems.size())) releasedUnit = 0;
    return {kAmount[releasedUnit], kBudgetReleasedItems[static_cast<std::size_t>(releasedUnit)]};
}

int InitialReleasedUnit(const document::Scenario& s) {
    auto fromVolume = [](int volUnits) { return volUnits >= 1 && volUnits <= 5 ? volUnits - 1 : 0; };
    if (s.instant.flag) return fromVolume(s.instant.volUnits);
    if (s.boomed.flag) return fromVolume(s.boomed.volUnits);
    if (s.continuous.flag) {
        switch (s.continuous.rateUnits) {
            case 1: return 0;
            case 3: return 2;
            case 4: return 3;
            case 5: return 4;
            default: return 1;
        }
    }
    return 0;
}

BudgetChoices InitialBudgetChoices(const document::Scenario& scenario) {
    BudgetChoices c;
    c.releasedUnit = InitialReleasedUnit(scenario);
    return c;
}

int LastStep(const model::SBudgetData& r) {
    const double* total = r.series[model::BUDGET_TOTAL];
    const double* remaining = r.series[model::BUDGET_REMAINING];
    if (r.count <= 0 || r.count > model::SERIES_LENGTH) return 0;
    for (int i = r.count - 1; i >= 1; --i) {
        if (total[i - 1] < total[i]) return i + 1;
        const bool known = !IsMissing(total[i]) && total[i] != 0 && !IsMissing(remaining[i]);
        if (known && remaining[i] / total[i] > 0.1) return i + 1;
    }
    return r.count;
}

int SelectRows(std::vector<int>& rows, int limit, const model::SBudgetData& r, int lastStep, RowSpacing p) {
    rows.clear();
    const std::int64_t count = r.count;
    const std::int64_t hours = r.hours;
    if (count <= 0 || count > model::SERIES_LENGTH || hours <= 0) return 0;
    const double* total = r.series[model::BUDGET_TOTAL];
    lastStep = std::min(lastStep, r.count);

    // Hours since the last row and steady hours, both as steps: a span of s
    // steps is s x hours / count hours, compared without rounding.
    std::int64_t sinceRow = 1;
    std::int64_t steady = 0;
    double rowTotal = 0;
    auto atLeast = [&](std::int64_t steps, int h) { return steps * hours >= h * count; };

    if (p.a >= 2 && count / hours - 1 >= 0) rows.push_back(static_cast<int>(count / hours - 1));
    int i = 0;
    for (; i < lastStep && static_cast<int>(rows.size()) < limit; ++i) {
        bool row;
        if (total[i] != rowTotal) {
            row = atLeast(sinceRow, p.a) && (sinceRow * hours) % (2 * count) == 0;
            steady = 0;
        } else if (!atLeast(steady, p.d)) {
            row = atLeast(sinceRow, p.b);
            ++steady;
        } else {
            row = atLeast(sinceRow, p.c);
        }
        if (row) {
            rows.push_back(i);
            rowTotal = total[i];
            sinceRow = 0;
        }
        ++sinceRow;
    }
    if (i < lastStep) return 0;
    return static_cast<int>(rows.size());
}

std::vector<int> ChooseRows(const model::SBudgetData& r, bool wide) {
    static constexpr RowSpacing kSets[] = {{2, 2, 6, 10}, {4, 4, 12, 10}, {6, 6, 24, 20}, {12, 12, 24, 20},
                                           {24, 24, 24, 20}};
    std::vector<int> rows;
    if (r.count <= 0 || r.count > model::SERIES_LENGTH || r.hours <= 0) return rows;
    const int limit = std::min(kRowCap, (wide ? 42 : 58) - 2);
    const int c = LastStep(r);
    if (static_cast<std::int64_t>(c) * r.hours <= 12LL * r.count && SelectRows(rows, limit, r, c, {1, 1, 1, 1}) > 0)
        return rows;
    for (const RowSpacing& set : kSets) {
        if (SelectRows(rows, limit, r, c, set) > 0) return rows;
    }
    rows.clear();
    return rows;
}

int RowHour(const model::SBudgetData& r, int step) {
    if (r.count <= 0) return 0;
    return static_cast<int>((static_cast<std::int64_t>(step) + 1) * r.hours / r.count);
}

BudgetTableText::BudgetTableText(const model::SBudgetData& r, const BudgetChoices& choices,
                                 const TableHeader& header, const SpillHours& times) {
    if (r.count <= 0 || r.count > model::SERIES_LENGTH) return;
    const double lastTotal = r.series[model::BUDGET_TOTAL][r.count - 1];
    const int decimals = DecimalsFor(lastTotal);
    header_ = HeaderOpening(header);
    header_ += platform::Format("Total amount of Oil Released = %.0f %s\n", lastTotal,
                                document::FieldText(r.units, sizeof r.units).c_str());
    header_ += kHeaderRule;
    table_ = BuildTable(r, decimals, choices.otherStyle, choices.timeStyle == 1, times);
}

BudgetTableText BudgetTableText::FromDocument(const document::SpillDocCore& doc, const BudgetChoices& choices) {
    if (!TableHasResults(doc)) return BudgetTableText();
    auto record = std::make_unique<model::SBudgetData>();
    const ReleasedUnit unit = ReleasedUnitOf(choices.releasedUnit);
    doc.Model().GetBudgetSeries(*record, unit.amountUnit);
    model::CopySeriesLabel(record->units, unit.label);
    const SpillHours times(doc.scenario.SpillTime, doc.Clock());
    return BudgetTableText(*record, choices, ReadTableHeader(doc.scenario, doc.Clock()), times);
}

std::string BudgetTableText::ScreenText() const {
    if (!HasResults()) return {};
    return "\n" + header_ + table_;
}

std::string BudgetTableText::ExportBytes() const { return WithLineEnds(header_ + table_, platform::kLineEnd); }

bool TableHasResults(const document::SpillDocCore& doc) {
    return doc.Model().nSteps > 0 && !doc.session.resultsStale;
}

std::string NoResultsText(int lines, int columns) {
    std::string out(static_cast<std::size_t>(std::max(lines / 2, 0)), '\n');
    out.append(static_cast<std::size_t>(std::max(columns / 2, 0)), ' ');
    out += kNotAvailable;
    return out;
}

}  // namespace output
