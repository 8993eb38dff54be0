#include "ui/common/ListSort.h"

#include <string>
#include <vector>

#include "platform/ColumnSort.h"

namespace ui {

namespace {

int wxCALLBACK ByRank(wxIntPtr a, wxIntPtr b, wxIntPtr) { return a < b ? -1 : (a > b ? 1 : 0); }

}  // namespace

bool SortListColumn(wxListCtrl& list, int column, bool ascending, int kind) {
    if (list.HasFlag(wxLC_VIRTUAL) || column < 0 || column >= list.GetColumnCount()) return false;
    const long rows = list.GetItemCount();
    if (rows == 0) return true;
    // Each row's text and data, read once.
    std::vector<std::string> texts(static_cast<std::size_t>(rows));
    std::vector<wxUIntPtr> data(static_cast<std::size_t>(rows));
    for (long r = 0; r < rows; ++r) {
        texts[static_cast<std::size_t>(r)] = list.GetItemText(r, column).utf8_string();
        data[static_cast<std::size_t>(r)] = list.GetItemData(r);
    }
    const std::vector<std::size_t> order = platform::SortedOrder(texts, ascending ? kind : -kind);
    // While sorting, a row's data is its place in the new order; then each
    // row gets its own data back.
    std::vector<std::size_t> place(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) place[order[i]] = i;
    for (long r = 0; r < rows; ++r) list.SetItemPtrData(r, static_cast<wxUIntPtr>(place[static_cast<std::size_t>(r)]));
    const bool sorted = list.SortItems(ByRank, 0);
    for (long r = 0; r < rows; ++r) {
        const std::size_t newPlace = static_cast<std::size_t>(list.GetItemData(r));
        list.SetItemPtrData(r, data[order[newPlace]]);
    }
    return sorted;
}

}  // namespace ui
