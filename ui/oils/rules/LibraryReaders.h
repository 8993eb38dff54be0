// Texts and numbers of the current record of an oil library, read by column
// number (1..159 of OilLibColumnNames), as the oil dialogs show them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/Inputs.h"
#include "model/UnitConversion.h"
#include "oillib/OilLibrary.h"

namespace ui {

// The column's text (double quotes removed, at most 255 characters), or def
// when it is empty.
std::string GetLibraryText(const oillib::COilLibrary& lib, int column, std::string_view def);

// The column's number times factor, rounded half up to the decimals and
// written with exactly that many, followed by suffix; def (no suffix) when
// the cell is empty or not a number.
std::string GetLibraryValueText(const oillib::COilLibrary& lib, int column, std::string_view def,
                                std::string_view suffix, int decimals, float factor);

// A kelvin column in the unit (deg F or deg C) with the decimals, followed
// by suffix; def when empty.
std::string GetLibraryTemperatureText(const oillib::COilLibrary& lib, int column, std::string_view def,
                                      std::string_view suffix, model::ELibTempUnit unit, int decimals);

// The range text of a Min/Max pair of kelvin columns ("less than X",
// "greater than X", "X to Y" or one value) in the unit, followed by suffix;
// def when it is empty.
std::string GetLibraryTemperatureRange(const oillib::COilLibrary& lib, int minColumn, int maxColumn,
                                       std::string_view def, std::string_view suffix, model::ELibTempUnit unit,
                                       int decimals);

// The column's number times factor rounded half up to the decimals, in
// single precision as the library reads it; -999 when empty.
double GetLibraryNumber(const oillib::COilLibrary& lib, int column, int decimals, float factor);

// The numbers of the model's oil record from the current record: API,
// composition, water uptake, onset, the density, viscosity and distillation
// points and the cut units. Each number is read by number(column, decimals);
// the oil's name and product type are the caller's.
using LibraryNumberReader = std::function<double(int column, int decimals)>;
void ReadOilNumbers(const oillib::COilLibrary& lib, const LibraryNumberReader& number, model::InputOil& oil);

}  // namespace ui
