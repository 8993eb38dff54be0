// The leaking-tank wizard without its windows: the six input steps' forms,
// what each shows from the document, the checks of Next with their texts,
// and what Next writes: the wizard's own variables (so a reopened wizard
// shows the last answers) and the tank record the model computes from.
// Step 6 computes the leak; Finish keeps it, Cancel puts back what the
// document held when the wizard opened.
#pragma once

#include <array>
#include <string>

#include "document/SpillDoc.h"
#include "ui/common/rules/CheckResult.h"
#include "document/TimePick.h"

namespace ui {

inline constexpr const char* kTankWizardTitle = "Leaking Tank Setup";
inline constexpr int kTankSteps = 7;

// The heading of step 1..7.
const char* TankStepHeading(int step);

// Unit lists, in list order. Stored unit variables differ in base: the
// amount unit of step 2 (m_iTankVolumeUnit) counts from 1 like the tank
// record's codes, the other wizard unit variables are list indices from 0.
inline constexpr std::array<const char*, 2> kTankLengthUnits = {"meters", "feet"};
inline constexpr std::array<const char*, 4> kTankAmountUnits = {"bbl", "gal", "cu m", "cu feet"};
inline constexpr std::array<const char*, 4> kTankHoleUnits = {"meters", "cm", "feet", "inches"};
inline constexpr std::array<const char*, 5> kTankReleaseUnits = {"bbl", "gal", "cu m", "tons", "metric tons"};

// The wizard's own conversions to metres and cubic metres (its checks
// keep these constants, pi 3.14 among them, rather than the model's):
// an amount in a kTankAmountUnits unit, a length in a kTankLengthUnits
// unit, an opening's size in a kTankHoleUnits unit. Indices out of a list
// count as its first or last entry.
double TankAmountCubicMetres(double amount, int unit);
double TankLengthMetres(double length, int unit);
double TankHoleMetres(double size, int unit);

// The texts of the checks (after the header "Problem with the Input.\n\n",
// except the rectangle's 10 % text, which stands alone).
inline constexpr const char* kTankSizeEmptyText = "Please provide estimates for tank length, width and height.";
inline constexpr const char* kTankFullText = "The tank exceeds 100% full based on the dimensions provided in Step 1.";
inline constexpr const char* kTankAmountText = "Please enter the amount of liquid in the tank.";
inline constexpr const char* kTankPercentText = "The tank must be between 1 and 100% full.";
inline constexpr const char* kHoleDiameterEmptyText =
    "Please enter the diameter of the hole. You either left\nthe field empty or entered zero.";
inline constexpr const char* kHoleCircleAreaText =
    "The area of the hole cannot exceed 10% of the area of the bottom of the tank.";
inline constexpr const char* kHoleRectEmptyText =
    "Please enter the height of the hole. You either left\nthe field empty or entered zero.";
inline constexpr const char* kHoleRectAreaText =
    "The area of the hole cannot exceed 10% of the area\nof the bottom of the tank.";
inline constexpr const char* kHoleHeightEmptyText =
    "Please enter the height of the hole above the bottom of the tank.\nYou left the field empty.";
inline constexpr const char* kHoleNegativeText = "The height of the hole cannot be negative.";
inline constexpr const char* kHoleAboveTankText =
    "The hole (height up to bottom of hole plus hole diameter/height)\ncannot exceed the height of the tank.";
inline constexpr const char* kHolePercentText =
    "The hole must be between 1 and 100%\nof the way to the top of the tank.";
inline constexpr const char* kWaterEmptyText =
    "Please enter the exterior water level above the bottom of the tank.\nYou left the field empty.";
inline constexpr const char* kWaterNegativeText = "The exterior water level cannot be negative.";
inline constexpr const char* kWaterAboveTankText = "The exterior water level cannot exceed the height of the tank.";
inline constexpr const char* kWaterPercentText =
    "The exterior water level (measured from the bottom of the tank) must be between 0 and 100%.";
inline constexpr const char* kNoTankReleaseText =
    "The tank does not release any oil with these inputs. Please check the height of the hole and the water "
    "level.";

// Step 1: the tank's size.
struct TankSizeForm {
    std::string length, width, height;
    int unit = 0;  // kTankLengthUnits
    friend bool operator==(const TankSizeForm&, const TankSizeForm&) = default;
};
// Step 2: the amount of liquid, or how full the tank is.
struct TankAmountForm {
    bool amountKnown = true;
    std::string amount;
    int unit = 0;  // kTankAmountUnits
    std::string percent;
    friend bool operator==(const TankAmountForm&, const TankAmountForm&) = default;
};
// Step 3: a circular or a rectangular opening.
struct TankOpeningForm {
    bool round = true;
    std::string diameter;
    int diameterUnit = 0;  // kTankHoleUnits
    std::string rectLength, rectHeight;
    int rectUnit = 0;  // kTankHoleUnits
    friend bool operator==(const TankOpeningForm&, const TankOpeningForm&) = default;
};
// Steps 4 and 5: a height above the tank's bottom, or a percent of the
// tank's height (the opening's bottom, the outside water).
struct TankHeightForm {
    bool heightKnown = true;
    std::string height;
    int unit = 0;  // kTankLengthUnits
    std::string percent;
    friend bool operator==(const TankHeightForm&, const TankHeightForm&) = default;
};
// Step 6: when the leak starts.
struct TankTimeForm {
    document::TimePick pick;
    friend bool operator==(const TankTimeForm&, const TankTimeForm&) = default;
};

// The forms of steps 1-6, as the wizard's pages hold them.
struct TankWizardForms {
    TankSizeForm size;
    TankAmountForm amount;
    TankOpeningForm opening;
    TankHeightForm holeHeight;
    TankHeightForm waterLevel;
    TankTimeForm time;
    friend bool operator==(const TankWizardForms&, const TankWizardForms&) = default;
};

class TankWizardRules {
public:
    // Keeps a copy of the scenario for Cancel.
    explicit TankWizardRules(document::SpillDocCore& doc);

    // Fills step's form (1-6) from the document: a stored value below 0 as
    // an empty field, others in general format; the stored units and mode.
    void LoadStep(int step, TankWizardForms& forms) const;

    // A click on a mode button of step 2-5: first is the upper button
    // (amount, circle, height, level). Stored at once.
    void SetMode(int step, bool first);

    // Next on step 1-6: the step's checks, then the fields of the chosen
    // mode read as numbers, then what they give in the tank record and the
    // wizard's variables; step 6 then computes the leak and judges it. A
    // refusal stores nothing of steps 1-5.
    CheckResult Next(int step, const TankWizardForms& forms);

    // Finish on step 7 with the chosen release unit (kTankReleaseUnits).
    void Finish(int releaseUnit);
    // Cancel, Escape or the close box: the scenario as it was at opening.
    void Cancel();

    // The release unit to show on step 7 (kTankReleaseUnits index).
    int ReleaseUnit() const;

private:
    CheckResult NextSize(const TankSizeForm& f);
    CheckResult NextAmount(const TankAmountForm& f);
    CheckResult NextOpening(const TankOpeningForm& f);
    CheckResult NextHoleHeight(const TankHeightForm& f);
    CheckResult NextWaterLevel(const TankHeightForm& f);
    CheckResult NextTime(const TankTimeForm& f);

    document::SpillDocCore& doc_;
    document::Scenario saved_;
};

}  // namespace ui
