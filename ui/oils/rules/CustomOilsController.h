// The custom oils dialog without its window: the user's own library
// "CustomLib" in a sortable list, Add (a copy of a standard oil, a blank
// oil or a copy of a custom oil), Edit with the checks of a custom oil,
// Remove after confirming, and Select into the scenario. Every save or
// removal rewrites the file at once; the dialog reaches the user through
// the document's messages and the port below.
#pragma once

#include <optional>
#include <string>

#include "document/SpillDoc.h"
#include "oillib/OilLibrary.h"
#include "ui/oils/rules/CustomOilEditorForm.h"
#include "ui/oils/rules/OilListModel.h"

namespace ui {

inline constexpr const char* kCustomOilsCaption = "Custom Oils";
inline constexpr const char* kCustomOilsPrompt = "Select an oil or product from the list.";
inline constexpr const char* kCustomOilEditorCaption = "Oil/Product Properties";
inline constexpr const char* kSelectAnOilText = "Please Select an Oil\n\nNo oil has been selected in the list.";
inline constexpr const char* kRemoveFailedText =
    "Unable to Remove Oil\n\nAn error occurred while attempting to modify the Custom Oil Library. Cannot delete the "
    "oil.";
inline constexpr const char* kSaveFailedText =
    "Unable to Save Changes\n\nAn error occurred while attempting to save changes to the Custom Oil Library. Your "
    "changes were not saved.";

// The message of a "CustomLib" that exists but does not load.
std::string CustomLibraryUnreadableText(const std::string& folder, const std::string& reason);

// The answers of the three choice dialogs.
enum class FirstOilChoice { Select, Blank, Cancel };
enum class AddChoice { Select, Blank, Copy, Cancel };

// What the dialog asks the user, apart from messages.
class ICustomOilsUi {
public:
    virtual ~ICustomOilsUi() = default;
    // "Create Custom Library": the library file does not exist yet.
    virtual FirstOilChoice ChooseFirstOil() = 0;
    // "Modifiy Custom Library": how to make the new oil.
    virtual AddChoice ChooseAdd() = 0;
    // "Modify Custom Library": true for "Remove Oil".
    virtual bool ConfirmRemove() = 0;
    // The standard oils dialog in pick mode: the chosen oil's offset in the
    // standard library (which has it as its current record), none when
    // cancelled. The scenario is not changed.
    virtual std::optional<oillib::FileOffset> PickStandardOil() = 0;
    // The editor on the form (changed in place as the user leaves it);
    // true for "Save Changes", false for Cancel.
    virtual bool RunEditor(CustomOilEditorForm& form) = 0;
};

class CustomOilsController {
public:
    CustomOilsController(document::SpillDocCore& doc, ICustomOilsUi& ui);

    // Loads the library. A missing file offers the first oil; false when
    // the dialog ends at once (the first oil abandoned, or a file that is
    // not a library, which is reported and never written).
    bool Open();

    const OilListModel& List() const { return list_; }
    // The selected row (-1: none), as the list shows it after each action.
    int SelectedRow() const { return row_; }
    void SetSelectedRow(int row) { row_ = row; }

    // A click on a column's header; the selection follows its oil.
    void SortBy(int column);

    void Add();
    // Edit Oil...: a message when no row is selected.
    void Edit();
    // A double click: Edit, silently nothing without a row.
    void Activate();
    void Remove();
    // Select: true when the selected oil was copied into the scenario (the
    // dialog closes with OK).
    bool Select();

private:
    std::optional<oillib::FileOffset> SelectedOffset() const;
    void Refill();
    bool CreateFirstOil(bool copyStandard);
    bool CopyStandardOil();
    bool ReadOil(oillib::FileOffset offset);
    // Runs the editor loop on the current record; true when the user saved
    // (even when the save failed).
    bool EditCustomOil(oillib::FileOffset offset);
    void NewOilId();
    void Show(const std::string& text, platform::MsgIcon icon = platform::MsgIcon::None);

    document::SpillDocCore& doc_;
    ICustomOilsUi& ui_;
    oillib::COilLibrary* lib_;
    OilListModel list_;
    int row_ = -1;
    // The record being edited or selected; -1 for a new one.
    oillib::FileOffset current_;
};

}  // namespace ui
