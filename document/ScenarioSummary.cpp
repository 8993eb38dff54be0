#include "document/ScenarioSummary.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "document/SpillDoc.h"
#include "platform/NumText.h"
#include "platform/TimeText.h"

namespace document {

namespace {

constexpr const char* kVolume[] = {"bbl", "gal", "cu m", "tons", "metric tons"};
constexpr const char* kRate[] = {"bbl/hr", "gal/hr", "cu m/hr", "tons/hr", "metric tons/hr", "gal/min"};
constexpr const char* kDuration[] = {"hours", "days"};
constexpr const char* kArea[] = {"sq. feet", "sq. yards", "sq. meters"};
constexpr const char* kThickness[] = {"mm", "cm", "inches"};
constexpr const char* kSpeed[] = {"mph", "knots", "m/s"};
constexpr const char* kWaveHeight[] = {"meters", "feet"};
constexpr const char* kFetch[] = {"miles", "km"};
constexpr const char* kTemperature[] = {"F", "C"};

template <std::size_t N>
const char* Pick(const char* const (&names)[N], int index) {
    return (index >= 0 && static_cast<std::size_t>(index) < N) ? names[index] : "";
}

using platform::Format;

// A whole number for "%d", whatever the double holds.
int WholeNumber(double v) {
    if (!(v == v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// An entered operation value: a whole number as "%.0f" prints it, a value
// with a fraction with up to two decimals and no trailing zeros (0.2, 50.5,
// 0.08 for 0.078).
std::string EnteredValue(double v) {
    if (!std::isfinite(v)) return Format("%.0f", v);
    std::string text = Format("%.2f", v);
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos) return text;
    std::size_t end = text.find_last_not_of('0');
    if (end == dot) --end;
    text.erase(end + 1);
    return text;
}

// Kelvin to the nearest whole deg C.
double RoundedCelsius(double kelvin) { return std::floor(kelvin - 273.15 + 0.5); }

class Builder {
public:
    Builder(const SpillDocCore& doc, SummaryFlavour flavour)
        : doc_(doc), s_(doc.scenario), flavour_(flavour) {}

    bool Tree() const { return flavour_ == SummaryFlavour::Tree; }
    // Run values are shown: SolvedTree raised now (tree); in the printout
    // while SolvedPrint is set and the run's results are still those of the
    // inputs (SolvedPrint stays set after a later input change).
    bool Solved() const {
        const SessionState& s = doc_.session;
        if (Tree()) return s.m_bChanged[SolvedTree] != 0;
        return s.m_bChanged[SolvedPrint] != 0 && !s.resultsStale;
    }

    void Heading(const char* text) { lines_.push_back({0, SummaryStyle::Heading, text, false}); }
    void Bold(int depth, std::string text) { lines_.push_back({depth, SummaryStyle::Bold, std::move(text), false}); }
    void Line(int depth, std::string text) { lines_.push_back({depth, SummaryStyle::Plain, std::move(text), false}); }
    // The tree's empty placeholder item.
    void Empty() {
        if (Tree()) Line(1, "");
    }
    // Opens the line added last (tree).
    void ExpandLast() {
        if (!lines_.empty()) lines_.back().expanded = true;
    }
    void ExpandAt(std::size_t index) {
        if (index < lines_.size()) lines_[index].expanded = true;
    }
    std::size_t Size() const { return lines_.size(); }
    SummaryLines Take() { return std::move(lines_); }

    std::string When(Time t, const char* format) const {
        return platform::FormatTime(doc_.Clock().Local(static_cast<std::time_t>(t)), format);
    }
    std::string TimeOfDay(Time t) const { return When(t, "%B %d, %H%M"); }
    std::string Hour(Time t) const { return When(t, "%B %d, %H:00"); }

    const SpillDocCore& doc_;
    const Scenario& s_;
    SummaryFlavour flavour_;

private:
    SummaryLines lines_;
};

std::string EmulsificationText(const SpillDocCore& doc) {
    const Scenario& s = doc.scenario;
    if (s.uncertainty.emulFlag) return "Emulsification onset varies";
    if (!s.m_bEmulsDefault && s.m_bEmulsBullwinkleDefined)
        return Format("Mousse begins to form when %0.f%% of the oil has evaporated.", s.m_dEmulsValue);
    if (!s.m_bEmulsDefault)
        return Format("Mousse begins to form when %0.f hours after the start of the spill.", s.m_dEmulsValue);
    return Format("Mousse begins to form when %0.f%% of the oil has evaporated.", doc.Model().bullwinkle[0] * 100.0);
}

// The water temperature of the run, in the unit the water was entered in.
std::string RunTemperature(const SpillDocCore& doc) {
    const double c = RoundedCelsius(doc.Model().waterTemp);
    if (doc.scenario.water.tempUnits == model::WTEMP_C) return Format("%.0f deg C", c);
    return Format("%.0f deg F", c * 9.0 / 5.0 + 32.0);
}

void OilLines(Builder& b, int depth) {
    const Scenario& s = b.s_;
    const model::InputOil& oil = s.oil;
    b.Line(depth, s.OilName);
    b.Line(depth, "Location = " + s.Location);
    b.Line(depth, "Synonyms = " + s.Synonyms);
    b.Line(depth, "Product Type = " + s.ProductType);
    b.Line(depth, "API = " + s.API);
    b.Line(depth, "Pour Point = " + s.PourPoint);
    b.Line(depth, "Flash Point = " + s.FlashPoint);
    // A density or viscosity of 0 or less (missing) gives no line.
    if (b.Solved()) {
        const model::CWeatheringCore& core = b.doc_.Model();
        const std::string at = RunTemperature(b.doc_);
        if (core.rho > 0) b.Line(depth, Format("Density = %.3f g/cc at ", core.rho / 1000.0) + at);
        if (core.visc > 0) b.Line(depth, Format("Viscosity = %.1f cSt at ", core.visc * 1000000.0) + at);
    } else {
        if (oil.rhoRef_value[0] > 0)
            b.Line(depth, Format("Density = %.3f g/cc at %d deg C", oil.rhoRef_value[0] / 1000.0,
                                 WholeNumber(RoundedCelsius(oil.rhoRef_temp[0]))));
        if (oil.viscRef_value[0] > 0)
            b.Line(depth, Format("Viscosity = %.1f cSt at %d deg C", oil.viscRef_value[0] * 1000000.0,
                                 WholeNumber(RoundedCelsius(oil.viscRef_temp[0]))));
        else if (oil.dyViscRef_value[0] > 0)
            b.Line(depth, Format("Viscosity = %.1f cP at %d deg C", oil.dyViscRef_value[0] * 1000.0,
                                 WholeNumber(RoundedCelsius(oil.dyViscRef_temp[0]))));
    }
    // An empty text (an oil that never had one) reads as the dialog's own
    // "unknown", without a unit.
    auto withUnit = [](const std::string& value, const char* unit) {
        return value.empty() || value == "unknown" ? std::string("unknown") : value + unit;
    };
    b.Line(depth, "Adhesion = " + withUnit(s.Adhesion, " g/m2"));
    b.Line(depth, "Aromatics = " + withUnit(s.Aromatics, " weight %"));
    if (b.Tree() && FieldText(oil.productType, sizeof oil.productType) == "refined" &&
        (oil.benzene < 0 || oil.benzene >= 0.05))
        b.Line(depth, "WARNING! Benzene graph for this product may be unreliable.");
}

bool HasOil(const Scenario& s) { return s.oil.api > -900 || s.oil.rhoRef_value[0] > -900; }

// Whether the emulsification onset is shown at all.
bool ShowsEmulsification(const Builder& b) { return !b.s_.m_bEmulsDefault || b.Solved(); }

}  // namespace

const char* UnitName(UnitList list, int index) {
    switch (list) {
        case UnitList::Volume: return Pick(kVolume, index);
        case UnitList::Rate: return Pick(kRate, index);
        case UnitList::Duration: return Pick(kDuration, index);
        case UnitList::Area: return Pick(kArea, index);
        case UnitList::Thickness: return Pick(kThickness, index);
        case UnitList::Speed: return Pick(kSpeed, index);
        case UnitList::WaveHeight: return Pick(kWaveHeight, index);
        case UnitList::Fetch: return Pick(kFetch, index);
        case UnitList::Temperature: return Pick(kTemperature, index);
    }
    return "";
}

const char* UnitNameFromCode(UnitList list, int code) { return code >= 1 ? UnitName(list, code - 1) : ""; }

SummaryLines OilSummary(const SpillDocCore& doc, SummaryFlavour flavour) {
    Builder b(doc, flavour);
    const bool has = HasOil(doc.scenario);
    if (!has && !b.Tree()) return {};
    b.Heading(kOilSection);
    if (!has) {
        b.Empty();
        return b.Take();
    }
    b.ExpandLast();
    OilLines(b, 1);
    SummaryLines lines = b.Take();
    if (!b.Tree()) {
        SummaryLines emul = EmulsificationSummary(doc, flavour);
        lines.insert(lines.end(), emul.begin(), emul.end());
    }
    return lines;
}

SummaryLines EmulsificationSummary(const SpillDocCore& doc, SummaryFlavour flavour) {
    Builder b(doc, flavour);
    if (!ShowsEmulsification(b)) return {};
    if (b.Tree()) {
        b.Heading(kEmulsificationSection);
        b.ExpandLast();
        b.Line(1, EmulsificationText(doc));
    } else {
        b.Bold(1, kEmulsificationSection);
        b.Line(2, EmulsificationText(doc));
    }
    return b.Take();
}

SummaryLines WindSummary(const SpillDocCore& doc, SummaryFlavour flavour) {
    Builder b(doc, flavour);
    const Scenario& s = doc.scenario;
    if (!b.Tree() && !(s.m_dWindSpeed >= 0 || s.m_iVarWindNumber > 0)) return {};
    b.Heading(kWindSection);
    bool ended = false;  // the printout stops the section early
    if (s.m_bVarWind) {
        if (s.m_iVarWindNumber <= 0) {
            b.Empty();
            ended = true;
        } else {
            b.ExpandAt(0);
            const int last = s.m_iVarWindNumber < model::MAX_HOURS ? s.m_iVarWindNumber - 1 : model::MAX_HOURS - 1;
            b.Line(1, "Variable Wind");
            b.Line(1, "Winds Start = " + b.Hour(s.m_tVarWindTime[0]) + " hours");
            b.Line(1, "Winds Stop = " + b.Hour(s.m_tVarWindTime[last]) + " hours");
        }
    } else if (s.m_dWindSpeed >= 0) {
        b.ExpandAt(0);
        b.Line(1, Format("Wind Speed = %.0f %s from %.0f degrees", s.m_dWindSpeed,
                         UnitName(UnitList::Speed, s.m_iWindSpeedUnit), s.m_dWindDirection));
        if (s.m_iWaveHeightChooser == 1) {
            b.Line(1, "Wave Height = computed from wind speed and fetch");
            b.Line(1, Format("Fetch = %.0f %s", s.m_dFetch, UnitName(UnitList::Fetch, s.m_iFetchUnit)));
        } else if (s.m_iWaveHeightChooser == 2) {
            b.Line(1, Format("Wave Height = %.1f %s", s.m_dWaveHeight,
                             UnitName(UnitList::WaveHeight, s.m_iWaveHeightUnit)));
        } else {
            b.Line(1, "Wave Height = computed from wind speed, unlimited fetch (default)");
        }
    } else {
        b.Empty();
        ended = true;
    }
    if (s.uncertainty.windFlag && (b.Tree() || !ended)) {
        b.Bold(1, "Wind Uncertainty");
        b.ExpandLast();
        b.Line(2, Format("Wind speed = (+/-) %.0f %s", s.uncertainty.wind,
                         UnitNameFromCode(UnitList::Speed, s.uncertainty.windUnits)));
    }
    return b.Take();
}

SummaryLines WaterSummary(const SpillDocCore& doc, SummaryFlavour flavour) {
    Builder b(doc, flavour);
    const model::InputWater& w = doc.scenario.water;
    const bool has = w.temperature > -900;
    if (!has && !b.Tree()) return {};
    b.Heading(kWaterSection);
    if (!has) {
        b.Empty();
        return b.Take();
    }
    b.ExpandLast();
    b.Line(1, Format("Temperature = %.0f deg %s", w.temperature, UnitNameFromCode(UnitList::Temperature, w.tempUnits)));
    b.Line(1, Format("Salinity = %.0f ppt", w.salinity));
    const char* kind = w.sediment == 5 ? " (ocean)" : w.sediment == 50 ? " (avg. river/estuary)"
                                                     : w.sediment == 500 ? " (muddy river)" : "";
    b.Line(1, Format("Sediment Load = %.0f g/m3", w.sediment) + kind);
    const char* speedUnit = UnitNameFromCode(UnitList::Speed, w.speedUnits);
    if (w.speed == 0)
        b.Line(1, Format("Current = 0 %s", speedUnit));
    else
        b.Line(1, Format("Current = %.1f %s towards %.0f degrees", w.speed, speedUnit, w.direction));
    return b.Take();
}

SummaryLines ReleaseSummary(const SpillDocCore& doc, SummaryFlavour flavour) {
    Builder b(doc, flavour);
    const Scenario& s = doc.scenario;
    const bool any = s.instant.flag || s.continuous.flag || s.tank.flag || s.boomed.flag;
    if (b.Tree() || any) {
        b.Heading(kReleaseSection);
        if (any) b.ExpandLast();
    }
    const std::string hours = " hours";
    if (s.instant.flag) {
        b.Bold(1, "Instantaneous Release");
        b.ExpandLast();
        b.Line(2, "Time of Release = " + b.TimeOfDay(s.InstantaneousTime) + hours);
        b.Line(2, Format("Amount Spilled = %.0f %s", s.instant.vol, UnitNameFromCode(UnitList::Volume, s.instant.volUnits)));
    }
    if (s.continuous.flag) {
        const ContinuousVars& c = s.cont;
        b.Bold(1, "Continuous Release");
        b.ExpandLast();
        b.Line(2, "Time of Release = " + b.TimeOfDay(s.ContinuousTime) + hours);
        switch (c.spilledType) {
            case 0:
                b.Line(2, Format("Amount Spilled = %.0f %s", c.amount, UnitName(UnitList::Volume, c.amountUnits)));
                break;
            case 1:
                b.Line(2, Format("Spill Rate = %.0f %s", c.rate, UnitName(UnitList::Rate, c.rateUnits1)));
                break;
            case 2:
                b.Line(2, Format("Starting Spill Rate = %.0f %s", c.startRate, UnitName(UnitList::Rate, c.rateUnits2)));
                b.Line(2, Format("Final Spill Rate = %.0f %s", c.endRate, UnitName(UnitList::Rate, c.rateUnits2)));
                break;
            default:
                break;
        }
        b.Line(2, Format("Duration of Release = %d %s", c.duration, UnitName(UnitList::Duration, c.durationUnits == 0 ? 0 : 1)));
    }
    if (s.tank.flag) {
        b.Bold(1, "Leaking Tank Release");
        b.ExpandLast();
        b.Line(2, "Time of Release = " + b.TimeOfDay(s.TankTime) + hours);
    }
    if (s.boomed.flag) {
        b.Bold(1, "Contained Release");
        b.ExpandLast();
        b.Line(2, "Time of Release = " + b.TimeOfDay(s.ContainedTime) + hours);
        b.Line(2, Format("Amount Spilled = %.0f %s", s.boomed.vol, UnitNameFromCode(UnitList::Volume, s.boomed.volUnits)));
        b.Line(2, Format("Area of Contained Oil = %.0f %s", s.boomed.area, UnitNameFromCode(UnitList::Area, s.boomed.areaUnits)));
    }
    if (s.uncertainty.volFlag) {
        b.Bold(1, "Release Uncertainty");
        b.ExpandLast();
        b.Line(2, Format("Amount Spilled = (+/-) %.0f%% of the total oil spilled", s.uncertainty.vol));
    }
    if (b.Tree()) b.Line(1, "");
    return b.Take();
}

SummaryLines DispersantSummary(const SpillDocCore& doc, SummaryFlavour flavour) {
    Builder b(doc, flavour);
    const Scenario& s = doc.scenario;
    for (int n = 0; n < kPages; ++n) {
        if (!s.mDispersantPageUse[n]) continue;
        if (b.Size() == 0) {
            b.Heading(kDispersantSection);
            b.ExpandLast();
        }
        b.Bold(1, Format("Dispersant Operation = %d", n + 1));
        b.ExpandLast();
        b.Line(2, "Time of Application = " + b.TimeOfDay(s.DispersantTime[n]) + " hours");
        b.Line(2, Format("Duration of Spray = %d hours", s.m_nDispersantDuration[n]));
        b.Line(2, "Percent of Slick Sprayed = " + EnteredValue(s.m_dDispersantDispersed[n]) + " %");
        b.Line(2, "Dispersant Effectiveness = " + EnteredValue(s.m_dDispersantSprayed[n]) + " %");
    }
    return b.Take();
}

SummaryLines BurnSummary(const SpillDocCore& doc, SummaryFlavour flavour) {
    Builder b(doc, flavour);
    const Scenario& s = doc.scenario;
    for (int n = 0; n < kPages; ++n) {
        if (!s.mInSituBurnPageUse[n]) continue;
        if (b.Size() == 0) {
            b.Heading(kBurnSection);
            b.ExpandLast();
        }
        b.Bold(1, Format("In-Situ Burn Operation = %d", n + 1));
        b.ExpandLast();
        b.Line(2, "Time of Burn = " + b.TimeOfDay(s.InSituBurnTime[n]) + " hours");
        b.Line(2, "Area of Burn = " + EnteredValue(s.m_dBurnArea[n]) + " " +
                      UnitName(UnitList::Area, s.m_iAreaUnits[n]));
        b.Line(2, "Oil Thickness = " + EnteredValue(s.m_dBurnThickness[n]) + " " +
                      UnitName(UnitList::Thickness, s.m_iThicknessUnits[n]));
    }
    return b.Take();
}

SummaryLines MechanicalSummary(const SpillDocCore& doc, SummaryFlavour flavour) {
    Builder b(doc, flavour);
    const Scenario& s = doc.scenario;
    for (int n = 0; n < kPages; ++n) {
        if (!s.mMechanicalPageUse[n]) continue;
        if (b.Size() == 0) {
            b.Heading(kMechanicalSection);
            b.ExpandLast();
        }
        b.Bold(1, Format("Mechanical Cleanup Operation = %d", n + 1));
        b.ExpandLast();
        b.Line(2, "Time of Application = " + b.TimeOfDay(s.SkimmerTime[n]) + " hours");
        if (s.m_bMechanicalRateUse[n])
            b.Line(2, "Recovery Rate = " + EnteredValue(s.m_dMechanicalRate[n]) + " " +
                          UnitName(UnitList::Rate, s.m_iRecoveryUnits[n]));
        else
            b.Line(2, "AmountRecovered = " + EnteredValue(s.m_dMechanicalAmount[n]) + " " +
                          UnitName(UnitList::Volume, s.m_iAmountUnits[n]));
    }
    return b.Take();
}

SummaryLines BeachedSummary(const SpillDocCore& doc, SummaryFlavour flavour) {
    Builder b(doc, flavour);
    const Scenario& s = doc.scenario;
    for (int d = 0; d < kBeachingDays; ++d) {
        if (!(s.m_dBeachingAmount[d] > 0)) continue;
        if (b.Size() == 0) {
            b.Heading(kBeachedSection);
            b.ExpandLast();
        }
        b.Line(1, Format("Day %d = %0.f %s", d + 1, s.m_dBeachingAmount[d], UnitName(UnitList::Volume, s.m_iBeachingUnits)));
    }
    return b.Take();
}

SummaryLines PrintSummary(const SpillDocCore& doc) {
    SummaryLines out;
    for (auto section : {OilSummary, WindSummary, WaterSummary, ReleaseSummary, DispersantSummary, BurnSummary,
                         MechanicalSummary, BeachedSummary}) {
        SummaryLines part = section(doc, SummaryFlavour::Print);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

}  // namespace document
