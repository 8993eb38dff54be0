#include "ui/oils/rules/CustomOilValidator.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "ui/oils/rules/LibraryReaders.h"

namespace ui {

namespace {

constexpr const char* kRuleTexts[16] = {
    "",
    "Please provide a name for the oil or product.",
    "Please change the name of the oil or product. TAVRO cannot handle a name beginning with a comma.",
    "Please enter either (a) the API or (b) the fresh oil density. TAVRO requires, at minimum, one of these "
    "properties.",
    "Please check the API value. The API must be between 6 and 100.",
    "Please check the fresh oil density value. The density must be between 0.61 and 1.03.",
    "Please enter a temperature for the fresh oil density.",
    "Please enter the fresh oil viscosity. TAVRO requires this property.",
    "Please check the fresh oil viscosity value. The viscosity must be between 0 and 1,000,000 cSt.",
    "Please enter a temperature for the fresh oil viscosity.",
    "Please check the fresh oil viscosity value. The viscosity must be between 0 and 1,000,000 cP.",
    "Please enter a temperature for the fresh oil viscosity.",
    "Please enter, at minimum, 3 distillation cuts. TAVRO requires distillation data for refined products.",
    "Please check the distillation cut data. Each cut must have both a percent and temperature value.",
    "Please check the distillation cut data. The last cut must be either (a) greater than 90%, or (b) greater "
    "than 275 degrees C (527 deg F).",
    "Please check the distillation cut data. Each cut must have a larger percent and temperature value than the "
    "previous cut.",
};

// A reading of a cell as the library rounds it (single precision), as a
// whole number of its last decimal: 0.9 with 4 decimals is 9000, though
// its float is 0.8999999762. Every bound is compared in this scale.
long long Scaled(const oillib::COilLibrary& lib, int column, int decimals, float factor) {
    const double value = GetLibraryNumber(lib, column, decimals, factor);
    return std::llround(value * std::pow(10.0, decimals));
}

constexpr long long Bound(double value, int decimals) {
    double scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    return static_cast<long long>(value * scale + (value < 0 ? -0.5 : 0.5));
}

CustomOilCheck Fail(int rule, int column) { return {rule, kRuleTexts[rule], column}; }

int FractionColumn(int cut) { return 74 + 3 * (cut - 1); }
int VaporColumn(int cut) { return 72 + 3 * (cut - 1); }

}  // namespace

CustomOilCheck CustomOilValidator::Check(const oillib::COilLibrary& lib) {
    auto empty = [&](int column) { return lib.IsFieldEmpty(lib.ColumnToField(column)); };

    // The name: something besides blanks, not starting with a comma.
    const std::string name = lib.GetFieldText(lib.ColumnToField(1));
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) return Fail(1, 1);
    if (name[first] == ',') return Fail(2, 1);

    if (empty(7) && empty(24)) return Fail(3, 7);
    if (!empty(7)) {
        const long long api = Scaled(lib, 7, 2, 1.0f);
        if (api < Bound(6, 2) || api > Bound(100, 2)) return Fail(4, 7);
    }
    if (!empty(24)) {
        const long long density = Scaled(lib, 24, 4, 0.001f);
        if (density < Bound(0.61, 4) || density > Bound(1.03, 4)) return Fail(5, 24);
        if (empty(25)) return Fail(6, 25);
    }

    if (empty(36) && empty(54)) return Fail(7, 36);
    if (!empty(36)) {
        const long long cSt = Scaled(lib, 36, 2, 1000000.0f);
        if (cSt <= 0 || cSt > Bound(1000000, 2)) return Fail(8, 36);
        if (empty(37)) return Fail(9, 37);
    } else {
        const long long cP = Scaled(lib, 54, 2, 1000.0f);
        if (cP <= 0 || cP > Bound(1000000, 2)) return Fail(10, 54);
        if (empty(55)) return Fail(11, 55);
    }

    // The first of a cut's two cells that is empty.
    auto missing = [&](int cut) { return empty(FractionColumn(cut)) ? FractionColumn(cut) : VaporColumn(cut); };
    auto incomplete = [&](int cut) { return empty(FractionColumn(cut)) || empty(VaporColumn(cut)); };
    if (lib.GetFieldTextLower(lib.ColumnToField(10)) == "refined")
        for (int cut = 1; cut <= 3; ++cut)
            if (incomplete(cut)) return Fail(12, missing(cut));

    int last = 0;
    for (int cut = 1; cut <= 15; ++cut)
        if (!empty(FractionColumn(cut)) || !empty(VaporColumn(cut))) last = cut;
    for (int cut = 1; cut <= last; ++cut)
        if (incomplete(cut)) return Fail(13, missing(cut));
    if (last == 0) return {};

    auto fraction = [&](int cut) { return Scaled(lib, FractionColumn(cut), 4, 1.0f); };
    auto vapor = [&](int cut) { return Scaled(lib, VaporColumn(cut), 2, 1.0f); };
    if (fraction(last) < Bound(0.9, 4) && vapor(last) < Bound(548, 2)) return Fail(14, FractionColumn(last));
    for (int cut = last - 1; cut >= 1; --cut) {
        if (fraction(cut + 1) <= fraction(cut)) return Fail(15, FractionColumn(cut + 1));
        if (vapor(cut + 1) <= vapor(cut)) return Fail(15, VaporColumn(cut + 1));
    }
    return {};
}

}  // namespace ui
