// What the input commands derive from the dialog variables when a dialog
// ends with OK, and the checks Solve makes first. Pure functions on the
// scenario, so they are tested without dialogs.
#pragma once

#include <optional>
#include <string>

#include "document/Scenario.h"
#include "platform/Clock.h"

namespace document {

// Start hour of an operation at time t: the whole hours from the spill
// time, plus 1.
int StartHourOf(const Scenario& s, Time t);

// Continuous release from the continuous-dialog variables. Returns true
// when the release had to be truncated to the model's 120 hours (the
// caller shows kTruncationWarning).
bool DeriveContinuous(Scenario& s);
inline constexpr const char* kTruncationWarning =
    "Continuous release will be truncated\n\n"
    "The continuous release has a scheduled duration exceeding TAVRO's 5 day limit. Any oil spilled 120 "
    "hours or more after the first release will not be included in the calculations.";

enum class WindResult {
    Entered,     // the hourly winds were filled
    NoRecords,   // variable winds without a record: not entered
    NotCovered,  // the records do not reach the spill time: not entered
};
// The hourly winds and waves from the wind dialog's variables; sets
// m_bWindAndWaveInputPassed.
WindResult DeriveWind(Scenario& s);
inline constexpr const char* kWindNotCoveredWarning =
    "Wind records do not cover the spill time\n\n"
    "The variable wind records must include the hour of the spill time: either every record is later "
    "than the spill time or every record is earlier. The wind has not been entered.";

// Wave heights of hours 0..num-1: runs without a height above 0 take the
// neighbouring heights, or the straight line between them.
void FillWaveHeights(double* waveHt, int num);

void DeriveEmulsification(Scenario& s);
void DeriveDispersant(Scenario& s);
void DeriveBurn(Scenario& s);
void DeriveSkimmer(Scenario& s);
// The six daily beached amounts over the 120 hours; clock gives the local
// hour of the spill time.
void DeriveBeaching(Scenario& s, const platform::IClock& clock);
void SpreadBeaching(Scenario& s, const platform::IClock& clock);

// The continuous release's start and end hours again from its release
// time, the spill time and the dialog's duration. Files of the earlier
// program hold the duration in endHour; this gives them the same release
// as ours.
void RederiveContinuousHours(Scenario& s);

// Before a run: the continuous release's hours, the operations' start hours
// and the hourly beaching again from their stored times and amounts, so
// that a later change of the spill time moves them too. An operation record
// whose entries no longer hold its used pages' values keeps its hours.
void RederiveTimedRecords(Scenario& s, const platform::IClock& clock);

// " ERROR!  Please\n" and one line per missing input; empty when complete.
std::string MissingInputsText(const Scenario& s);

// The warning when the water is colder than the oil's pour point; none
// when it is not, or when the pour point has no usable number.
std::optional<std::string> PourPointWarning(const Scenario& s);

// The budget graph's unit for a release volume code, or current when the
// code is not one of the five.
int BudgetUnitFor(int volUnits, int current);

}  // namespace document
