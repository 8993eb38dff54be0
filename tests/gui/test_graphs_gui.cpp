// The graph windows on a real display: a solved scenario's graph paints,
// a unit command changes the document's unit and repaints, and the graph
// help dialog opens with its caption and closes.
#include <string>

#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/utils.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/OutputArea.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "gui_support.h"
#include "output/GraphViews.h"
#include "platform/Help.h"

using namespace gui_test;
using document::OutputKind;

namespace {

// Pumps until the panel has painted more than `than` times (or gives up).
bool PaintedMoreThan(output::GraphPanel* panel, int than) {
    for (int i = 0; i < 50 && panel->PaintCount() <= than; ++i) {
        panel->Update();
        Pump(1);
        wxMilliSleep(10);
    }
    return panel->PaintCount() > than;
}

TEST_F(GuiTest, GraphPanelPaintsTakesAUnitAndShowsItsHelp) {
    Start(OpeningStoredScenario());
    app::CMainFrame* f = Frame();
    ASSERT_NE(f, nullptr);
    Command(app::ID_SOLVE);
    app::WorkspaceView* view = f->CurrentWorkspace();
    ASSERT_NE(view, nullptr);
    app::OutputArea* area = view->Area();
    Command(app::GraphCommand(document::GraphDensity));
    ASSERT_TRUE(area->Exists(OutputKind::Density));
    auto* panel = dynamic_cast<output::GraphPanel*>(area->OutputWindow(OutputKind::Density));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(PaintedMoreThan(panel, 0));
    EXPECT_EQ(panel->View().Title(), "Oil Density (kg/cu m)");

    // What the panel paints is not blank: the axes and their labels in
    // black, the best-estimate curve in its grey.
    const wxSize size = panel->GetClientSize();
    ASSERT_GT(size.x, 100);
    ASSERT_GT(size.y, 100);
    const Ink kgm3 = InkOf(Screenshot(f, "graph-density-kgm3"), f, panel, 128, 128, 128);
    EXPECT_GT(kgm3.dark, 1000) << "the axes and labels";
    EXPECT_GT(kgm3.ofColour, 100) << "the curve";

    // A unit command: the document's entry changes and the panel repaints.
    document::SpillDocCore& doc = view->Doc()->Core();
    const int before = panel->PaintCount();
    panel->RunCommand(32810);
    EXPECT_EQ(doc.session.m_iGraphUnits[document::GraphDensity], 2);
    EXPECT_TRUE(PaintedMoreThan(panel, before));
    EXPECT_EQ(panel->View().Title(), "Oil Density (g/cc)");
    const Ink gcc = InkOf(Screenshot(f, "graph-density-gcc"), f, panel, 128, 128, 128);
    EXPECT_GT(gcc.dark, 1000) << "the axes and labels";
    EXPECT_GT(gcc.ofColour, 100) << "the curve";

    // The help dialog: its caption, the book's output page, then OK.
    platform::RecordingHelp help;
    const ScopedDefaultHelp helpHere(help);
    std::string caption;
    bool found = false, okIsDefault = false;
    wxTheApp->CallAfter([&] {
        for (wxWindow* w : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<output::CContextMenuHelp*>(w);
            if (!dialog || !dialog->IsModal()) continue;
            found = true;
            caption = dialog->GetTitle().utf8_string();
            // Enter closes it: OK is the default button.
            auto* def = dynamic_cast<wxButton*>(dialog->GetDefaultItem());
            okIsDefault = def != nullptr && def->GetId() == wxID_OK;
            Screenshot(dialog, "graph-help-density");
            if (auto* more = dynamic_cast<wxButton*>(dialog->FindWindow(output::CContextMenuHelp::kReadMoreId))) {
                wxCommandEvent click(wxEVT_BUTTON, more->GetId());
                click.SetEventObject(more);
                more->GetEventHandler()->ProcessEvent(click);
            }
            dialog->EndModal(wxID_OK);
        }
    });
    panel->RunCommand(32809);
    EXPECT_TRUE(found);
    EXPECT_EQ(caption, "Oil Density Graph");
    EXPECT_TRUE(okIsDefault);
    ASSERT_EQ(help.Calls().size(), 1u);
    EXPECT_EQ(help.Calls()[0].page, "output");
    EXPECT_EQ(help.Calls()[0].anchor, "");
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace
