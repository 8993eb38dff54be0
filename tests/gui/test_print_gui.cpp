// Printing on a real display: the print preview of a solved scenario, and
// the printout an active table gives.
#include <string>

#include <wx/print.h>
#include <wx/prntbase.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/OutputArea.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "gui_support.h"
#include "output/core/Printouts.h"
#include "platform/RecordingCanvas.h"
#include "platform/wx/PrintPager.h"

using namespace gui_test;

namespace {

class PrintGui : public GuiTest {};

wxPreviewFrame* FindPreview() {
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* frame = dynamic_cast<wxPreviewFrame*>(w); frame && frame->IsShown()) return frame;
    return nullptr;
}

}  // namespace

TEST_F(PrintGui, PreviewOfASolvedScenarioAndATablesPrintout) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    Command(app::ID_SOLVE);  // opens the oil budget graph
    app::WorkspaceView* view = Frame()->CurrentWorkspace();
    ASSERT_NE(view, nullptr);

    // The summary, then the open graph.
    Command(wxID_PREVIEW);
    wxPreviewFrame* preview = FindPreview();
    ASSERT_NE(preview, nullptr);
    ASSERT_NE(preview->GetControlBar(), nullptr);
    wxPrintPreviewBase* pages = preview->GetControlBar()->GetPrintPreview();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->GetMinPage(), 1);
    EXPECT_EQ(pages->GetMaxPage(), 2);
    EXPECT_FALSE(Frame()->IsEnabled());  // app-modal: the scenario cannot change under it
    preview->SetSize(preview->FromDIP(wxSize(900, 1000)));
    preview->Centre();
    Screenshot(preview, "print/preview");
    preview->Close(true);
    Pump();
    EXPECT_EQ(FindPreview(), nullptr);
    EXPECT_TRUE(Frame()->IsEnabled());  // the preview disabled the program while it was up

    // With the budget table active, its own printout.
    Command(app::ID_BUDGET_TABLE);
    ASSERT_NE(view->Area()->ActiveOutput(), nullptr);
    std::unique_ptr<wxPrintout> printout(view->OnCreatePrintout());
    auto* pager = dynamic_cast<platform::PrintPager*>(printout.get());
    ASSERT_NE(pager, nullptr);
    EXPECT_EQ(pager->GetTitle(), "TAVRO2");
    platform::RecordingCanvas rc({600, 600, {5100, 6600}, true});
    pager->Job()(rc);
    const auto texts = rc.Find(platform::OpKind::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0]->text, output::kBudgetPrintTitle);
    EXPECT_EQ(rc.Pages().size(), 1u);
    printout.reset();

    // Print and Print Preview need a scenario; Print Setup does not.
    auto enabled = [this](int id) {
        wxUpdateUIEvent e(id);
        e.SetEventObject(Frame());
        Frame()->ProcessWindowEvent(e);
        return !e.GetSetEnabled() || e.GetEnabled();
    };
    EXPECT_TRUE(enabled(wxID_PRINT));
    EXPECT_TRUE(enabled(wxID_PREVIEW));
    ASSERT_TRUE(App().DocManager()->CloseDocuments(true));
    Pump();
    EXPECT_FALSE(enabled(wxID_PRINT));
    EXPECT_FALSE(enabled(wxID_PREVIEW));
    EXPECT_TRUE(enabled(wxID_PRINT_SETUP));
}
