// Numbers as text, always in the C numeric locale whatever locale the
// toolkit switched to: every file the program writes and reads goes through
// these routines.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// printf in the C locale ("%g", "%.4f", "%e", widths and all).
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// scanf's prefix rules: leading blanks skipped, optional sign, the longest
// numeric prefix read ("12abc" reads 12). False when no number starts the
// text; out is then left unchanged.
bool ScanDouble(std::string_view text, double& out);  // "%lf"
bool ScanFloat(std::string_view text, float& out);    // "%f"
bool ScanInt(std::string_view text, int& out);        // "%d"

// The leading number of text, or fallback when there is none.
double LeadingDouble(std::string_view text, double fallback);
int LeadingInt(std::string_view text, int fallback);

}  // namespace platform
