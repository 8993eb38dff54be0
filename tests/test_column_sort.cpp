#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/ColumnSort.h"

using platform::CompareColumnText;
using platform::SortedOrder;

namespace {

std::vector<std::string> Sorted(const std::vector<std::string>& texts, int code) {
    std::vector<std::string> out;
    for (std::size_t i : SortedOrder(texts, code)) out.push_back(texts[i]);
    return out;
}

}  // namespace

TEST(ColumnSort, ComparatorTable) {
    struct Case {
        const char* name;
        std::string a, b;
        int code;
        int want;
    };
    const std::string minText = std::to_string(INT_MIN), maxText = std::to_string(INT_MAX);
    const Case cases[] = {
        {"int 9 before 10", "9", "10", 1, -1},
        {"int 100 after 10", "100", "10", 1, 1},
        {"int descending", "9", "10", -1, 1},
        {"int equal", "12", "12abc", 1, 0},
        {"int INT_MIN vs INT_MAX no overflow", minText, maxText, 1, -1},
        {"int INT_MAX vs INT_MIN no overflow", maxText, minText, 1, 1},
        {"int empty reads 0", "", "0", 1, 0},
        {"int empty before 1", "", "1", 1, -1},
        {"int leading blank", " 7", "7", 1, 0},
        {"int text without number reads 0", "abc", "-1", 1, 1},
        {"string 10 before 9", "10", "9", 2, -1},
        {"string 100 before 9", "100", "9", 2, -1},
        {"string case folded", "abc", "ABD", 2, -1},
        {"string case only differs", "Abc", "aBC", 2, 0},
        {"string descending", "abc", "ABD", -2, 1},
        {"string prefix first", "ab", "abc", 2, -1},
        {"string high bytes raw", "\xe9", "z", 2, 1},
        {"string high bytes not folded", "\xc9", "\xe9", 2, -1},
        {"real equal gives 0", "3.5", "3.50", 4, 0},
        {"real equal descending gives 0", "3.5", "3.5", -4, 0},
        {"real exponent", "-3.5e2", "-300", 4, -1},
        {"real leading number", "12abc", "11.9", 4, 1},
        {"real empty reads 0", "", "0.0", 4, 0},
        {"real leading blank", " 7", "7.0", 4, 0},
        {"real NaN before numbers", "nan", "-1e300", 4, -1},
        {"code 0 all equal", "1", "2", 0, 0},
        {"code 3 all equal", "1", "2", 3, 0},
        {"code -3 all equal", "1", "2", -3, 0},
        {"code INT_MIN all equal", "1", "2", INT_MIN, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareColumnText(c.a, c.b, c.code), c.want) << c.name;
    }
}

TEST(ColumnSort, SortsByKindAndKeepsTies) {
    const std::vector<std::string> numbers = {"10", "9", "100"};
    EXPECT_EQ(Sorted(numbers, 1), (std::vector<std::string>{"9", "10", "100"}));
    EXPECT_EQ(Sorted(numbers, -1), (std::vector<std::string>{"100", "10", "9"}));
    EXPECT_EQ(Sorted(numbers, 2), (std::vector<std::string>{"10", "100", "9"}));
    EXPECT_EQ(Sorted(numbers, 4), (std::vector<std::string>{"9", "10", "100"}));

    // Equal keys keep the order they had, in both directions, and an
    // unknown kind leaves the rows alone.
    const std::vector<std::string> ties = {"2 b", "1 a", "2 a", "1 b", "2 c"};
    EXPECT_EQ(SortedOrder(ties, 4), (std::vector<std::size_t>{1, 3, 0, 2, 4}));
    EXPECT_EQ(SortedOrder(ties, -1), (std::vector<std::size_t>{0, 2, 4, 1, 3}));
    EXPECT_EQ(SortedOrder(ties, 3), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(SortedOrder({}, 2).empty());
}
