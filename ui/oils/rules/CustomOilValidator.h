// The checks a custom oil record passes before it is saved: fifteen rules
// in order over the record in SI cells; the first that fails decides.
#pragma once

#include <string>

#include "oillib/OilLibrary.h"

namespace ui {

struct CustomOilCheck {
    int rule = 0;      // 0: the record passes; else 1..15
    std::string text;  // the failing rule's message, empty when it passes
    int column = 0;    // the library column of the value to put right; 0 when it passes

    bool ok() const { return rule == 0; }
};

class CustomOilValidator {
public:
    // The library's current record, as the editor wrote it back.
    static CustomOilCheck Check(const oillib::COilLibrary& lib);
};

}  // namespace ui
