// The fixed column table of the oil library files. Column numbers 1..159
// follow this table's order; that is how every caller addresses a cell
// (the file's own field number is found through the column map of the
// reader). The spellings, misspellings included ("Benezene",
// "Conrandson", "K0Y" with a zero), are part of the file format.
#pragma once

namespace oillib {

inline constexpr int kOilLibColumnCount = 159;

// OilLibColumnNames[c - 1] is the name of column c.
extern const char* const OilLibColumnNames[kOilLibColumnCount];

// Column numbers the library itself reads for its index.
enum EOilLibColumn : int {
    COL_OIL_NAME = 1,        // "Oil Name": "Name, Source"
    COL_OIL_ID = 2,          // "TAVRO Oil ID"
    COL_LOCATION = 3,        // "Location"
    COL_API = 7,             // "API"
    COL_POUR_POINT_MIN = 8,  // "Pour Point Min (K)": a number, "<" or ">"
    COL_POUR_POINT_MAX = 9,  // "Pour Point Max (K)"
};

}  // namespace oillib
