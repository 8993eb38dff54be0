// The one view of a scenario: its workspace, a page of the main frame's
// notebook holding the output area (form, outputs).
#pragma once

#include <wx/docview.h>

#include "document/SpillDoc.h"

namespace app {

class FormPanel;
class OutputArea;
class SpillDocWx;

class WorkspaceView final : public wxView {
public:
    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC*) override {}
    void OnChangeFilename() override;
    // An activated scenario shows its page.
    void OnActivateView(bool activate, wxView* activeView, wxView* deactiveView) override;
    // The active output's printout when it prints itself
    // (output::IPrintableOutput), else the scenario's
    // (output::SetScenarioPrintout).
    wxPrintout* OnCreatePrintout() override;

    SpillDocWx* Doc() const;
    // The tab's text: the scenario's name, with " *" while it has unsaved
    // changes.
    wxString TabText() const;
    wxWindow* Page() const { return page_; }
    OutputArea* Area() const { return area_; }
    FormPanel* Form() const { return form_; }

protected:
    // The active output window sees commands first (a table takes Save As,
    // Copy and Print itself).
    bool TryBefore(wxEvent& event) override;

private:
    wxWindow* page_ = nullptr;
    OutputArea* area_ = nullptr;
    FormPanel* form_ = nullptr;

    wxDECLARE_DYNAMIC_CLASS(WorkspaceView);
};

}  // namespace app
