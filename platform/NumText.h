// Numbers as text, always in the C numeric locale whatever locale the
// toolkit switched to: every file the program writes and reads goes through
// these routines.
#pragma once

#include <optional>
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
// A leading whole number outside the int range counts as none.
int LeadingInt(std::string_view text, int fallback);

// ---- Readers of the texts typed into dialogs ----
// Decimal notation only ("12", "-3.5", ".5", "1e3"): "nan", "inf",
// hexadecimal and values outside the type's range are not numbers. Blanks
// are space, tab and the line-end characters.

// The text without the blanks at either end; a field holding only blanks
// is empty.
std::string_view TrimBlanks(std::string_view text);

// The whole text, blanks around it allowed, as an optional '-' and digits;
// nothing else ("12.5", "+3", "") is a whole number.
std::optional<int> WholeInt(std::string_view text);
// The leading decimal number after any blanks ("12abc" reads 12, "4.5e"
// reads 4.5); 0 when none.
double LeadingDecimal(std::string_view text);
// The whole text, blanks around it allowed, as one number: a decimal for
// ReadNumber, an optionally signed whole number for ReadInteger.
std::optional<double> ReadNumber(std::string_view text);
std::optional<int> ReadInteger(std::string_view text);
// What a dialog says when ReadNumber or ReadInteger refuses a field.
inline constexpr const char* kEnterNumberText = "Please enter a number.";
inline constexpr const char* kEnterIntegerText = "Please enter an integer.";

// "%.15g" in the C locale.
std::string FormatG15(double value);

}  // namespace platform
