// How the input dialogs show a stored number in a field and tell an empty
// field.
#pragma once

#include <string>
#include <string_view>

#include "platform/NumText.h"

namespace ui {

// The number in general format, or an empty field when it is not above 0.
inline std::string ShownAbove0(double v) { return v > 0 ? platform::FormatG15(v) : std::string(); }
// The same, with 0 shown too.
inline std::string ShownFrom0(double v) { return v >= 0 ? platform::FormatG15(v) : std::string(); }
// A field holding nothing but blanks.
inline bool IsBlank(std::string_view text) { return platform::TrimBlanks(text).empty(); }

}  // namespace ui
