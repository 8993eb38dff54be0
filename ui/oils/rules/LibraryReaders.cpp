#include "ui/oils/rules/LibraryReaders.h"

namespace ui {

namespace {

std::string OrDefault(std::string text, std::string_view def, std::string_view suffix) {
    if (text.empty()) return std::string(def);
    text += suffix;
    return text;
}

}  // namespace

std::string GetLibraryText(const oillib::COilLibrary& lib, int column, std::string_view def) {
    return OrDefault(lib.GetFieldText(lib.ColumnToField(column)), def, {});
}

std::string GetLibraryValueText(const oillib::COilLibrary& lib, int column, std::string_view def,
                                std::string_view suffix, int decimals, float factor) {
    return OrDefault(lib.GetFieldNumberText(lib.ColumnToField(column), decimals, factor), def, suffix);
}

std::string GetLibraryTemperatureText(const oillib::COilLibrary& lib, int column, std::string_view def,
                                      std::string_view suffix, model::ELibTempUnit unit, int decimals) {
    return OrDefault(lib.FormatTemperatureField(lib.ColumnToField(column), unit, decimals), def, suffix);
}

std::string GetLibraryTemperatureRange(const oillib::COilLibrary& lib, int minColumn, int maxColumn,
                                       std::string_view def, std::string_view suffix, model::ELibTempUnit unit,
                                       int decimals) {
    return OrDefault(lib.FormatRange(lib.ColumnToField(minColumn), lib.ColumnToField(maxColumn), unit, decimals),
                     def, suffix);
}

double GetLibraryNumber(const oillib::COilLibrary& lib, int column, int decimals, float factor) {
    return lib.GetFieldNumber(lib.ColumnToField(column), decimals, factor);
}

}  // namespace ui
