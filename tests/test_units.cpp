#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/UnitConversion.h"

using namespace model;

TEST(UnitConversion, ConvertToSITable) {
    struct Case {
        int q, u;
        double v, want;
    };
    const Case cases[] = {
        {0, 0, 2, 2}, {0, 1, 2, 0.002}, {0, 2, 2, 0.02}, {0, 3, 2, 2000}, {0, 4, 2, 0.0508},
        {0, 5, 2, 0.6096}, {0, 6, 2, 1.8288}, {0, 7, 1, 1609.344}, {0, 8, 1, 0}, {0, -1, 1, 0},
        {1, 0, 3, 3}, {1, 1, 1, 1e-6}, {1, 2, 1, 0.0001}, {1, 3, 1, 1e6}, {1, 4, 1, 100},
        {1, 5, 1, 10000}, {1, 6, 1, 0.00064516}, {1, 7, 1, 0.0929335225}, {1, 8, 1, 0.8362188025},
        {1, 9, 1, 4046.8564224}, {1, 10, 1, 2589988.110336}, {1, 11, 1, 0},
        {2, 0, 1, 1}, {2, 1, 1, 1e-9}, {2, 2, 1, 1e-6}, {2, 3, 1, 0.000016387064},
        {2, 4, 1, 0.028316846592}, {2, 5, 1, 0.7646802839461}, {2, 6, 1, 0.000473176473},
        {2, 7, 1, 0.000946352946}, {2, 8, 1, 0.003785411784}, {2, 9, 10, 1.58987294928}, {2, 10, 1, 0},
        {3, 0, 5, 5}, {3, 1, 1, 60}, {3, 2, 1, 3600}, {3, 3, 1, 86400}, {3, 4, 1, 0},
        {4, 0, 300, 300}, {4, 1, 15, 288.15}, {4, 2, 32, 273.15}, {4, 3, 1, 0}, {4, 5, 20, 0},
        {5, 0, 1000, 1}, {5, 1, 1, 1}, {5, 2, 1, 1000}, {5, 3, 1, 28.35}, {5, 4, 1, 0.4536},
        {5, 5, 1, 12700.8}, {5, 6, 1, 907.2}, {5, 7, 1, 0},
        {6, 0, 1, 1}, {6, 1, 3.6, 1}, {6, 2, 1, 0.0254}, {6, 3, 1, 0.3048}, {6, 4, 1, 0.00508},
        {6, 5, 3.6, 1.852}, {6, 6, 1, 1.609 / 3.6}, {6, 7, 1, 0},
        {7, 0, 1, 1}, {7, 1, 1, 1000}, {7, 2, 1, 1e6}, {7, 3, 1, 61023.74409473}, {7, 4, 1000, 2},
        {7, 5, 1, 0}, {8, 0, 1, 0}, {-1, 0, 1, 0},
    };
    const char* const quantities[] = {"length", "area", "volume", "time", "temperature", "mass", "speed", "density"};
    for (const auto& c : cases)
        EXPECT_NEAR(ConvertToSI(c.q, c.u, c.v), c.want, std::abs(c.want) * 1e-12)
            << (c.q >= 0 && c.q < 8 ? quantities[c.q] : "no quantity") << " (" << c.q << "), unit " << c.u;
    // 1.609, not 1.609344.
    EXPECT_NEAR(ConvertToSI(6, 6, 1), 0.446944, 1e-6);
}

TEST(UnitConversion, OutputConverters) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double tK100F = (100 + 459.67) * 5 / 9;
    const double tK0F = 459.67 * 5 / 9;
    struct Case {
        const char* what;
        double got, want;
    };
    const Case cases[] = {
        {"conc", ConvertConcentrationOut(0, 0.5), 0.5},
        {"conc any index", ConvertConcentrationOut(7, 0.5), 0.5},
        {"conc negative", ConvertConcentrationOut(0, -1), -999},
        {"conc bad index", ConvertConcentrationOut(-1, 1), -999},
        {"conc NaN", ConvertConcentrationOut(0, nan), -999},
        {"water fraction", ConvertWaterContentOut(0, 0.4), 0.4},
        {"water percent", ConvertWaterContentOut(1, 0.4), 40},
        {"water bad index", ConvertWaterContentOut(2, 0.4), -999},
        {"water negative", ConvertWaterContentOut(0, -0.1), -999},
        {"water NaN", ConvertWaterContentOut(1, nan), -999},
        {"density 0", ConvertDensityOut(0, 0.9), 900},
        {"density kg/cu m", ConvertDensityOut(1, 900), 900},
        {"density g/cc", ConvertDensityOut(2, 900), 0.9},
        {"density 3", ConvertDensityOut(3, 61.02374409473), 1},
        {"density 4", ConvertDensityOut(4, 0.002), 1000},
        {"density bad", ConvertDensityOut(5, 900), -999},
        {"density negative", ConvertDensityOut(1, -1), -999},
        {"density NaN", ConvertDensityOut(1, nan), -999},
        {"visc cSt", ConvertViscosityOut(0, 1e-5, 900, 288), 10},
        {"visc cP", ConvertViscosityOut(1, 1e-5, 900, 288), 9},
        {"visc SUS 100F", ConvertViscosityOut(2, 1e-5, 900, tK100F), 46.2},
        {"visc SUS 0F", ConvertViscosityOut(2, 1e-5, 900, tK0F), 46.2 * 0.9936},
        {"visc bad", ConvertViscosityOut(3, 1e-5, 900, 288), -999},
        {"visc negative", ConvertViscosityOut(0, -1e-5, 900, 288), -999},
        {"visc NaN", ConvertViscosityOut(0, nan, 900, 288), -999},
        {"visc cP missing density", ConvertViscosityOut(1, 1e-5, -999, 288), -999},
        {"amount cu m", ConvertAmountOut(0, 5, 10, 900), 5},
        {"amount fraction", ConvertAmountOut(1, 5, 10, 900), 0.5},
        {"amount percent", ConvertAmountOut(2, 5, 10, 900), 50},
        {"amount fraction whole", ConvertAmountOut(1, 0.3, 0.3, 900), 1},
        {"amount percent whole", ConvertAmountOut(2, 0.3, 0.3, 900), 100},
        {"amount fraction 0 of 0", ConvertAmountOut(1, 0, 0, 900), 0},
        {"amount percent 0 of 0", ConvertAmountOut(2, 0, 0, 900), 0},
        {"amount fraction no total", ConvertAmountOut(1, 2, 0, 900), -999},
        {"amount percent negative total", ConvertAmountOut(2, 2, -5, 900), -999},
        {"amount bbl", ConvertAmountOut(3, 0.158987294928, 0, 900), 1},
        {"amount gal", ConvertAmountOut(4, 0.003785411784, 0, 900), 1},
        {"amount tons", ConvertAmountOut(5, 1, 0, 907.2), 1},
        {"amount tonnes", ConvertAmountOut(6, 2, 0, 900), 1.8},
        {"amount tons missing density", ConvertAmountOut(5, 1, 0, -999), -999},
        {"amount bad index", ConvertAmountOut(7, 1, 1, 900), -999},
        {"amount NaN", ConvertAmountOut(0, nan, 1, 900), -999},
    };
    for (const auto& c : cases) EXPECT_NEAR(c.got, c.want, std::abs(c.want) * 1e-12) << c.what;
    for (int unit = 0; unit <= 6; ++unit) EXPECT_EQ(ConvertAmountOut(unit, -1, 10, 900), -999) << unit;
    // Exactness of the whole-amount rule.
    EXPECT_EQ(ConvertAmountOut(1, 0.1 + 0.2, 0.1 + 0.2, 1), 1.0);
    EXPECT_EQ(ConvertAmountOut(2, 0.1 + 0.2, 0.1 + 0.2, 1), 100.0);
}

TEST(UnitConversion, ViewLabels) {
    EXPECT_STREQ(DensityUnitLabel(1), "kg/cu m");
    EXPECT_STREQ(DensityUnitLabel(2), "g/cc");
    EXPECT_STREQ(ViscosityUnitLabel(2), "SUS");
    EXPECT_STREQ(WaterContentUnitLabel(1), "percent");
    EXPECT_STREQ(AmountUnitLabel(6), "metric tonnes");
    EXPECT_STREQ(AmountUnitLabel(7), "");
}
