// The custom-oil editor without its window: every value of one custom
// record as the text the user sees (g/cc, deg C, cSt or cP, %, dynes/cm),
// filled from the library's current record and written back into it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "oillib/OilLibrary.h"
#include "ui/common/rules/CheckResult.h"

namespace ui {

// The current record of a library, field by field, to be put back.
class OilRecordCopy {
public:
    static OilRecordCopy Of(const oillib::CMyFileReader& lib);
    void PutInto(oillib::CMyFileReader& lib) const;
    bool operator==(const OilRecordCopy&) const = default;

private:
    std::vector<std::string> fields_;  // field 1 first
};

struct CustomOilEditorForm {
    // The choices of the four lists, in their order.
    enum ProductType : int { Crude = 0, Refined = 1 };
    enum ViscosityKind : int { Kinematic = 0, Dynamic = 1 };
    enum CutUnits : int { VolumePercent = 0, WeightPercent = 1 };
    static constexpr std::array<const char*, 2> kProductTypes = {"Crude", "Refined"};
    static constexpr std::array<const char*, 5> kOilClasses = {"Group 1", "Group 2", "Group 3", "Group 4",
                                                              "Group 5"};
    static constexpr std::array<const char*, 2> kViscosityKinds = {"Kinematic", "Dynamic"};
    static constexpr std::array<const char*, 2> kCutUnits = {"Volume %", "Weight %"};
    // The unit of the viscosity values by kind (the numbers are not
    // converted when the kind changes).
    static constexpr std::array<const char*, 2> kViscosityUnits = {"cSt", "cP"};

    // Header band.
    std::string name;            // "Name, Source"
    std::string libraryDate;     // shown only
    bool librarySaved = false;   // the library file exists (it loaded)

    // General Info.
    int productType = Refined;
    int oilClass = 4;  // "Group 5"
    std::string synonyms, fieldName, location, reference, comments;

    // Properties. Row 1 of the densities and viscosities is the fresh oil:
    // its "% evaporated" is shown as "0.0 (fresh)" and not edited.
    std::string api, pourPoint;
    std::array<std::string, 4> density, densityTemp, densityEvaporated;
    int viscosityKind = Kinematic;
    std::array<std::string, 6> viscosity, viscosityTemp, viscosityEvaporated;

    // Distillation.
    int cutUnits = VolumePercent;
    std::array<std::string, 15> cutPercent, cutTemp;

    // More Properties.
    std::string flashPoint;
    std::string oilWaterTension, oilWaterTensionTemp, oilSeawaterTension, oilSeawaterTensionTemp;
    std::string waterContent, emulsionConstant, adhesion, nickel, vanadium;
    std::string aromatics, asphaltenes, benzene, naphthenes, paraffins, polars, resins, saturates, sulfur, wax;


    // The pages of the editor, in tab order.
    enum Page : int { GeneralInfo = 0, Properties, Distillation, MoreProperties };

    // Where the editor opens: a page and the text of the form whose edit
    // takes the focus (&name: the "Name, Source" edit above the pages).
    struct Place {
        int page = GeneralInfo;
        const std::string* text = nullptr;  // null: the name
    };

    // The texts of the library's current record.
    static CustomOilEditorForm Fill(const oillib::COilLibrary& lib);

    // The band's text about the library's date: "Library last modified on
    // <date>", or "Library not saved yet" before the file exists.
    static std::string LibraryDateText(const CustomOilEditorForm& form);

    // The page and the text of the form that show a library column (a
    // column the editor does not show: the name).
    static Place PlaceOf(const CustomOilEditorForm& form, int column);

    // A refusal naming the first value the user typed (a text that differs
    // from the baseline) that is not a number; texts stay as typed. place,
    // when given, is set to where that value is edited.
    static CheckResult CheckNumbers(const CustomOilEditorForm& form, const CustomOilEditorForm& baseline,
                                    Place* place = nullptr);

    // Puts original (the record before the editor first opened) back as
    // the current record, then writes into it what the user changed: the
    // texts that differ from baseline (what Fill showed), each list whose
    // cell does not already read as the choice shown, and the rows of the
    // chosen viscosity kind (the other kind's emptied) when the kind or a
    // viscosity row changed.
    static void WriteBack(const CustomOilEditorForm& form, const CustomOilEditorForm& baseline,
                          const OilRecordCopy& original, oillib::COilLibrary& lib);

    bool operator==(const CustomOilEditorForm&) const = default;
};

}  // namespace ui
