// The leaking-tank wizard: seven pages over the toolkit-free wizard rules.
// Next checks and stores the page in view (a refusal keeps it), Back
// neither checks nor stores, every showing fills the page from the
// document, step 7 shows and prints the computed release.
#pragma once

#include <array>

#include <wx/wizard.h>

#include "document/SpillDoc.h"
#include "ui/inputs/rules/TankResultPage.h"
#include "ui/inputs/rules/TankWizardRules.h"

class wxButton;
class wxChoice;
class wxStaticBox;
class wxStaticText;

namespace ui {

class CLeakingTankPropertyPage;
class CLeakingTankPropertyPage7;

class CLeakingTankPropertySheet final : public wxWizard {
public:
    CLeakingTankPropertySheet(wxWindow* parent, document::SpillDocCore& doc);

    // Runs the wizard from step 1: true when it ended with Finish; on
    // Cancel the document is as it was before.
    bool Run();

    // Step 1..7.
    wxWizardPageSimple* Page(int step) const;
    TankWizardRules& Rules() { return rules_; }
    document::SpillDocCore& Doc() const { return doc_; }
    // The step shown (1..7), 0 when none.
    int CurrentStep() const;
    void ShowHelp();

private:
    void OnPageChanging(wxWizardEvent& e);
    void OnPageShown(wxWizardEvent& e);

    document::SpillDocCore& doc_;
    TankWizardRules rules_;
    TankWizardForms forms_;
    std::array<CLeakingTankPropertyPage*, 6> inputs_{};
    CLeakingTankPropertyPage7* result_ = nullptr;
};

// The last step: the release's texts and graphs, the unit of the release
// graph, and Print.
class CLeakingTankPropertyPage7 final : public wxWizardPageSimple {
public:
    CLeakingTankPropertyPage7(CLeakingTankPropertySheet* sheet, document::SpillDocCore& doc);

    // Fills the texts from the document's last computation and repaints.
    void ShowResult();
    int ReleaseUnit() const;
    wxChoice* UnitChoice() const { return unit_; }
    wxButton* PrintButton() const { return print_; }
    const TankResultPage& Result() const { return page_; }

private:
    void PlaceGraphs();
    void Print();

    TankResultPage page_;
    platform::IMessages& messages_;
    wxStaticBox* frame_ = nullptr;
    wxStaticText* total_ = nullptr;
    wxStaticText* duration_ = nullptr;
    wxChoice* unit_ = nullptr;
    wxWindow* levelGraph_ = nullptr;
    wxWindow* releaseGraph_ = nullptr;
    wxWindow* firstSwatch_ = nullptr;
    wxStaticText* levelCaption_ = nullptr;
    wxStaticText* releaseCaption_ = nullptr;
    wxButton* print_ = nullptr;
};

// Runs the wizard on the document over parent; true on Finish.
bool RunTankWizard(wxWindow* parent, document::SpillDocCore& doc);

}  // namespace ui
