// The smoke plume of one in-situ burn: its inputs on a first page, then
// the summary and the graph of the level-of-concern contours, printable on
// one page. Inputs reach the scenario only through "Next >" or "Finished".
#pragma once

#include <array>
#include <memory>

#include "document/SpillDoc.h"
#include "model/SmokePlume.h"
#include "ui/common/RulesDialog.h"
#include "ui/inputs/rules/SmokePlumeRules.h"

class wxButton;
class wxChoice;
class wxSimplebook;
class wxStaticText;
class wxTextCtrl;

namespace ui {

class CSmokePlumeDialog final : public RulesDialog {
public:
    static constexpr int kNextId = wxID_HIGHEST + 61;
    static constexpr int kBackId = wxID_HIGHEST + 62;
    static constexpr int kPrintId = wxID_HIGHEST + 63;
    static constexpr int kInputHelpId = wxID_HIGHEST + 64;
    static constexpr int kGraphHelpId = wxID_HIGHEST + 65;

    CSmokePlumeDialog(wxWindow* parent, document::SpillDocCore& doc, int burn);
    ~CSmokePlumeDialog() override;

    // 0 the inputs, 1 the summary and graph.
    int State() const;
    wxTextCtrl* Loc() const { return loc_; }
    wxTextCtrl* AirTemp() const { return air_; }
    wxTextCtrl* Wind() const { return wind_; }
    wxWindow* Graph() const { return graph_; }
    const model::SPlumeGraphData* Plume() const { return plume_.get(); }
    HelpDialog HelpInView() const;

private:
    SmokePlumeForm Form() const;
    void ShowState(int state);
    void OnNext();
    void OnFinished();
    void OnPrint();
    wxWindow* MakeInputs(wxWindow* book);
    wxWindow* MakeGraphPage(wxWindow* book);

    document::SpillDocCore& doc_;
    SmokePlumeRules rules_;
    std::unique_ptr<model::SPlumeGraphData> plume_;
    wxSimplebook* book_ = nullptr;
    wxTextCtrl* loc_ = nullptr;
    wxTextCtrl* air_ = nullptr;
    wxChoice* airUnit_ = nullptr;
    wxTextCtrl* wind_ = nullptr;
    wxChoice* windUnit_ = nullptr;
    wxButton* next_ = nullptr;
    wxButton* finished_ = nullptr;
    std::array<wxStaticText*, 7> summary_{};
    wxWindow* graph_ = nullptr;
};

// Runs the dialog for burn index `burn` (0-4) modally.
void RunSmokePlumeDialog(wxWindow* parent, document::SpillDocCore& doc, int burn);

}  // namespace ui
