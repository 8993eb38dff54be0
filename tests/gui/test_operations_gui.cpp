// The response-operation sheets on a real display: a burn page that
// refuses cannot be left, OK hands the used burns to the document, and
// each sheet and the advanced burn options are shown for review.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "gui_support.h"
#include "output/core/PrintSpillInformation.h"
#include "platform/RecordingCanvas.h"
#include "platform/SvgWriter.h"
#include "platform/wx/WxDcCanvas.h"
#include "ui/inputs/OperationSheets.h"
#include "ui/inputs/SmokePlumeDialog.h"
#include "ui/inputs/rules/PlumeGraph.h"

using namespace gui_test;

namespace {

template <class T>
T* OpenDialog() {
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<T*>(w); d && d->IsShown()) return d;
    return nullptr;
}

// The text fields of a page in the order they were made.
std::vector<wxTextCtrl*> Fields(wxWindow* page) {
    std::vector<wxTextCtrl*> out;
    std::function<void(wxWindow*)> walk = [&](wxWindow* w) {
        for (wxWindow* c : w->GetChildren()) {
            if (auto* t = dynamic_cast<wxTextCtrl*>(c)) out.push_back(t);
            walk(c);
        }
    };
    walk(page);
    return out;
}

void Tick(wxCheckBox* box) {
    box->SetValue(!box->GetValue());
    wxCommandEvent e(wxEVT_CHECKBOX, box->GetId());
    e.SetEventObject(box);
    e.SetInt(box->GetValue() ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(e);
}

TEST_F(GuiTest, BurnSheetKeepsARefusedPageAndOkHandsTheBurnToTheScenario) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    int stayed = -1, moved = -1;
    std::string refusal;
    bool advancedShown = false;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = OpenDialog<ui::CInSituBurnSheet>();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->GetTitle(), "In-SituBurn");
        EXPECT_EQ(sheet->GetBookCtrl()->GetPageText(4), "Burn 5");
        ui::OperationPage* page = sheet->Page(0);
        EXPECT_FALSE(Fields(page)[0]->IsEnabled()) << "an unused burn's fields are off";
        Tick(page->UseBox());
        EXPECT_TRUE(Fields(page)[0]->IsEnabled());
        Fields(page)[0]->ChangeValue("100");  // sq. feet
        Fields(page)[1]->ChangeValue("");     // no thickness
        Screenshot(sheet, "operations/burn-sheet");
        sheet->GetBookCtrl()->SetSelection(1);
        Pump();
        stayed = sheet->GetBookCtrl()->GetSelection();
        if (!Messages().Entries().empty()) refusal = Messages().Entries().back().text;
        Fields(page)[1]->ChangeValue("5");  // mm
        sheet->GetBookCtrl()->SetSelection(1);
        Pump();
        moved = sheet->GetBookCtrl()->GetSelection();

        // The advanced options: the rate field only for another value.
        sheet->CallAfter([&] {
            // Only this dialog is closed here: the sheet goes on.
            auto* options = OpenDialog<ui::CAdvancedBurnOptionsDialog>();
            ASSERT_NE(options, nullptr);
            EXPECT_FALSE(options->Rate()->IsShown());
            options->Choice()->SetSelection(1);
            wxCommandEvent choose(wxEVT_CHOICE, options->Choice()->GetId());
            choose.SetEventObject(options->Choice());
            options->Choice()->GetEventHandler()->ProcessEvent(choose);
            advancedShown = options->Rate()->IsShown();
            Screenshot(options, "operations/advanced-burn-options");
            Click(options, wxID_CANCEL);
        });
        Click(sheet, ui::CInSituBurnSheet::kAdvancedOptionsId);
        Click(sheet, wxID_OK);
    });
    Command(app::ID_IN_SITU_BURN);
    EXPECT_EQ(stayed, 0);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(refusal.rfind("Problem with the Input.\n\nMissing Important Information.\nPlease enter the oil thickness.", 0), 0u)
        << refusal;
    EXPECT_TRUE(advancedShown);
    EXPECT_EQ(doc.scenario.m_iBurnRegRateCombo, 0) << "a choice then Cancel changes nothing";
    ASSERT_EQ(doc.scenario.burn.num, 1);
    EXPECT_EQ(doc.scenario.burn.area[0], 100);
    EXPECT_EQ(doc.scenario.burn.thick[0], 5);
    EXPECT_TRUE(doc.IsModified());  // the change flags are cleared again once the tree is refreshed
}

TEST_F(GuiTest, DispersantAndCleanupSheetsShowTheirPages) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    bool amountOnly = false;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = OpenDialog<ui::CDispersantUseSheet>();
        ASSERT_NE(sheet, nullptr);
        Tick(sheet->Page(0)->UseBox());
        Screenshot(sheet, "operations/dispersant-sheet");
        Click(sheet, wxID_CANCEL);
    });
    Command(app::ID_DISPERSANT);
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = OpenDialog<ui::CMechCleanupSheet>();
        ASSERT_NE(sheet, nullptr);
        Tick(sheet->Page(0)->UseBox());
        // Rate mode first: the rate field is on, the amount field off.
        const std::vector<wxTextCtrl*> f = Fields(sheet->Page(0));
        ASSERT_EQ(f.size(), 3u);
        amountOnly = f[1]->IsEnabled() && !f[2]->IsEnabled();
        Screenshot(sheet, "operations/cleanup-sheet");
        Click(sheet, wxID_CANCEL);
    });
    Command(app::ID_MECHANICAL);
    EXPECT_TRUE(amountOnly);
}

}  // namespace

namespace {

// A file beside the screenshots: <shots>/plume/<name>.
std::string PlumeFile(const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const char* dir = std::getenv("TAVRO_SHOTS_DIR");
    const fs::path folder = (dir && *dir ? fs::path(dir) : fs::read_symlink("/proc/self/exe", ec).parent_path() / "gui-smoke") / "plume";
    fs::create_directories(folder, ec);
    return (folder / name).string();
}

// The screen graph and the printed page of a plume, as SVG (recorder) and
// PNG (the wx canvas on a memory bitmap), for a reviewer.
void WritePlumeImages(const model::SPlumeGraphData& plume, const ui::PlumeSummary& summary,
                      const platform::IClock& clock) {
    const platform::Size screen{600, 360}, page{850, 1100};  // the page: letter at 100 ppi
    const output::CPrintSpillInformation layout(clock);
    ui::PlumePageFrame frame;
    frame.header = [&layout](platform::Canvas& c, std::string_view title) { layout.PrintHeader(c, title); };
    frame.footer = [&layout](platform::Canvas& c) { layout.PrintFooter(c); };
    auto drawScreen = [&](platform::Canvas& c) {
        ui::DrawPlumeGraph(c, {0, 0, screen.cx, screen.cy}, plume, ui::PlumeMedium::Screen);
    };
    auto drawPage = [&](platform::Canvas& c) { ui::PrintPlumePage(c, summary, plume, frame); };

    platform::RecordingCanvas screenRec({96, 96, screen, false});
    drawScreen(screenRec);
    EXPECT_TRUE(platform::WriteSvgFiles(screenRec, PlumeFile("graph-screen.svg")));
    platform::RecordingCanvas pageRec({100, 100, page, true});
    drawPage(pageRec);
    EXPECT_TRUE(platform::WriteSvgFiles(pageRec, PlumeFile("printed-page.svg")));

    auto png = [](platform::Size size, int ppi, bool printing, const std::function<void(platform::Canvas&)>& draw,
                  const std::string& path) {
        wxBitmap bitmap(size.cx, size.cy, 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            platform::WxDcCanvas canvas(dc, ppi, ppi, size, printing);
            draw(canvas);
        }
        EXPECT_TRUE(bitmap.SaveFile(path, wxBITMAP_TYPE_PNG)) << path;
        std::printf("image: %s\n", path.c_str());
    };
    png(screen, 96, false, drawScreen, PlumeFile("graph-screen.png"));
    png(page, 100, true, drawPage, PlumeFile("printed-page.png"));
}

void PressEscape(wxWindow* w) {
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(w);
    w->GetEventHandler()->ProcessEvent(escape);
}

TEST_F(GuiTest, SmokePlumeGoesNextBackNextAndFinishedStoresItsInputs) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    std::vector<int> states;
    bool escaped = false;
    std::string inputHelp, graphHelp;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = OpenDialog<ui::CInSituBurnSheet>();
        ASSERT_NE(sheet, nullptr);
        auto* page = dynamic_cast<ui::CInSituBurnPage*>(sheet->Page(0));
        ASSERT_NE(page, nullptr);
        if (!page->UseBox()->GetValue()) Tick(page->UseBox());
        Fields(page)[0]->ChangeValue("2000");  // sq. feet
        Fields(page)[1]->ChangeValue("10");    // mm
        ASSERT_TRUE(page->PlumeButton()->IsEnabled());

        // Escape on the inputs: nothing stored.
        sheet->CallAfter([&] {
            auto* d = OpenDialog<ui::CSmokePlumeDialog>();
            ASSERT_NE(d, nullptr);
            d->Loc()->ChangeValue("300");
            PressEscape(d);
            escaped = !d->IsModal();
        });
        Click(page, page->PlumeButton()->GetId());

        sheet->CallAfter([&] {
            auto* d = OpenDialog<ui::CSmokePlumeDialog>();
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->GetTitle(), "Smoke Plume");
            states.push_back(d->State());
            d->Loc()->ChangeValue("200");
            d->Wind()->ChangeValue("12");
            inputHelp = HelpCaptionOf([&] { PressF1(d); });
            Screenshot(d, "plume/inputs");
            Click(d, ui::CSmokePlumeDialog::kNextId);
            states.push_back(d->State());
            Screenshot(d, "plume/graph");
            graphHelp = HelpCaptionOf([&] { PressF1(d); });
            Click(d, ui::CSmokePlumeDialog::kBackId);
            states.push_back(d->State());
            d->AirTemp()->ChangeValue("80");
            Click(d, ui::CSmokePlumeDialog::kNextId);
            states.push_back(d->State());
            ASSERT_NE(d->Plume(), nullptr);
            ui::SmokePlumeRules rules(doc, 0);
            WritePlumeImages(*d->Plume(), rules.Summary(*d->Plume()), doc.Clock());
            d->Wind()->ChangeValue("14");  // on the hidden inputs: Finished stores it
            Click(d, wxID_OK);
        });
        Click(page, page->PlumeButton()->GetId());
        Click(sheet, wxID_CANCEL);
    });
    Command(app::ID_IN_SITU_BURN);
    EXPECT_TRUE(escaped);
    EXPECT_EQ(states, (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(inputHelp, "Help on Smoke Plume Input");
    EXPECT_EQ(graphHelp, "Help on Smoke Plume Graph");
    EXPECT_EQ(doc.scenario.m_dPlumeLOC[0], 200);
    EXPECT_EQ(doc.scenario.m_dPlumeAirTemp[0], 80);
    EXPECT_EQ(doc.scenario.m_dPlumeWindSpeed[0], 14);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace
