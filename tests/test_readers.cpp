// The four readings of a dialog's edit text and the "%.15g" display, in the
// C locale and under a locale with a decimal comma.
#include "platform/NumText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>

namespace {

using platform::FormatG15;
using platform::LeadingDecimal;
using platform::LeadingInt;
using platform::ReadInteger;
using platform::ReadNumber;
using platform::WholeInt;

constexpr std::nullopt_t no = std::nullopt;

struct Case {
    const char* name;
    const char* text;
    std::optional<int> whole;      // R1
    int leadingInt;                // R2
    double leadingDecimal;         // R3
    std::optional<double> number;  // R4, decimal
    std::optional<int> integer;    // R4, whole
};

const Case kCases[] = {
    {"plain", "42", 42, 42, 42, 42.0, 42},
    {"blanks around", " \t 17 \r\n", 17, 17, 17, 17.0, 17},
    {"minus", "-8", -8, -8, -8, -8.0, -8},
    {"plus", "+5", no, 5, 5, 5.0, 5},
    {"decimal", "12.5", no, 12, 12.5, 12.5, no},
    {"leading point", ".5", no, 0, 0.5, 0.5, no},
    {"trailing point", "3.", no, 3, 3, 3.0, no},
    {"trailing letters", "12abc", no, 12, 12, no, no},
    {"inner blank", "1 2", no, 1, 1, no, no},
    {"exponent", "1e3", no, 1, 1000, 1000.0, no},
    {"exponent without digits", "4.5e", no, 4, 4.5, no, no},
    {"empty", "", no, 0, 0, no, no},
    {"blanks only", "   ", no, 0, 0, no, no},
    {"sign only", "-", no, 0, 0, no, no},
    {"not a number", "nan", no, 0, 0, no, no},
    {"infinity", "inf", no, 0, 0, no, no},
    {"signed infinity", "-infinity", no, 0, 0, no, no},
    {"hexadecimal", "0x10", no, 0, 0, no, no},
    {"decimal comma", "0,85", no, 0, 0, no, no},
    {"past int range", "2147483648", no, 0, 2147483648.0, 2147483648.0, no},
    {"int minimum", "-2147483648", -2147483648, -2147483647 - 1, -2147483648.0, -2147483648.0, -2147483647 - 1},
    {"far past int range", "99999999999", no, 0, 99999999999.0, 99999999999.0, no},
    {"past double range", "1e999", no, 1, 0, no, no},
};

void CheckAll() {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WholeInt(c.text), c.whole);
        EXPECT_EQ(LeadingInt(c.text, 0), c.leadingInt);
        EXPECT_EQ(LeadingDecimal(c.text), c.leadingDecimal);
        EXPECT_EQ(ReadNumber(c.text), c.number);
        EXPECT_EQ(ReadInteger(c.text), c.integer);
    }
    EXPECT_EQ(FormatG15(0.1), "0.1");
    EXPECT_EQ(FormatG15(865.29998779296875), "865.299987792969");
    EXPECT_EQ(FormatG15(-999), "-999");
    EXPECT_EQ(FormatG15(1e20), "1e+20");
    EXPECT_EQ(FormatG15(2.5), "2.5");
}

TEST(Readers, FourReadingsOfATypedText) { CheckAll(); }

TEST(Readers, SameReadingsUnderADecimalCommaLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
    CheckAll();
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Readers, RefusalTexts) {
    EXPECT_STREQ(platform::kEnterNumberText, "Please enter a number.");
    EXPECT_STREQ(platform::kEnterIntegerText, "Please enter an integer.");
}

}  // namespace
