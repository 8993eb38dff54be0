#include "ui/inputs/rules/ReleaseUnits.h"

#include <algorithm>

#include "model/UnitConversion.h"

namespace ui {

namespace {
constexpr double kOilDensity = 850.0;  // kg/m3
}  // namespace

double ConvertVolumeToCubicMeters(double value, int unit) {
    switch (unit) {
        case 0: return model::ConvertToSI(model::QUANTITY_VOLUME, model::VOL_BBL, value);
        case 1: return model::ConvertToSI(model::QUANTITY_VOLUME, model::VOL_GAL, value);
        case 3: return value * 907.2 / kOilDensity;
        case 4: return value * 1000.0 / kOilDensity;
        default: return value;
    }
}

double ConvertAreaToSquareMeters(double value, int unit) {
    switch (unit) {
        case kAreaSqFeet: return model::ConvertToSI(model::QUANTITY_AREA, model::AREA_FT2, value);
        case kAreaSqYards: return model::ConvertToSI(model::QUANTITY_AREA, model::AREA_YD2, value);
        default: return value;
    }
}

int ClampIndex(int index, std::size_t n) { return std::clamp(index, 0, static_cast<int>(n) - 1); }

}  // namespace ui
