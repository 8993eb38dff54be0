// The rows of an oil list (standard or custom library): one per oil of the
// library's index, sorted by any column's text.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "oillib/OilLibrary.h"

namespace ui {

class OilListModel {
public:
    struct Row {
        std::string name;
        std::string source;  // "Reference": the name's part after its comma
        std::string apiText;
        std::string location;
        oillib::FileOffset offset = 0;  // the oil's line in the library file
    };

    enum Column : int { ColName = 0, ColReference, ColApi, ColLocation, kColumnCount };
    static constexpr std::array<const char*, kColumnCount> kColumnTitles = {"Name", "Reference", "API", "Location"};
    // Share of the list's width of each column.
    static constexpr std::array<double, kColumnCount> kColumnWidths = {0.3, 0.2, 0.1, 0.4};

    // Rows in index order, then sorted by name. No index gives no rows.
    explicit OilListModel(const std::vector<oillib::SOilLibCell>* index);

    // Sorts the rows by a column's text, ascending (a second click never
    // reverses), ASCII letters compared without case, the API as text;
    // rows with equal texts keep their order.
    void SortBy(int column);

    const std::vector<Row>& Rows() const { return rows_; }
    std::size_t Size() const { return rows_.size(); }
    const std::string& Text(std::size_t row, int column) const;

    // The row of the oil at offset, or -1.
    int RowOf(oillib::FileOffset offset) const;
    // The row selected when the list opens: the scenario's oil when it is a
    // standard oil (standardOil set, oilIndex > 0) still in the list, else
    // row 0; -1 for an empty list.
    int InitialRow(bool standardOil, oillib::FileOffset oilIndex) const;

private:
    std::vector<Row> rows_;
};

}  // namespace ui
