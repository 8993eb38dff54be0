#include "ui/inputs/rules/TankWizardRules.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "platform/NumText.h"
#include "ui/inputs/rules/InputTexts.h"

namespace ui {

namespace {

// The checks' own conversions. They only decide whether a step passes, so
// they keep the wizard's constants (pi 3.14 among them) rather than the
// model's conversions.
constexpr double kBblM3 = 0.158987294928;
constexpr double kGalM3 = 0.003785411784;
constexpr double kCuFtPerM3 = 35.31467;
constexpr double kSqFtM2 = 0.092903;
constexpr double kSqInM2 = 0.000645;
constexpr double kSqCmM2 = 0.0001;
constexpr double kFtM = 0.3048;
constexpr double kInM = 0.0254;
constexpr double kCmM = 0.01;
constexpr double kFtPerM = 3.28084;
constexpr double kPi = 3.14;

// Tank record codes (1-based) of the length units.
constexpr int kCodeMetres = 1;
constexpr int kCodeFeet = 2;
// Amount codes of the tank record for a volume in tank units.
constexpr int kCodeCubicMetres = 3;
constexpr int kCodeCubicFeet = 4;

constexpr const char* kHeadings[kTankSteps] = {
    "Step 1: Tank Size",      "Step 2: Amount of Liquid", "Step 3: Type and Area of Leak",
    "Step 4: Location of Leak", "Step 5: Water Level",      "Step 6: Time of Release",
    "Step 7: Release Information",
};

// The circle's least diameter and the rectangle's least area, per unit.
struct HoleMinimum {
    double diameter;
    const char* diameterText;
    double area;
    const char* areaText;
};
constexpr HoleMinimum kHoleMinimum[4] = {
    {0.02, "The hole diameter must be greater than 0.02 meters.", 0.00126,
     "The area of the hole must be greater than 0.00126 square meters."},
    {2, "The hole diameter must be greater than 2 centimeters.", 12.6,
     "The area of the hole must be greater than 12.6 square centimeters."},
    {0.065, "The hole diameter must be greater than 0.065 feet.", 0.0135,
     "The area of the hole must be greater than 0.0135 square feet."},
    {0.79, "The hole diameter must be greater than 0.79 inches.", 1.95,
     "The area of the hole must be greater than 1.95 square inches."},
};
constexpr double kHoleUnitM[4] = {1, kCmM, kFtM, kInM};
constexpr double kHoleUnitM2[4] = {1, kSqCmM2, kSqFtM2, kSqInM2};

CheckResult Problem(std::string_view text) { return CheckResult::Refuse(std::string(kHeaderProblemDot) + std::string(text)); }
CheckResult NotANumber() { return CheckResult::Refuse(platform::kEnterNumberText); }

int Clamp(int index, std::size_t count) { return std::clamp(index, 0, static_cast<int>(count) - 1); }

// A length in tank units (tUnits code) in metres.
double TankMetres(double v, int tUnits) { return tUnits == kCodeFeet ? v * kFtM : v; }

}  // namespace

double TankAmountCubicMetres(double amount, int unit) {
    constexpr double kToM3[3] = {kBblM3, kGalM3, 1};  // bbl, gal, cu m; cu feet divide
    const int u = Clamp(unit, kTankAmountUnits.size());
    return u == 3 ? amount / kCuFtPerM3 : amount * kToM3[u];
}

double TankLengthMetres(double length, int unit) {
    return Clamp(unit, kTankLengthUnits.size()) == 1 ? length * kFtM : length;
}

double TankHoleMetres(double size, int unit) { return size * kHoleUnitM[Clamp(unit, kTankHoleUnits.size())]; }

const char* TankStepHeading(int step) { return kHeadings[std::clamp(step, 1, kTankSteps) - 1]; }

TankWizardRules::TankWizardRules(document::SpillDocCore& doc) : doc_(doc), saved_(doc.scenario) {}

void TankWizardRules::LoadStep(int step, TankWizardForms& forms) const {
    // A stored value below 0 shows as an empty field.
    const document::Scenario& s = doc_.scenario;
    const model::InputTank& t = s.tank;
    switch (step) {
        case 1:
            forms.size = {ShownFrom0(t.tLength), ShownFrom0(t.tWidth), ShownFrom0(t.tHeight),
                          t.tUnits <= 0 ? 0 : Clamp(t.tUnits - 1, kTankLengthUnits.size())};
            break;
        case 2:
            forms.amount = {s.m_bTankVolumeKnown != 0, ShownFrom0(s.m_dTankOilVolume),
                            s.m_iTankVolumeUnit <= 0 ? 0 : Clamp(s.m_iTankVolumeUnit - 1, kTankAmountUnits.size()),
                            ShownFrom0(s.m_dTankPercentFull)};
            break;
        case 3:
            forms.opening = {s.m_bHoleRound != 0,
                             ShownFrom0(s.m_dHoleDiameter),
                             Clamp(s.m_iHoleDiameterUnit, kTankHoleUnits.size()),
                             ShownFrom0(s.m_dHoleRectWidth),
                             ShownFrom0(s.m_dHoleRectHeight),
                             Clamp(s.m_iHoleRectUnit, kTankHoleUnits.size())};
            break;
        case 4:
            forms.holeHeight = {s.m_bHoleHeightKnown != 0, ShownFrom0(s.m_dHoleHeight),
                                Clamp(s.m_iHoleHeightUnit, kTankLengthUnits.size()), ShownFrom0(s.m_dHoleHeightPercent)};
            break;
        case 5:
            forms.waterLevel = {s.m_bWaterLevelKnown != 0, ShownFrom0(s.m_dWaterLevel),
                                Clamp(s.m_iWaterLevelUnit, kTankLengthUnits.size()), ShownFrom0(s.m_dWaterLevelPercent)};
            break;
        case 6: forms.time.pick = document::PickOf(s.TankTime, doc_.Clock()); break;
        default: break;
    }
}

void TankWizardRules::SetMode(int step, bool first) {
    document::Scenario& s = doc_.scenario;
    const int mode = first ? 1 : 0;
    switch (step) {
        case 2: s.m_bTankVolumeKnown = mode; break;
        case 3: s.m_bHoleRound = mode; break;
        case 4: s.m_bHoleHeightKnown = mode; break;
        case 5: s.m_bWaterLevelKnown = mode; break;
        default: break;
    }
}

CheckResult TankWizardRules::Next(int step, const TankWizardForms& forms) {
    switch (step) {
        case 1: return NextSize(forms.size);
        case 2: return NextAmount(forms.amount);
        case 3: return NextOpening(forms.opening);
        case 4: return NextHoleHeight(forms.holeHeight);
        case 5: return NextWaterLevel(forms.waterLevel);
        case 6: return NextTime(forms.time);
        default: return {};
    }
}

CheckResult TankWizardRules::NextSize(const TankSizeForm& f) {
    if (IsBlank(f.length) || IsBlank(f.width) || IsBlank(f.height)) return Problem(kTankSizeEmptyText);
    const double length = platform::LeadingDecimal(f.length);
    const double width = platform::LeadingDecimal(f.width);
    const double height = platform::LeadingDecimal(f.height);
    const int unit = Clamp(f.unit, kTankLengthUnits.size());
    if (unit == 0) {
        if (length < 0.3 || length > 20) return Problem("The length of the tank must be between 0.3 and 20 meters.");
        if (width < 0.3 || width > 20) return Problem("The width of the tank must be between 0.3 and 20 meters.");
        if (height < 0.6 || height > 20) return Problem("The height of the tank must be between 0.6 and 20 meters.");
    } else {
        if (length < 1 || length > 66) return Problem("The length of the tank must be between 1 and 66 feet.");
        if (width < 1 || width > 66) return Problem("The width of the tank must be between 1 and 66 feet.");
        if (height < 2 || height > 66) return Problem("The height of the tank must be between 2 and 66 feet.");
    }
    const std::optional<double> l = platform::ReadNumber(f.length), w = platform::ReadNumber(f.width),
                                h = platform::ReadNumber(f.height);
    if (!l || !w || !h) return NotANumber();
    model::InputTank& t = doc_.scenario.tank;
    t.tLength = *l;
    t.tWidth = *w;
    t.tHeight = *h;
    t.tUnits = unit + 1;
    return {};
}

CheckResult TankWizardRules::NextAmount(const TankAmountForm& f) {
    document::Scenario& s = doc_.scenario;
    model::InputTank& t = s.tank;
    const int unit = Clamp(f.unit, kTankAmountUnits.size());
    if (f.amountKnown) {
        const double amount = platform::LeadingDecimal(f.amount);
        if (IsBlank(f.amount) || !(amount > 0)) return Problem(kTankAmountText);
        const double amountM3 = TankAmountCubicMetres(amount, unit);
        double tankM3 = t.tLength * t.tWidth * t.tHeight;
        if (t.tUnits == kCodeFeet) tankM3 /= kCuFtPerM3;
        if (amountM3 > tankM3) return Problem(kTankFullText);
        const std::optional<double> v = platform::ReadNumber(f.amount);
        if (!v) return NotANumber();
        s.m_iTankVolumeUnit = unit + 1;
        s.m_dTankOilVolume = *v;
        t.oVol = *v;
        t.oUnits = s.m_iTankVolumeUnit;
    } else {
        const std::optional<double> p = platform::ReadNumber(f.percent);
        if (!p) return NotANumber();
        if (*p < 1 || *p > 100) return Problem(kTankPercentText);
        s.m_iTankVolumeUnit = unit + 1;
        s.m_dTankPercentFull = *p;
        t.oVol = t.tHeight * t.tWidth * t.tLength * *p / 100;
        t.oUnits = t.tUnits == kCodeFeet ? kCodeCubicFeet : kCodeCubicMetres;
    }
    return {};
}

CheckResult TankWizardRules::NextOpening(const TankOpeningForm& f) {
    document::Scenario& s = doc_.scenario;
    model::InputTank& t = s.tank;
    double bottomM2 = t.tLength * t.tWidth;
    if (t.tUnits == kCodeFeet) bottomM2 *= kSqFtM2;
    const double limitM2 = 0.1 * bottomM2;
    const int diameterUnit = Clamp(f.diameterUnit, kTankHoleUnits.size());
    const int rectUnit = Clamp(f.rectUnit, kTankHoleUnits.size());
    if (f.round) {
        if (IsBlank(f.diameter)) return Problem(kHoleDiameterEmptyText);
        const double d = platform::LeadingDecimal(f.diameter);
        const HoleMinimum& min = kHoleMinimum[diameterUnit];
        if (!(d >= min.diameter)) return Problem(min.diameterText);
        const double r = d / 2 * kHoleUnitM[diameterUnit];
        if (r * r * kPi > limitM2) return Problem(kHoleCircleAreaText);
        const std::optional<double> v = platform::ReadNumber(f.diameter);
        if (!v) return NotANumber();
        s.m_iHoleDiameterUnit = diameterUnit;
        s.m_iHoleRectUnit = rectUnit;
        s.m_dHoleDiameter = *v;
        t.hDiam = *v;
        t.hArea = *v * *v * kPi / 4;
        t.hUnits = diameterUnit + 1;
    } else {
        if (IsBlank(f.rectLength) || IsBlank(f.rectHeight)) return Problem(kHoleRectEmptyText);
        const double length = platform::LeadingDecimal(f.rectLength);
        const double height = platform::LeadingDecimal(f.rectHeight);
        const HoleMinimum& min = kHoleMinimum[rectUnit];
        // Two negative sides do not make an opening.
        const double area = length > 0 && height > 0 ? length * height : 0;
        if (area < min.area) return Problem(min.areaText);
        if (area * kHoleUnitM2[rectUnit] > limitM2) return CheckResult::Refuse(kHoleRectAreaText);
        const std::optional<double> l = platform::ReadNumber(f.rectLength), h = platform::ReadNumber(f.rectHeight);
        if (!l || !h) return NotANumber();
        s.m_iHoleDiameterUnit = diameterUnit;
        s.m_iHoleRectUnit = rectUnit;
        s.m_dHoleRectWidth = *l;
        s.m_dHoleRectHeight = *h;
        t.hArea = *l * *h;
        t.hDiam = *h;
        t.hUnits = rectUnit + 1;
    }
    return {};
}

CheckResult TankWizardRules::NextHoleHeight(const TankHeightForm& f) {
    document::Scenario& s = doc_.scenario;
    model::InputTank& t = s.tank;
    const int unit = Clamp(f.unit, kTankLengthUnits.size());
    const double tankM = TankMetres(t.tHeight, t.tUnits);
    const int hUnit = std::clamp(t.hUnits, 1, 4) - 1;
    const double openingM = t.hDiam * kHoleUnitM[hUnit];
    if (f.heightKnown) {
        if (IsBlank(f.height)) return Problem(kHoleHeightEmptyText);
        const double h = platform::LeadingDecimal(f.height);
        if (h < 0) return Problem(kHoleNegativeText);
        if (tankM - openingM < (unit == 1 ? h * kFtM : h)) return Problem(kHoleAboveTankText);
        const std::optional<double> v = platform::ReadNumber(f.height);
        if (!v) return NotANumber();
        s.m_iHoleHeightUnit = unit;
        s.m_dHoleHeight = *v;
        t.zHeight = *v;
        t.zUnits = unit + 1;
    } else {
        const std::optional<double> p = platform::ReadNumber(f.percent);
        if (!p) return NotANumber();
        if (*p < 1 || *p > 100) return Problem(kHolePercentText);
        const double z = t.tHeight * *p / 100;
        if (tankM - openingM < TankMetres(z, t.tUnits)) return Problem(kHoleAboveTankText);
        s.m_iHoleHeightUnit = unit;
        s.m_dHoleHeightPercent = *p;
        t.zHeight = z;
        t.zUnits = t.tUnits;
    }
    return {};
}

CheckResult TankWizardRules::NextWaterLevel(const TankHeightForm& f) {
    document::Scenario& s = doc_.scenario;
    model::InputTank& t = s.tank;
    const int unit = Clamp(f.unit, kTankLengthUnits.size());
    if (f.heightKnown) {
        if (IsBlank(f.height)) return Problem(kWaterEmptyText);
        const double w = platform::LeadingDecimal(f.height);
        if (w < 0) return Problem(kWaterNegativeText);
        double tankInUnit = t.tHeight;
        if (t.tUnits == kCodeFeet && unit == 0) tankInUnit *= kFtM;
        if (t.tUnits == kCodeMetres && unit == 1) tankInUnit *= kFtPerM;
        if (w > tankInUnit) return Problem(kWaterAboveTankText);
        const std::optional<double> v = platform::ReadNumber(f.height);
        if (!v) return NotANumber();
        s.m_iWaterLevelUnit = unit;
        s.m_dWaterLevel = *v;
        t.wHeight = *v;
        t.wUnits = unit + 1;
    } else {
        const std::optional<double> p = platform::ReadNumber(f.percent);
        if (!p) return NotANumber();
        if (*p < 0 || *p > 100) return Problem(kWaterPercentText);
        s.m_iWaterLevelUnit = unit;
        s.m_dWaterLevelPercent = *p;
        t.wHeight = t.tHeight * *p / 100;
        t.wUnits = t.tUnits;
    }
    return {};
}

CheckResult TankWizardRules::NextTime(const TankTimeForm& f) {
    document::Scenario& s = doc_.scenario;
    const platform::IClock& clock = doc_.Clock();
    const std::tm spill = clock.Local(static_cast<std::time_t>(s.SpillTime));
    s.TankTime = document::PickTime(f.pick, spill.tm_year + 1900, clock);
    model::InputTank& t = s.tank;
    t.vent = 1;
    t.aground = 0;
    t.Cd = model::MISSING_VALUE_D;
    t.flag = 1;
    // The model says itself why it refused the tank; the wizard then says
    // that nothing comes out.
    const bool computed = doc_.ComputeTankLeak();
    auto released = [](double v) { return std::isfinite(v) && v > 0; };
    if (!computed || !released(s.m_dTankTotalRelease) || !released(s.m_dTankLeakDuration))
        return Problem(kNoTankReleaseText);
    return {};
}

void TankWizardRules::Finish(int releaseUnit) {
    doc_.scenario.m_iTankReleaseUnit = Clamp(releaseUnit, kTankReleaseUnits.size());
    doc_.scenario.tank.flag = 1;
}

void TankWizardRules::Cancel() { doc_.scenario = saved_; }

int TankWizardRules::ReleaseUnit() const { return Clamp(doc_.scenario.m_iTankReleaseUnit, kTankReleaseUnits.size()); }

}  // namespace ui
