// The "Custom Oils" dialog: the user's own oils in the list of the oil
// dialogs, Add, "Edit Oil...", Remove and Select, driven by
// CustomOilsController; the choice dialogs and the editor are its port.
#pragma once

#include <wx/listctrl.h>

#include "document/SpillDoc.h"
#include "ui/common/RulesDialog.h"
#include "ui/oils/rules/CustomOilsController.h"

namespace ui {

// The three choice dialogs (captions, texts and the ids of their buttons).
inline constexpr int ID_CHOICE_SELECT = 1262;
inline constexpr int ID_CHOICE_BLANK = 1126;
inline constexpr int ID_CHOICE_COPY = 1264;
inline constexpr int ID_CHOICE_REMOVE = 1262;
// The custom oils dialog's own buttons.
inline constexpr int ID_CUSTOM_EDIT = 1126;
inline constexpr int ID_CUSTOM_ADD = 1260;
inline constexpr int ID_CUSTOM_REMOVE = 1261;
FirstOilChoice RunFirstOilChoice(wxWindow* parent);
AddChoice RunAddChoice(wxWindow* parent);
bool RunRemoveChoice(wxWindow* parent);

class CCustomOilsDialog final : public RulesDialog, private ICustomOilsUi {
public:
    CCustomOilsDialog(wxWindow* parent, document::SpillDocCore& doc);

    // Loads the library (a missing one offers the first oil); false when
    // the dialog is not to be shown (it then counts as cancelled).
    bool Open();

    wxListCtrl* List() const { return list_; }

    void Add();
    void EditOil();
    void Remove();
    void SelectOil();

private:
    FirstOilChoice ChooseFirstOil() override;
    AddChoice ChooseAdd() override;
    bool ConfirmRemove() override;
    std::optional<oillib::FileOffset> PickStandardOil() override;
    bool RunEditor(CustomOilEditorForm& form, const CustomOilEditorForm::Place& place) override;

    // The window the inner dialogs belong to: this one once shown.
    wxWindow* Owner();
    // The selection into the controller before an action, the list after.
    void ReadRow();
    void ShowList();
    void OnColumnClick(wxListEvent& e);

    document::SpillDocCore& doc_;
    CustomOilsController controller_;
    wxListCtrl* list_ = nullptr;
};

}  // namespace ui
