#include "app/SpillDocWx.h"

#include "app/OutputArea.h"
#include "app/TavroApp.h"
#include "document/AskToSave.h"

namespace app {

wxIMPLEMENT_DYNAMIC_CLASS(SpillDocWx, wxDocument);

bool WorkspaceOutputs::Open(document::OutputKind kind) { return area_ && area_->Open(kind); }
void WorkspaceOutputs::Close(document::OutputKind kind) {
    if (area_) area_->Close(kind);
}
bool WorkspaceOutputs::Exists(document::OutputKind kind) const { return area_ && area_->Exists(kind); }
void WorkspaceOutputs::Tile() {
    if (area_) area_->Tile();
}
void WorkspaceOutputs::Maximise(document::OutputKind kind) {
    if (area_) area_->Maximise(kind);
}
void WorkspaceOutputs::ShowForm() {
    if (area_) area_->ShowForm();
}

SpillDocWx::SpillDocWx() {
    CTAVRO2App& app = TheApp();
    document::DocPorts ports;
    ports.dialogs = &app.Dialogs();
    ports.messages = &app.Messages();
    ports.status = &app.Status();
    ports.outputs = &outputs_;
    core_ = std::make_unique<document::SpillDocCore>(app.Libraries(), ports);
    core_->session.startMultipleGraphs = app.Settings().multipleGraphs;  // the mode last chosen
    core_->SetOutputFolder(app.Paths().DumpFolder());
}

SpillDocWx::~SpillDocWx() = default;

bool SpillDocWx::OnNewDocument() {
    if (!wxDocument::OnNewDocument()) return false;
    core_->OnNewDocument();
    return true;
}

bool SpillDocWx::DoOpenDocument(const wxString& file) { return core_->OnOpenDocument(file.utf8_string()); }

bool SpillDocWx::DoSaveDocument(const wxString& file) { return core_->OnSaveDocument(file.utf8_string()); }

bool SpillDocWx::OnCloseDocument() {
    core_->OnCloseDocument();
    return wxDocument::OnCloseDocument();
}

bool SpillDocWx::OnSaveModified() {
    const auto choice = document::AskToSave(*core_, GetUserReadableName().utf8_string(), TheApp().Messages(),
                                            [this] { return Save(); });
    return choice == document::CloseChoice::Close;
}

bool SpillDocWx::IsModified() const { return core_ && core_->IsModified(); }

void SpillDocWx::Modify(bool modified) {
    if (core_) core_->SetModified(modified);
    wxDocument::Modify(modified);
}

}  // namespace app
