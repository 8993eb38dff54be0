// Every text of the read-only oil information sheet, from the library's
// current record.
#pragma once

#include <array>
#include <string>

#include "oillib/OilLibrary.h"

namespace ui {

struct OilInfoTexts {
    // Header band.
    std::string name;     // "none" when empty
    std::string version;  // "library version  " + version + six blanks + date

    // General Info.
    std::string tavroId, oilClass, productType, location, fieldName, synonyms, reference, comments;

    // Properties.
    std::string api, pourPoint;
    std::array<std::string, 4> density, densityTemp, densityEvaporated;
    std::string viscosityKind;  // "Kinematic (cSt)" or "Dynamic (cP)"
    std::array<std::string, 6> viscosity, viscosityTemp, viscosityEvaporated;

    // Distillation.
    std::string cutHeader;  // "Volume %" or "Weight %"
    std::array<std::string, 15> cutPercent, cutTemp;

    // More Properties.
    std::string adhesion, nickel, vanadium;
    std::string aromatics, asphaltenes, benzene, naphthenes, paraffins, polars, resins, saturates, sulfur, wax;
    std::string waterContent, emulsionConstant, flashPoint, oilWaterTension, oilSeawaterTension;
};

inline constexpr const char* kOilInfoCaption = "Oil/Product Properties";
inline constexpr const char* kOilInfoBanner = "TAVRO OIL LIBRARY";

// The texts of the library's current record (temperatures in deg C).
OilInfoTexts MakeOilInfoTexts(const oillib::COilLibrary& lib);

}  // namespace ui
