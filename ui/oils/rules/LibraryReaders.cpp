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

void ReadOilNumbers(const oillib::COilLibrary& lib, const LibraryNumberReader& number, model::InputOil& oil) {
    oil.api = number(7, 4);
    oil.asphalt = number(12, 6);
    oil.benzene = number(144, 6);
    oil.nickel = number(153, 4);
    oil.vanadium = number(154, 4);
    oil.viscMultiplier = number(152, 4);
    oil.waterContent = number(15, 6);
    oil.waterUptakeRate = number(159, 10);
    oil.bullwinkle = number(17, 6);
    oil.bulltime = model::MISSING_VALUE_D;
    for (int i = 0; i < 4; ++i) {
        oil.rhoRef_value[i] = number(24 + 3 * i, 6);
        oil.rhoRef_temp[i] = number(25 + 3 * i, 4);
        oil.rhoRef_fevap[i] = number(26 + 3 * i, 4);
    }
    for (int i = 0; i < 6; ++i) {
        oil.viscRef_value[i] = number(36 + 3 * i, 10);
        oil.viscRef_temp[i] = number(37 + 3 * i, 4);
        oil.viscRef_fevap[i] = number(38 + 3 * i, 4);
        oil.dyViscRef_value[i] = number(54 + 3 * i, 10);
        oil.dyViscRef_temp[i] = number(55 + 3 * i, 4);
        oil.dyViscRef_fevap[i] = number(56 + 3 * i, 4);
    }
    // Cut units: a weight fraction when the text starts with "w", in any case.
    const std::string cutUnits = lib.GetFieldText(lib.ColumnToField(117));
    oil.dist_volumeFrac = !cutUnits.empty() && (cutUnits[0] == 'w' || cutUnits[0] == 'W') ? 0 : 1;
    for (int i = 0; i < model::MAX_CUTS; ++i) {
        oil.dist_temp[i] = number(72 + 3 * i, 4);
        oil.dist_frac[i] = number(74 + 3 * i, 4);
    }
}

}  // namespace ui
