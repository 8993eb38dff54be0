#include "app/WorkspaceView.h"

#include <wx/control.h>
#include <wx/sizer.h>

#include "app/FormPanel.h"
#include "app/MainFrame.h"
#include "app/OutputArea.h"
#include "app/SpillDocWx.h"
#include "app/TavroApp.h"
#include "output/OutputRegistry.h"

namespace app {

wxIMPLEMENT_DYNAMIC_CLASS(WorkspaceView, wxView);

SpillDocWx* WorkspaceView::Doc() const { return wxDynamicCast(GetDocument(), SpillDocWx); }

wxString WorkspaceView::TabText() const {
    wxDocument* doc = GetDocument();
    if (!doc) return {};
    // The name as it is (the tab would read "&" as a mnemonic).
    return wxControl::EscapeMnemonics(doc->GetUserReadableName()) + (doc->IsModified() ? " *" : "");
}

bool WorkspaceView::OnCreate(wxDocument* doc, long) {
    CMainFrame* frame = TheApp().MainFrame();
    auto* spill = wxDynamicCast(doc, SpillDocWx);
    if (!frame || !spill) return false;
    wxWindow* book = frame->Workspaces();
    page_ = new wxPanel(book);
    area_ = new OutputArea(page_, spill->Core());
    form_ = new FormPanel(area_);
    area_->SetForm(form_);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(area_, 1, wxEXPAND);
    page_->SetSizer(sizer);
    spill->Outputs().SetArea(area_);
    frame->AddWorkspace(this);
    Activate(true);
    return true;
}

bool WorkspaceView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow)) return false;  // closes the document (may ask to save)
    Activate(false);
    if (SpillDocWx* spill = Doc()) spill->Outputs().SetArea(nullptr);
    if (CMainFrame* frame = TheApp().MainFrame()) frame->RemoveWorkspace(this);
    page_ = nullptr;
    area_ = nullptr;
    form_ = nullptr;
    return true;
}

void WorkspaceView::OnChangeFilename() {
    if (CMainFrame* frame = TheApp().MainFrame()) frame->WorkspaceRenamed(this);
}

void WorkspaceView::OnActivateView(bool activate, wxView*, wxView*) {
    if (!activate || !page_) return;
    CMainFrame* frame = TheApp().MainFrame();
    if (!frame) return;
    const int i = frame->Workspaces()->FindPage(page_);
    if (i != wxNOT_FOUND && i != frame->Workspaces()->GetSelection()) frame->Workspaces()->ChangeSelection(i);
}

wxPrintout* WorkspaceView::OnCreatePrintout() {
    if (area_) {
        if (auto* own = dynamic_cast<output::IPrintableOutput*>(area_->ActiveOutput())) return own->CreatePrintout();
    }
    SpillDocWx* doc = Doc();
    const output::ScenarioPrintoutFactory& factory = output::ScenarioPrintout();
    if (!doc || !factory) return nullptr;
    return factory(doc->Core());
}

bool WorkspaceView::TryBefore(wxEvent& event) {
    if (area_ && event.IsCommandEvent()) {
        wxWindow* active = area_->ActiveOutput();
        if (active && event.GetEventObject() != active && active->GetEventHandler()->ProcessEventLocally(event))
            return true;
    }
    return wxView::TryBefore(event);
}

}  // namespace app
