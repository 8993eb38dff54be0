// The response-operation sheets: five dispersant sprays, five in-situ
// burns (with the advanced burn options) and five mechanical clean-up
// operations, each page bound to its rules (ui/inputs/rules/OperationPages).
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/panel.h>

#include "document/SpillDoc.h"
#include "ui/common/RulesDialog.h"
#include "ui/common/RulesSheetDialog.h"
#include "ui/inputs/rules/OperationPages.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxTextCtrl;

namespace ui {

class TimePickCtrls;

// The parts every operation page has: the use box, the start time and the
// controls that are enabled exactly while the operation is used.
class OperationPage : public wxPanel, public ISheetPage {
public:
    OperationPage(wxWindow* book, const wxString& useLabel, const wxString& timeGroup);
    ~OperationPage() override;
    wxCheckBox* UseBox() const { return use_; }

protected:
    // The page's body goes here, under the time group.
    wxSizer* Body() const { return body_; }
    TimePickCtrls& Time() const { return *time_; }
    // A control (or label) enabled only while the operation is used.
    template <class W>
    W* Dependent(W* w) {
        dependents_.push_back(w);
        return w;
    }
    // Every dependent enabled by used; then the page's own states.
    void ShowEnabled(bool used);
    virtual void OnEnabled(bool) {}

private:
    wxCheckBox* use_;
    std::unique_ptr<TimePickCtrls> time_;
    wxSizer* body_;
    std::vector<wxWindow*> dependents_;
};

class CDispersantUsePage final : public OperationPage {
public:
    CDispersantUsePage(wxWindow* book, document::SpillDocCore& doc, int spray);
    void Load() override;
    CheckResult Leave() override;
    void Apply() override {}

private:
    DispersantPageForm Form() const;
    DispersantPageRules rules_;
    wxTextCtrl* duration_;
    wxTextCtrl* sprayed_;
    wxTextCtrl* dispersed_;
};

class CInSituBurnPage final : public OperationPage {
public:
    CInSituBurnPage(wxWindow* book, document::SpillDocCore& doc, int burn);
    void Load() override;
    CheckResult Leave() override;
    void Apply() override;
    wxButton* PlumeButton() const { return plume_; }

private:
    BurnPageForm Form() const;
    void OnSmokePlume();
    void OnEnabled(bool used) override;
    document::SpillDocCore& doc_;
    int burn_;
    BurnPageRules rules_;
    wxTextCtrl* area_;
    wxChoice* areaUnit_;
    wxTextCtrl* thickness_;
    wxChoice* thicknessUnit_;
    wxButton* plume_;
};

class CMechCleanupPage final : public OperationPage {
public:
    CMechCleanupPage(wxWindow* book, document::SpillDocCore& doc, int operation);
    void Load() override;
    CheckResult Leave() override;
    void Apply() override;

private:
    CleanupPageForm Form() const;
    void OnEnabled(bool used) override;
    CleanupPageRules rules_;
    wxTextCtrl* duration_;
    wxRadioButton* rateMode_;
    wxRadioButton* amountMode_;
    wxTextCtrl* rate_;
    wxChoice* rateUnit_;
    wxTextCtrl* amount_;
    wxChoice* amountUnit_;
};

// A sheet of five pages of one kind, titled from the document's sheet
// titles; OK checks the page in view and applies every page shown.
class OperationSheet : public RulesSheetDialog {
public:
    using PageMaker = std::function<OperationPage*(wxWindow* book, int index)>;
    // Buttons of the sheet's own for the left of the button row, made as
    // children of the sheet.
    using ButtonMaker = std::function<wxSizer*(wxWindow* sheet)>;
    OperationSheet(wxWindow* parent, document::SpillDocCore& doc, const document::SheetTitles& titles,
                   HelpDialog help, const PageMaker& make, const ButtonMaker& extraButtons = {});
    OperationPage* Page(int index) const { return pages_[static_cast<std::size_t>(index)]; }

private:
    std::vector<OperationPage*> pages_;
};

class CDispersantUseSheet final : public OperationSheet {
public:
    CDispersantUseSheet(wxWindow* parent, document::SpillDocCore& doc);
};

class CInSituBurnSheet final : public OperationSheet {
public:
    static constexpr int kAdvancedOptionsId = wxID_HIGHEST + 45;
    CInSituBurnSheet(wxWindow* parent, document::SpillDocCore& doc);

private:
    void OnAdvancedOptions();
    document::SpillDocCore& doc_;
};

class CMechCleanupSheet final : public OperationSheet {
public:
    CMechCleanupSheet(wxWindow* parent, document::SpillDocCore& doc);
};

// The burn regression rate for every burn.
class CAdvancedBurnOptionsDialog final : public RulesDialog {
public:
    CAdvancedBurnOptionsDialog(wxWindow* parent, document::SpillDocCore& doc);
    wxChoice* Choice() const { return choice_; }
    wxTextCtrl* Rate() const { return rate_; }
    wxChoice* Unit() const { return unit_; }

private:
    AdvancedBurnForm Form() const;
    void ShowRate();
    void OnOk();
    AdvancedBurnRules rules_;
    wxChoice* choice_;
    wxTextCtrl* rate_;
    wxChoice* unit_;
};

// The three sheets' entries in the dialog registry.
void RegisterOperationDialogs();

}  // namespace ui
