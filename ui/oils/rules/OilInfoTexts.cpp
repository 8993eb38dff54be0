#include "ui/oils/rules/OilInfoTexts.h"

#include "ui/oils/rules/LibraryReaders.h"

namespace ui {

namespace {

constexpr const char* kNone = "--";
constexpr auto kCelsius = model::ELibTempUnit::Celsius;

// "x at y deg C", each part "--" by itself when its cell is empty; both
// empty read "----".
std::string TensionText(const oillib::COilLibrary& lib, int valueColumn, int tempColumn) {
    const std::string value = GetLibraryValueText(lib, valueColumn, "", "", 2, 1000.0f);
    const std::string temp = GetLibraryTemperatureText(lib, tempColumn, "", " deg C", kCelsius, 0);
    if (value.empty() && temp.empty()) return "----";
    return (value.empty() ? kNone : value) + " at " + (temp.empty() ? kNone : temp);
}

std::string CutHeader(const oillib::COilLibrary& lib) {
    std::string text = lib.GetFieldText(lib.ColumnToField(117));
    if (text.empty()) text = "Volume";
    if (text[0] == 'v') text[0] = 'V';
    if (text[0] == 'w') text[0] = 'W';
    return text + " %";
}

}  // namespace

OilInfoTexts MakeOilInfoTexts(const oillib::COilLibrary& lib) {
    OilInfoTexts t;
    auto text = [&](int column, const char* def) { return GetLibraryText(lib, column, def); };
    auto value = [&](int column, int decimals, float factor, const char* suffix = "") {
        return GetLibraryValueText(lib, column, kNone, suffix, decimals, factor);
    };
    auto celsius = [&](int column, const char* suffix = "") {
        return GetLibraryTemperatureText(lib, column, kNone, suffix, kCelsius, 0);
    };
    auto range = [&](int minColumn, int maxColumn) {
        return GetLibraryTemperatureRange(lib, minColumn, maxColumn, kNone, " deg C", kCelsius, 0);
    };

    t.name = text(1, "none");
    t.version = "library version  " + lib.GetVersion() + "      " + lib.GetDate();

    t.tavroId = text(2, "--");
    t.oilClass = text(118, "unknown");
    t.productType = text(10, "unknown");
    t.location = text(3, "none listed");
    t.fieldName = text(4, "none listed");
    t.synonyms = text(5, "none listed");
    t.reference = text(6, "none");
    t.comments = text(11, "none");

    t.api = value(7, 1, 1.0f);
    t.pourPoint = range(8, 9);
    for (int i = 0; i < 4; ++i) {
        t.density[i] = value(24 + 3 * i, 4, 0.001f);
        t.densityTemp[i] = celsius(25 + 3 * i);
        t.densityEvaporated[i] = value(26 + 3 * i, 0, 100.0f);
    }
    // The first kinematic value alone decides which rows are shown.
    const bool kinematic = !lib.IsFieldEmpty(lib.ColumnToField(36));
    t.viscosityKind = kinematic ? "Kinematic (cSt)" : "Dynamic (cP)";
    const int first = kinematic ? 36 : 54;
    const float factor = kinematic ? 1000000.0f : 1000.0f;
    for (int i = 0; i < 6; ++i) {
        t.viscosity[i] = value(first + 3 * i, 2, factor);
        t.viscosityTemp[i] = celsius(first + 1 + 3 * i);
        t.viscosityEvaporated[i] = value(first + 2 + 3 * i, 0, 100.0f);
    }

    t.cutHeader = CutHeader(lib);
    for (int i = 0; i < 15; ++i) {
        t.cutPercent[i] = value(74 + 3 * i, 0, 100.0f);
        t.cutTemp[i] = celsius(72 + 3 * i, " deg C");
    }

    t.adhesion = value(143, 2, 1.0f, " g/m2");
    t.nickel = value(153, 2, 1.0f);
    t.vanadium = value(154, 2, 1.0f);
    t.aromatics = value(14, 0, 100.0f);
    t.asphaltenes = value(12, 0, 100.0f);
    t.benzene = value(144, 0, 100.0f);
    t.naphthenes = value(145, 0, 100.0f);
    t.paraffins = value(146, 0, 100.0f);
    t.polars = value(147, 0, 100.0f);
    t.resins = value(148, 0, 100.0f);
    t.saturates = value(149, 0, 100.0f);
    t.sulfur = value(150, 0, 100.0f);
    t.wax = value(13, 0, 100.0f);
    t.waterContent = value(15, 1, 100.0f, " %");
    t.emulsionConstant = value(17, 1, 100.0f, " %");
    t.flashPoint = range(18, 19);
    t.oilWaterTension = TensionText(lib, 20, 21);
    t.oilSeawaterTension = TensionText(lib, 22, 23);
    return t;
}

}  // namespace ui
