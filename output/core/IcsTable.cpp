#include "output/core/IcsTable.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>

#include "document/SpillDoc.h"
#include "model/UnitConversion.h"
#include "model/WeatheringCore.h"
#include "output/core/BudgetTable.h"
#include "platform/NumText.h"
#include "platform/TimeText.h"

namespace output {

namespace {

// The record series of rows 0-7.
constexpr int kRowSeries[8] = {model::ICS_TOTAL,    model::ICS_SKIMMED,       model::ICS_EVAPORATED,
                               model::ICS_NATURAL_DISP, model::ICS_CHEMICAL_DISP, model::ICS_BURNED,
                               model::ICS_REMAINING, model::ICS_BEACHED};
constexpr const char* kRowLabels[8] = {"Volume Spilled",      "Recovered Oil", "Evaporation",
                                       "Natural Dispersion",  "Chemical Dispersion", "Burned",
                                       "Floating, Uncontained", "Onshore"};
constexpr int kFloatingRow = 6;

std::string AmountRow(const IcsPeriodSums& sums, int row, int precision) {
    return LeftCell(kRowLabels[row], 22) + RightCell(NumberText(sums.period[row], precision), 14) +
           RightCell(NumberText(sums.total[row], precision), 14) + "\n\n";
}

std::string BuildTable(const IcsPeriodSums& sums, int precision) {
    std::string t = LeftCell("3. Spill Status (Estimated, in Barrels)", 60) + "\n\n";
    t += LeftCell("", 16) + CentreCell("This Operational Period", 23) + CentreCell("Total", 20) + "\n";
    t += LeftCell("", 16) + CentreCell("(Since Last Report)", 23) + "\n\n";
    t += AmountRow(sums, 0, precision);
    t += CentreCell("Mass Balance / Oil Budget", 36) + "\n\n";
    for (int row = 1; row <= 5; ++row) t += AmountRow(sums, row, precision);
    t += LeftCell("Floating, Contained", 22) + RightCell("not estimated", 14) + RightCell("not estimated", 14) +
         "\n\n";
    t += AmountRow(sums, 6, precision);
    t += AmountRow(sums, 7, precision);
    t += LeftCell("Total spilled product accounted for:\t", 37) + RightCell(NumberText(sums.total[8], precision), 14) +
         "\n";
    return t;
}

std::string BuildExport(const IcsPeriodSums& sums, int precision, const SpillHours& times, int startSlot,
                        int duration) {
    std::string out =
        "op_from\top_to\t"
        "vol_op\trecov_op\tevap_op\tdispNat_op\tdispChem_op\tburn_op\tfloatUnc_op\tbeach_op\t"
        "vol_tot\trecov_tot\tevap_tot\tdispNat_tot\tdispChem_tot\tburn_tot\tfloatUnc_tot\tbeach_tot\ttotal\r";
    const std::int64_t from = static_cast<std::int64_t>(startSlot) - 1;
    out += platform::FormatTime(times.After(from), "%m/%d %H%M\t");
    out += platform::FormatTime(times.After(from + duration), "%m/%d %H%M\t");
    const int p = std::max(precision, 0);
    for (int row = 0; row < 8; ++row) out += platform::Format("%.*f\t", p, sums.period[row]);
    for (int row = 0; row < 8; ++row) out += platform::Format("%.*f\t", p, sums.total[row]);
    out += platform::Format("%.*f\r", p, sums.total[8]);
    return out;
}

}  // namespace

IcsPeriodSums ComputePeriodSums(const model::SIcsBudgetData& r, int startSlot, int duration) {
    IcsPeriodSums sums;
    const std::int64_t a = static_cast<std::int64_t>(startSlot) - 1;
    if (a < 0 || duration <= 0 || r.hours <= 0 || r.count <= 0 || r.count > model::SERIES_LENGTH || a >= r.hours)
        return sums;
    const std::int64_t perHour = r.count / r.hours;
    const std::int64_t end = std::min<std::int64_t>(perHour * (a + duration) - 1, r.count - 1);
    const std::int64_t start = a * perHour - 1;
    if (end < 0) return sums;
    for (int row = 0; row < 8; ++row) {
        const int s = kRowSeries[row];
        if (r.names[s][0] == '\0') continue;
        const double* v = r.series[s];
        sums.total[row] = v[end];
        sums.period[row] = start < 0 ? v[end] : v[end] - v[start];
    }
    sums.period[kFloatingRow] = sums.total[kFloatingRow];
    for (int row = 1; row <= 7; ++row) {
        sums.period[8] += sums.period[row];
        sums.total[8] += sums.total[row];
    }
    return sums;
}

int GetPrecision(const model::SIcsBudgetData& r) {
    if (r.count <= 0 || r.count > model::SERIES_LENGTH) return 2;
    return DecimalsFor(r.series[model::ICS_TOTAL][r.count - 1]);
}

int StartSlot(document::Time spill, const document::TimePick& beginning, const platform::IClock& clock) {
    const document::Time begin = document::OperationTime(beginning, spill, clock);
    // Whole hours toward zero, computed without overflow for any two times.
    const __int128 slot = (static_cast<__int128>(begin) - spill) / 3600 + 1;
    return static_cast<int>(std::clamp<__int128>(slot, INT_MIN / 2, INT_MAX / 2));
}

DurationReading ReadDuration(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), 1000000LL);  // far past the clamp, never overflows
    }
    if (negative) value = -value;
    DurationReading out;
    out.hours = static_cast<int>(std::clamp(value, 0LL, 24LL));
    out.rewrite = out.hours != value;
    if (out.rewrite) out.text = std::to_string(out.hours);
    return out;
}

IcsChoices InitialIcsChoices(document::Time spill, const platform::IClock& clock) {
    IcsChoices c;
    c.beginning = document::PickOf(spill, clock);
    return c;
}

IcsTableText::IcsTableText(const model::SIcsBudgetData& r, const IcsChoices& choices, document::Time spill,
                           const TableHeader& header, const platform::IClock& clock) {
    if (r.count <= 0 || r.count > model::SERIES_LENGTH) return;
    hasResults_ = true;
    precision_ = GetPrecision(r);
    startSlot_ = StartSlot(spill, choices.beginning, clock);
    const IcsPeriodSums sums = ComputePeriodSums(r, startSlot_, choices.duration);
    header_ = HeaderOpening(header) + kHeaderRule;
    table_ = BuildTable(sums, precision_);
    export_ = BuildExport(sums, precision_, SpillHours(spill, clock), startSlot_, choices.duration);
}

IcsTableText IcsTableText::FromDocument(const document::SpillDocCore& doc, const IcsChoices& choices) {
    if (!TableHasResults(doc)) return IcsTableText();
    auto record = std::make_unique<model::SIcsBudgetData>();
    doc.Model().GetIcsBudgetSeries(*record, model::AMOUNT_BBL);
    model::CopySeriesLabel(record->units, "bbl");
    return IcsTableText(*record, choices, doc.scenario.SpillTime, ReadTableHeader(doc.scenario, doc.Clock()),
                        doc.Clock());
}

}  // namespace output
