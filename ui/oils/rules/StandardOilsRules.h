// The standard oils dialog without its window: the list of the standard
// library's oils, the information sheet's texts of one of them, and Select,
// which checks the oil's record and copies it into the scenario.
#pragma once

#include <optional>

#include "document/SpillDoc.h"
#include "oillib/OilLibrary.h"
#include "ui/common/rules/CheckResult.h"
#include "ui/oils/rules/OilInfoTexts.h"
#include "ui/oils/rules/OilListModel.h"

namespace ui {

inline constexpr const char* kStandardOilsCaption = "Standard Oils";
inline constexpr const char* kStandardOilsPrompt = "Select an oil or product from the list.";
inline constexpr const char* kNoApiNorDensityText =
    "TAVRO requires either (a) the API or (b) the fresh oil density. There is an error in the Oil Library";
inline constexpr const char* kApiRangeText = "The API must be between 6 and 100. There is an error in the Oil Library";

// Which library the scenario's oil comes from.
enum class OilSource { Standard, Custom };

// Makes the oil at offset the library's current record; a refusal with the
// library's read-failure text when it cannot be read.
CheckResult ReadLibraryOil(oillib::COilLibrary& lib, oillib::FileOffset offset);

// The two checks of the current record: an API or a first density, and an
// API between 6 and 100.
CheckResult CheckLibraryOil(const oillib::COilLibrary& lib);

// Writes the current record (the oil at offset) into the scenario: OilIndex,
// the standard-oil flag, the eleven oil texts, the model's oil record and
// the oil's change flag.
void CopyOilIntoScenario(const oillib::COilLibrary& lib, oillib::FileOffset offset, OilSource source,
                         document::SpillDocCore& doc);

struct StandardOilsForm {
    int row = -1;  // the selected row of the list, -1 for none

    friend bool operator==(const StandardOilsForm&, const StandardOilsForm&) = default;
};

class StandardOilsRules {
public:
    // Select copies the chosen oil into the scenario; Pick only checks it
    // (the custom oils dialog copies a standard oil into its own library).
    enum class Mode { Select, Pick };

    StandardOilsRules(document::SpillDocCore& doc, Mode mode = Mode::Select);

    // The list in name order, and the row of the scenario's oil.
    StandardOilsForm Load();
    const OilListModel& List() const { return list_; }

    // A click on a column's header: the list sorted by it; the form follows
    // the oil that was selected.
    StandardOilsForm SortBy(int column, const StandardOilsForm& form);

    // Oil Info (button, double click or Enter): the texts of the selected
    // oil. Nothing (and no refusal) with no row selected; a refusal when the
    // record cannot be read.
    struct Info {
        CheckResult check;
        std::optional<OilInfoTexts> texts;
    };
    Info OilInfo(const StandardOilsForm& form);

    // Select: nullopt with no row selected (the dialog stays, silently);
    // else the record is read and checked, and on success written (Select
    // mode) and the dialog may close.
    std::optional<CheckResult> Select(const StandardOilsForm& form);

    // The offset of the oil last chosen by Oil Info or Select; after a
    // successful Select the library's current record is that oil.
    oillib::FileOffset Chosen() const { return chosen_; }

private:
    std::optional<oillib::FileOffset> OffsetOf(const StandardOilsForm& form) const;

    document::SpillDocCore& doc_;
    oillib::COilLibrary* lib_;
    Mode mode_;
    OilListModel list_;
    oillib::FileOffset chosen_;
};

}  // namespace ui
