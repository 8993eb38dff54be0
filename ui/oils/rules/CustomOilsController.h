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
// The question when the library file is missing (or empty) and its backup
// holds a library: restore it (Yes) or start a new library (No).
std::string RestoreCustomLibraryText(const oillib::COilLibrary& lib, bool missing, const oillib::SBackupInfo& backup);
// The message of a restore that failed.
std::string RestoreFailedText(const oillib::COilLibrary& lib);

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
    // The editor on the form (changed in place as the user leaves it),
    // opened on the place given; true for "Save Changes", false for Cancel.
    virtual bool RunEditor(CustomOilEditorForm& form, const CustomOilEditorForm::Place& place) = 0;
};

class CustomOilsController {
public:
    CustomOilsController(document::SpillDocCore& doc, ICustomOilsUi& ui);

    // Loads the library. A missing or empty file offers its backup, when
    // one holds a library, as a Yes/No question (nothing is restored
    // unasked), else (or on No) the first oil; false when the dialog ends
    // at once (the first oil abandoned, a failed restore, or a file that is
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
    // The list anew from the index; the row of select when it is listed,
    // else the opening's preselection.
    void Refill(std::optional<oillib::FileOffset> select = std::nullopt);
    enum class BackupAnswer { None, Restored, Failed };
    // The question about the backup of a missing or empty library file.
    BackupAnswer OfferBackup(bool missing);
    bool CreateFirstOil(bool copyStandard);
    bool CopyStandardOil();
    bool ReadOil(oillib::FileOffset offset);
    // Runs the editor loop on the current record until it is saved (true;
    // the list then selects the oil saved) or the user cancels (false). A
    // refused check reopens the editor at the value to put right, a failed
    // save (reported) with everything typed.
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
