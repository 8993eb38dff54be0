// Comparison of two cells of a list column, for sorting a list by that
// column's text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Compare kinds; the code passed to CompareColumnText is a kind, negated
// for a descending sort.
inline constexpr int kSortInteger = 1;
inline constexpr int kSortString = 2;
inline constexpr int kSortReal = 4;

// -1, 0 or +1 (times the code's sign) as a sorts before, with or after b:
//   integer: by the leading whole number of each text (0 when none);
//   string:  bytewise with ASCII letters folded to one case;
//   real:    by the leading real number of each text (0 when none).
// Any other kind (0 included) compares every pair equal. Numbers are read
// in the C locale whatever the process locale is.
int CompareColumnText(std::string_view a, std::string_view b, int code);

// The rows' new order after sorting by their texts: entry i is the old index
// of the row that goes to position i. Rows comparing equal keep their order.
std::vector<std::size_t> SortedOrder(const std::vector<std::string>& texts, int code);

}  // namespace platform
