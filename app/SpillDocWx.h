// The scenario document of the program: a wxDocument that owns the
// toolkit-free SpillDocCore and gives it the program's ports.
#pragma once

#include <memory>

#include <wx/docview.h>

#include "document/FormState.h"
#include "document/ScenarioTree.h"
#include "document/SpillDoc.h"

namespace app {

class OutputArea;

// The document's output windows: those of its workspace, while it has one.
class WorkspaceOutputs final : public document::IOutputWindows {
public:
    void SetArea(OutputArea* area) { area_ = area; }
    OutputArea* Area() const { return area_; }
    bool Open(document::OutputKind kind) override;
    void Close(document::OutputKind kind) override;
    bool Exists(document::OutputKind kind) const override;
    void Tile() override;
    void Maximise(document::OutputKind kind) override;
    void ShowForm() override;

private:
    OutputArea* area_ = nullptr;
};

class SpillDocWx final : public wxDocument {
public:
    SpillDocWx();
    ~SpillDocWx() override;

    document::SpillDocCore& Core() { return *core_; }
    document::FormState& Form() { return form_; }
    // The scenario's summary shown in the "Scenario" pane.
    document::ScenarioTreeModel& Tree() { return tree_; }
    WorkspaceOutputs& Outputs() { return outputs_; }

    bool OnNewDocument() override;
    bool OnCloseDocument() override;
    // Asks "Do you want to save the changes to <name>?" for unsaved input.
    bool OnSaveModified() override;
    bool IsModified() const override;
    void Modify(bool modified) override;

protected:
    bool DoOpenDocument(const wxString& file) override;
    bool DoSaveDocument(const wxString& file) override;

private:
    WorkspaceOutputs outputs_;
    document::FormState form_;
    document::ScenarioTreeModel tree_;
    std::unique_ptr<document::SpillDocCore> core_;

    wxDECLARE_DYNAMIC_CLASS(SpillDocWx);
};

}  // namespace app
