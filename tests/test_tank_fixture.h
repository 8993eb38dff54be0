// A tank whose leak the model can compute: a 2 m cube, half full (4 cu m),
// vented, with a 5 cm hole 0.2 m up and no water outside.
#pragma once

#include "model/Inputs.h"

namespace tavro_test {

inline void SetComputableTank(model::InputTank& t) {
    t.flag = 1, t.vent = 1, t.aground = 0;
    t.tHeight = t.tWidth = t.tLength = 2, t.tUnits = 1;
    t.oVol = 4, t.oUnits = 3;
    t.hDiam = 0.05, t.hArea = 0.05 * 0.05 * 3.14 / 4, t.hUnits = 1;
    t.zHeight = 0.2, t.zUnits = 1;
    t.wHeight = 0, t.wUnits = 1;
}

}  // namespace tavro_test
