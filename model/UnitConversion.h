// Conversions between the user's units and the model's SI units. Unit
// choices travel as small integer indexes; each family of codes has its own
// enum so that codings of different dialogs cannot be mixed.
#pragma once

namespace model {

// Quantity selector of ConvertToSI.
enum EQuantity : int {
    QUANTITY_LENGTH = 0,
    QUANTITY_AREA = 1,
    QUANTITY_VOLUME = 2,
    QUANTITY_TIME = 3,
    QUANTITY_TEMPERATURE = 4,
    QUANTITY_MASS = 5,
    QUANTITY_SPEED = 6,
    QUANTITY_DENSITY = 7,
};

// Temperature indexes of ConvertToSI (quantity 4).
enum class ESITempUnit : int { Kelvin = 0, Celsius = 1, Fahrenheit = 2 };
// Temperature codes of the oil library texts.
enum class ELibTempUnit : int { Fahrenheit = 1, Celsius = 2, Kelvin = 3 };

// Unit indexes of ConvertToSI in use by the setters and the plume dialog.
enum ELengthUnitSI : int { LEN_M = 0, LEN_MM = 1, LEN_CM = 2, LEN_KM = 3, LEN_IN = 4, LEN_FT = 5, LEN_YD = 6, LEN_MILE = 7 };
enum EAreaUnitSI : int {
    AREA_M2 = 0, AREA_MM2 = 1, AREA_CM2 = 2, AREA_KM2 = 3, AREA_100M2 = 4, AREA_HECTARE = 5,
    AREA_IN2 = 6, AREA_FT2 = 7, AREA_YD2 = 8, AREA_ACRE = 9, AREA_MILE2 = 10,
};
enum EVolumeUnitSI : int {
    VOL_M3 = 0, VOL_MM3 = 1, VOL_CM3 = 2, VOL_IN3 = 3, VOL_FT3 = 4, VOL_YD3 = 5,
    VOL_PINT = 6, VOL_QUART = 7, VOL_GAL = 8, VOL_BBL = 9,
};
enum ETimeUnitSI : int { TIME_S = 0, TIME_MIN = 1, TIME_H = 2, TIME_DAY = 3 };
// Indexes 3 and 5 carry factors 1000 times too large for an ounce and a
// quarter; they are kept as defined but no dialog maps a unit to them.
enum EMassUnitSI : int { MASS_G = 0, MASS_KG = 1, MASS_TONNE = 2, MASS_UNUSED3 = 3, MASS_LB = 4, MASS_UNUSED5 = 5, MASS_TON = 6 };
enum ESpeedUnitSI : int { SPEED_MS = 0, SPEED_KMH = 1, SPEED_INS = 2, SPEED_FTS = 3, SPEED_FTMIN = 4, SPEED_KNOT = 5, SPEED_MPH = 6 };

// Output unit indexes of the converters below.
enum EAmountUnit : int {
    AMOUNT_CUM = 0, AMOUNT_FRACTION = 1, AMOUNT_PERCENT = 2, AMOUNT_BBL = 3,
    AMOUNT_GAL = 4, AMOUNT_TONS = 5, AMOUNT_TONNES = 6,
};
enum EWaterContentUnit : int { WATER_FRACTION = 0, WATER_PERCENT = 1 };
enum EDensityUnit : int { DENSITY_X1000 = 0, DENSITY_KGM3 = 1, DENSITY_GCC = 2, DENSITY_UNUSED3 = 3, DENSITY_UNUSED4 = 4 };
enum EViscosityUnit : int { VISC_CST = 0, VISC_CP = 1, VISC_SUS = 2 };

// value in the unit of the index -> SI; 0 for a quantity or index outside
// the tables (callers check their codes first).
double ConvertToSI(int quantity, int unit, double value);

// SI -> the unit of the index; -999 for a refused value or index.
double ConvertConcentrationOut(int unit, double value);
double ConvertWaterContentOut(int unit, double fraction);
double ConvertDensityOut(int unit, double kgPerM3);
double ConvertViscosityOut(int unit, double m2PerS, double densityKgPerM3, double temperatureK);
// In fraction and percent an amount equal to its total is exactly the whole,
// except 0 of a total of 0, which is 0; any other amount of a total that is
// not positive is refused.
double ConvertAmountOut(int unit, double m3, double totalM3, double densityKgPerM3);

// Labels of the output units as the views show them.
const char* DensityUnitLabel(int unit);
const char* ViscosityUnitLabel(int unit);
const char* WaterContentUnitLabel(int unit);
const char* AmountUnitLabel(int unit);

}  // namespace model
