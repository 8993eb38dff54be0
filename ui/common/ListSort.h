// Sorting the rows of a report list by the text of one column.
#pragma once

#include <wx/listctrl.h>

#include "platform/ColumnSort.h"

namespace ui {

// Sorts list's rows by the text of column as integers, strings or reals
// (platform::kSortInteger, kSortString, kSortReal), ascending or not; rows
// that compare equal keep their order. Every row keeps its item data.
// False for a virtual list or a column out of range.
bool SortListColumn(wxListCtrl& list, int column, bool ascending, int kind);

}  // namespace ui
