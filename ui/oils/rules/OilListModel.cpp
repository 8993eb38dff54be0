#include "ui/oils/rules/OilListModel.h"

#include "platform/ColumnSort.h"

namespace ui {

OilListModel::OilListModel(const std::vector<oillib::SOilLibCell>* index) {
    if (index) {
        rows_.reserve(index->size());
        for (const oillib::SOilLibCell& cell : *index)
            rows_.push_back({cell.name, cell.source, cell.apiText, cell.location, cell.offset});
    }
    SortBy(ColName);
}

const std::string& OilListModel::Text(std::size_t row, int column) const {
    const Row& r = rows_.at(row);
    switch (column) {
        case ColReference: return r.source;
        case ColApi: return r.apiText;
        case ColLocation: return r.location;
        default: return r.name;
    }
}

void OilListModel::SortBy(int column) {
    if (column < 0 || column >= kColumnCount) return;
    std::vector<std::string> texts;
    texts.reserve(rows_.size());
    for (std::size_t r = 0; r < rows_.size(); ++r) texts.push_back(Text(r, column));
    const std::vector<std::size_t> order = platform::SortedOrder(texts, platform::kSortString);
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (std::size_t i : order) sorted.push_back(std::move(rows_[i]));
    rows_ = std::move(sorted);
}

int OilListModel::RowOf(oillib::FileOffset offset) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].offset == offset) return static_cast<int>(i);
    return -1;
}

int OilListModel::InitialRow(bool standardOil, oillib::FileOffset oilIndex) const {
    if (rows_.empty()) return -1;
    if (standardOil && oilIndex > 0) {
        const int row = RowOf(oilIndex);
        if (row >= 0) return row;
    }
    return 0;
}

}  // namespace ui
