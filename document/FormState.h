// What the scenario form shows: a tick beside each of its four inputs once
// entered, and, from the first input change after a solve, the notice that
// new graphs are needed. Both are sticky.
#pragma once

#include "document/Interfaces.h"
#include "document/Scenario.h"

namespace document {

class SpillDocCore;

// The form's Oil button opens the oil dialog of the scenario's oil: the
// standard oils, or the custom oils for a custom oil.
DialogKind OilButtonDialog(const SessionState& session);
void RunOilButton(SpillDocCore& doc);

enum FormInput : int { FormRelease = 0, FormOil, FormWindWave, FormWater, kFormInputs };

struct FormState {
    bool tick[kFormInputs] = {};
    bool notice = false;

    // Shows the tick of each input entered while the scenario is unsolved;
    // takes a raised re-solve notice (and clears it in the session). True
    // when anything shown changed.
    bool Update(const Scenario& scenario, SessionState& session);
    // Ticks are hidden under the notice.
    bool TickShown(FormInput input) const { return !notice && tick[input]; }
};

}  // namespace document
