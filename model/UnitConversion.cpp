#include "model/UnitConversion.h"

#include <cmath>
#include <iterator>

#include "model/Constants.h"

namespace model {

namespace {

constexpr double kLength[] = {1, 0.001, 0.01, 1000, 0.0254, 0.3048, 0.9144, 1609.344};
constexpr double kArea[] = {1,         1e-6,         0.0001,       1000000,      100,         10000,
                            0.00064516, 0.0929335225, 0.8362188025, 4046.8564224, 2589988.110336};
constexpr double kVolume[] = {1,
                              1e-9,
                              1e-6,
                              0.000016387064,
                              0.028316846592,
                              0.7646802839461,
                              0.000473176473,
                              0.000946352946,
                              0.003785411784,
                              0.158987294928};
constexpr double kTime[] = {1, 60, 3600, 86400};
constexpr double kSpeed[] = {1, 1 / 3.6, 0.0254, 0.3048, 0.00508, 1.852 / 3.6, 1.609 / 3.6};

constexpr double kCuInPerCuM = 61023.74409473;
constexpr double kBblM3 = 0.158987294928;
constexpr double kGalM3 = 0.003785411784;
constexpr double kShortTonKg = 907.2;
constexpr double kTonneKg = 1000.0;
constexpr double kSusFactor = 4.62;
constexpr double kSusTempCoef = 0.000064;

template <size_t N>
double Scaled(const double (&table)[N], int unit, double value) {
    if (unit < 0 || unit >= static_cast<int>(N)) return 0.0;
    return value * table[unit];
}

bool Refused(double v) { return std::isnan(v) || v < 0; }

}  // namespace

double ConvertToSI(int quantity, int unit, double value) {
    switch (quantity) {
        case QUANTITY_LENGTH: return Scaled(kLength, unit, value);
        case QUANTITY_AREA: return Scaled(kArea, unit, value);
        case QUANTITY_VOLUME: return Scaled(kVolume, unit, value);
        case QUANTITY_TIME: return Scaled(kTime, unit, value);
        case QUANTITY_TEMPERATURE:
            switch (unit) {
                case 0: return value;
                case 1: return value + 273.15;
                case 2: return (value + 459.67) * 5 / 9;
                default: return 0.0;
            }
        case QUANTITY_MASS:
            switch (unit) {
                case 0: return value / 1000;
                case 1: return value;
                case 2: return value * 1000;
                case 3: return value * 28.35;
                case 4: return value * 0.4536;
                case 5: return value * 12700.8;
                case 6: return value * 907.2;
                default: return 0.0;
            }
        case QUANTITY_SPEED: return Scaled(kSpeed, unit, value);
        case QUANTITY_DENSITY:
            switch (unit) {
                case 0: return value;
                case 1: return value * 1000;
                case 2: return value * 1000000;
                case 3: return value * kCuInPerCuM;
                case 4: return value * 0.001 + 1;
                default: return 0.0;
            }
        default: return 0.0;
    }
}

double ConvertConcentrationOut(int unit, double value) {
    if (unit < 0 || Refused(value)) return MISSING_VALUE_D;
    return value;
}

double ConvertWaterContentOut(int unit, double fraction) {
    if (Refused(fraction)) return MISSING_VALUE_D;
    switch (unit) {
        case WATER_FRACTION: return fraction;
        case WATER_PERCENT: return fraction * 100;
        default: return MISSING_VALUE_D;
    }
}

double ConvertDensityOut(int unit, double kgPerM3) {
    if (Refused(kgPerM3)) return MISSING_VALUE_D;
    switch (unit) {
        case 0: return kgPerM3 * 1000;
        case 1: return kgPerM3;
        case 2: return kgPerM3 / 1000;
        case 3: return kgPerM3 * 1000 / kCuInPerCuM;
        case 4: return (kgPerM3 * 1000 - 1) * 1000;
        default: return MISSING_VALUE_D;
    }
}

double ConvertViscosityOut(int unit, double m2PerS, double densityKgPerM3, double temperatureK) {
    if (Refused(m2PerS)) return MISSING_VALUE_D;
    double cSt = m2PerS * 1000000;
    switch (unit) {
        case VISC_CST: return cSt;
        case VISC_CP:
            if (!(densityKgPerM3 > 0)) return MISSING_VALUE_D;
            return cSt * densityKgPerM3 / 1000;
        case VISC_SUS: {
            double tF = temperatureK * 9 / 5 - 459.67;
            return cSt * kSusFactor * (1 + kSusTempCoef * (tF - 100));
        }
        default: return MISSING_VALUE_D;
    }
}

double ConvertAmountOut(int unit, double m3, double totalM3, double densityKgPerM3) {
    if (Refused(m3)) return MISSING_VALUE_D;
    switch (unit) {
        case AMOUNT_CUM: return m3;
        case AMOUNT_FRACTION:
        case AMOUNT_PERCENT: {
            // Before any oil is spilled no fate holds any share of it: 0 of
            // 0 is 0, not the whole.
            if (totalM3 == 0 && m3 == 0) return 0.0;
            double whole = unit == AMOUNT_FRACTION ? 1.0 : 100.0;
            if (m3 == totalM3) return whole;
            if (!(totalM3 > 0)) return MISSING_VALUE_D;
            return unit == AMOUNT_FRACTION ? m3 / totalM3 : m3 * 100 / totalM3;
        }
        case AMOUNT_BBL: return m3 / kBblM3;
        case AMOUNT_GAL: return m3 / kGalM3;
        case AMOUNT_TONS:
            if (!(densityKgPerM3 > 0)) return MISSING_VALUE_D;
            return m3 * densityKgPerM3 / kShortTonKg;
        case AMOUNT_TONNES:
            if (!(densityKgPerM3 > 0)) return MISSING_VALUE_D;
            return m3 * densityKgPerM3 / kTonneKg;
        default: return MISSING_VALUE_D;
    }
}

const char* DensityUnitLabel(int unit) {
    switch (unit) {
        case DENSITY_KGM3: return "kg/cu m";
        case DENSITY_GCC: return "g/cc";
        default: return "";
    }
}

const char* ViscosityUnitLabel(int unit) {
    static const char* const k[] = {"cSt", "cP", "SUS"};
    return unit >= 0 && unit < static_cast<int>(std::size(k)) ? k[unit] : "";
}

const char* WaterContentUnitLabel(int unit) {
    static const char* const k[] = {"fraction", "percent"};
    return unit >= 0 && unit < static_cast<int>(std::size(k)) ? k[unit] : "";
}

const char* AmountUnitLabel(int unit) {
    static const char* const k[] = {"cu m", "fraction", "percent", "bbl", "gal", "tons", "metric tonnes"};
    return unit >= 0 && unit < static_cast<int>(std::size(k)) ? k[unit] : "";
}

}  // namespace model
