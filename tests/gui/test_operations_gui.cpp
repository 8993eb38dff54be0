// The response-operation sheets on a real display: a burn page that
// refuses cannot be left; OK stores every control of a page, of the
// advanced burn options and of the smoke plume in its own field; Cancel,
// Escape and the close box put back what the last OK made; each sheet, the
// advanced options and the plume are shown for review.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/ScenarioTreePane.h"
#include "app/SpillDocWx.h"
#include "gui_support.h"
#include "output/core/PrintSpillInformation.h"
#include "platform/RecordingCanvas.h"
#include "platform/SvgWriter.h"
#include "platform/wx/WxDcCanvas.h"
#include "tests/support/TimeZone.h"
#include "ui/inputs/OperationSheets.h"
#include "ui/inputs/SmokePlumeDialog.h"
#include "ui/inputs/rules/PlumeGraph.h"

using namespace gui_test;

namespace {

// The controls of type T inside a window, in the order they were made.
template <class T>
std::vector<T*> Controls(wxWindow* parent) {
    std::vector<T*> out;
    std::function<void(wxWindow*)> walk = [&](wxWindow* w) {
        for (wxWindow* c : w->GetChildren()) {
            if (auto* t = dynamic_cast<T*>(c)) out.push_back(t);
            walk(c);
        }
    };
    walk(parent);
    return out;
}
std::vector<wxTextCtrl*> Fields(wxWindow* page) { return Controls<wxTextCtrl>(page); }

// A page's time lists (month, day, hour), then its own lists.
std::vector<wxChoice*> Lists(wxWindow* page) { return Controls<wxChoice>(page); }

void Toggle(wxCheckBox* box) { SetTicked(box, !box->GetValue()); }

void PressEscape(wxWindow* w) {
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(w);
    w->GetEventHandler()->ProcessEvent(escape);
}

// The time a page's lists give, in the spill's year (the tests run in UTC).
double TimeOf(const document::SpillDocCore& doc, int month, int day, int hour) {
    const std::time_t spill = static_cast<std::time_t>(doc.scenario.SpillTime);
    std::tm tm{};
    gmtime_r(&spill, &tm);
    return static_cast<double>(tavro_test::UtcTime(tm.tm_year + 1900, month, day, hour));
}

// A page's start time set from its three lists (0-based month and day).
std::vector<StoredField> TimeFields(const std::string& page, wxWindow* w, int month0, int day0, int hour,
                                    std::function<double()> stored, double expected) {
    const std::vector<wxChoice*> lists = Lists(w);
    return {{page + " month", [=] { ChooseItem(lists.at(0), month0); }, stored, expected},
            {page + " day", [=] { ChooseItem(lists.at(1), day0); }, stored, expected},
            {page + " hour", [=] { ChooseItem(lists.at(2), hour); }, stored, expected}};
}

void Append(std::vector<StoredField>& to, std::vector<StoredField> more) {
    to.insert(to.end(), more.begin(), more.end());
}

// Every text of the scenario tree, depth first.
std::vector<std::string> TreeTexts(app::CMainFrame* frame) {
    std::vector<std::string> out;
    app::ScenarioTreePane* tree = frame->Tree();
    if (!tree) return out;
    std::function<void(const wxTreeItemId&)> walk = [&](const wxTreeItemId& parent) {
        wxTreeItemIdValue cookie;
        for (wxTreeItemId c = tree->GetFirstChild(parent, cookie); c.IsOk(); c = tree->GetNextChild(parent, cookie)) {
            out.push_back(tree->GetItemText(c).utf8_string());
            walk(c);
        }
    };
    walk(tree->GetRootItem());
    return out;
}

// What a cancelled sheet must leave as the last OK made it.
struct LastOk {
    document::Scenario scenario;
    std::vector<std::string> tree;
};
LastOk Keep(document::SpillDocCore& doc, app::CMainFrame* frame) {
    Pump();  // the tree follows the OK at idle time
    return {doc.scenario, TreeTexts(frame)};
}
void ExpectBack(const LastOk& ok, document::SpillDocCore& doc, app::CMainFrame* frame, const char* how) {
    Pump();
    EXPECT_TRUE(doc.scenario == ok.scenario) << how << ": the pages and records of the last OK";
    EXPECT_EQ(TreeTexts(frame), ok.tree) << how;
}

TEST_F(GuiTest, BurnSheetKeepsARefusedPageAndOkHandsTheBurnToTheScenario) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    int stayed = -1, moved = -1;
    std::string refusal;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = ShownWindow<ui::CInSituBurnSheet>();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->GetTitle(), "In-SituBurn");
        EXPECT_EQ(sheet->GetBookCtrl()->GetPageText(4), "Burn 5");
        ui::OperationPage* page = sheet->Page(0);
        EXPECT_FALSE(Fields(page)[0]->IsEnabled()) << "an unused burn's fields are off";
        Toggle(page->UseBox());
        EXPECT_TRUE(Fields(page)[0]->IsEnabled());
        Fields(page)[0]->ChangeValue("100");  // sq. feet
        Fields(page)[1]->ChangeValue("");     // no thickness
        Screenshot(sheet, "ops/burn-sheet");
        sheet->GetBookCtrl()->SetSelection(1);
        Pump();
        stayed = sheet->GetBookCtrl()->GetSelection();
        if (!Messages().Entries().empty()) refusal = Messages().Entries().back().text;
        Fields(page)[1]->ChangeValue("5");  // mm
        sheet->GetBookCtrl()->SetSelection(1);
        Pump();
        moved = sheet->GetBookCtrl()->GetSelection();
        Click(sheet, wxID_OK);
    });
    Command(app::ID_IN_SITU_BURN);
    EXPECT_EQ(stayed, 0);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(refusal.rfind("Problem with the Input.\n\nMissing Important Information.\nPlease enter the oil thickness.", 0), 0u)
        << refusal;
    ASSERT_EQ(doc.scenario.burn.num, 1);
    EXPECT_EQ(doc.scenario.burn.area[0], 100);
    EXPECT_EQ(doc.scenario.burn.thick[0], 5);
    EXPECT_TRUE(doc.IsModified());  // the change flags are cleared again once the tree is refreshed
}

TEST_F(GuiTest, DispersantSheetStoresEveryControlAndCancelPutsTheLastOkBack) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    const document::Scenario& s = doc.scenario;
    bool noteFollowsTheBox = false;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = ShownWindow<ui::CDispersantUseSheet>();
        ASSERT_NE(sheet, nullptr);
        ui::OperationPage* page = sheet->Page(0);
        wxStaticText* note = nullptr;
        for (wxStaticText* t : Controls<wxStaticText>(page))
            if (t->GetLabel().StartsWith("The first percent")) note = t;
        ASSERT_NE(note, nullptr) << "the page's note";
        const bool offUnused = !note->IsEnabled();
        const std::vector<wxTextCtrl*> f = Fields(page);
        ASSERT_EQ(f.size(), 3u);
        std::vector<StoredField> fields = {
            {"use", [&] { SetTicked(page->UseBox(), true); }, [&] { return double(s.mDispersantPageUse[0]); }, 1},
            {"duration", [&] { TypeInto(f[0], "7"); }, [&] { return double(s.m_nDispersantDuration[0]); }, 7},
            {"share of the area sprayed", [&] { TypeInto(f[1], "45.5"); }, [&] { return s.m_dDispersantDispersed[0]; },
             45.5},
            {"share of the sprayed oil dispersed", [&] { TypeInto(f[2], "35"); },
             [&] { return s.m_dDispersantSprayed[0]; }, 35},
        };
        Append(fields, TimeFields("spray 1", page, 2, 1, 10, [&] { return double(s.DispersantTime[0]); },
                                  TimeOf(doc, 3, 2, 10)));
        ExpectOkStores(fields, [&] {
            noteFollowsTheBox = offUnused && note->IsEnabled();
            Screenshot(sheet, "ops/dispersant-page");
            Click(sheet, wxID_OK);
        }, [&] { return !sheet->IsModal(); });
    });
    Command(app::ID_DISPERSANT);
    EXPECT_TRUE(noteFollowsTheBox) << "the note is enabled with the page";
    // March 2 is past the 120 hours: said, and the spray kept.
    ASSERT_EQ(Messages().Texts().size(), 1u);
    EXPECT_EQ(Messages().Texts()[0].rfind("Dispersant operation will be ignored\n\nSpray 1 is scheduled to occur greater", 0), 0u);
    ASSERT_EQ(s.dispersant.num, 1);
    EXPECT_EQ(s.dispersant.duration[0], 7);
    EXPECT_EQ(s.dispersant.dispersed[0], 45.5);
    EXPECT_EQ(s.dispersant.sprayed[0], 35);
    const LastOk ok = Keep(doc, Frame());
    Messages().Clear();

    // Spray 1 unticked, spray 4 filled, another tab, Cancel.
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = ShownWindow<ui::CDispersantUseSheet>();
        ASSERT_NE(sheet, nullptr);
        SetTicked(sheet->Page(0)->UseBox(), false);
        sheet->GetBookCtrl()->SetSelection(3);
        Pump();
        SetTicked(sheet->Page(3)->UseBox(), true);
        const std::vector<wxTextCtrl*> f = Fields(sheet->Page(3));
        TypeInto(f[0], "6");
        TypeInto(f[1], "40");
        TypeInto(f[2], "40");
        sheet->GetBookCtrl()->SetSelection(4);
        Pump();
        EXPECT_EQ(sheet->GetBookCtrl()->GetSelection(), 4);
        Click(sheet, wxID_CANCEL);
    });
    Command(app::ID_DISPERSANT);
    ExpectBack(ok, doc, Frame(), "Cancel");
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(GuiTest, BurnSheetOptionsAndPlumeStoreEveryControlAndEscapePutsTheLastOkBack) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    const document::Scenario& s = doc.scenario;
    wxRect optionsPlace[3];
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = ShownWindow<ui::CInSituBurnSheet>();
        ASSERT_NE(sheet, nullptr);
        auto* page = dynamic_cast<ui::CInSituBurnPage*>(sheet->Page(0));
        ASSERT_NE(page, nullptr);
        const std::vector<wxTextCtrl*> f = Fields(page);
        const std::vector<wxChoice*> lists = Lists(page);
        ASSERT_EQ(f.size(), 2u);
        ASSERT_EQ(lists.size(), 5u);
        std::vector<StoredField> fields = {
            {"use", [&] { SetTicked(page->UseBox(), true); }, [&] { return double(s.mInSituBurnPageUse[0]); }, 1},
            {"area", [&] { TypeInto(f[0], "250"); }, [&] { return s.m_dBurnArea[0]; }, 250},
            {"area unit", [&] { ChooseItem(lists[3], 2); }, [&] { return double(s.m_iAreaUnits[0]); }, 2},
            {"thickness", [&] { TypeInto(f[1], "3"); }, [&] { return s.m_dBurnThickness[0]; }, 3},
            {"thickness unit", [&] { ChooseItem(lists[4], 1); }, [&] { return double(s.m_iThicknessUnits[0]); }, 1},
        };
        Append(fields, TimeFields("burn 1", page, 2, 2, 11, [&] { return double(s.InSituBurnTime[0]); },
                                  TimeOf(doc, 3, 3, 11)));
        // Set now: the plume is that of the burn as entered.
        for (StoredField& field : fields) {
            field.set();
            field.set = [] {};
        }

        // The advanced options: the rate field only for another value, in
        // a dialog that keeps its size and place.
        sheet->CallAfter([&] {
            auto* options = ShownWindow<ui::CAdvancedBurnOptionsDialog>();
            ASSERT_NE(options, nullptr);
            EXPECT_FALSE(options->Rate()->IsShown());
            Screenshot(options, "ops/advanced-burn-default");
            optionsPlace[0] = options->GetRect();
            ChooseItem(options->Choice(), 1);
            EXPECT_TRUE(options->Rate()->IsShown());
            EXPECT_LE(options->Unit()->GetRect().GetRight(), options->GetClientSize().x) << "the unit list inside";
            optionsPlace[1] = options->GetRect();
            Screenshot(options, "ops/advanced-burn-other");
            ChooseItem(options->Choice(), 0);
            optionsPlace[2] = options->GetRect();
            ExpectOkStores(
                {{"choice", [&] { ChooseItem(options->Choice(), 1); }, [&] { return double(s.m_iBurnRegRateCombo); }, 1},
                 {"rate", [&] { TypeInto(options->Rate(), "0.002"); }, [&] { return s.m_dBurnRegRate; }, 0.002},
                 {"rate unit", [&] { ChooseItem(options->Unit(), 1); }, [&] { return double(s.m_iBurnRegRateUnit); }, 1},
                 {"the model's rate", [] {}, [&] { return s.burn.regRate; }, 0.002},
                 {"the model's rate unit", [] {}, [&] { return double(s.burn.regRateUnits); }, 2}},
                [&] { Click(options, wxID_OK); }, [&] { return !options->IsModal(); });
        });
        Click(sheet, ui::CInSituBurnSheet::kAdvancedOptionsId);

        // The plume of this burn: every input in its own field, the units
        // of two lists apart (the scenario's wind is in knots).
        sheet->CallAfter([&] {
            auto* d = ShownWindow<ui::CSmokePlumeDialog>();
            ASSERT_NE(d, nullptr);
            const std::vector<wxChoice*> units = Controls<wxChoice>(d);
            ASSERT_GE(units.size(), 2u);
            EXPECT_EQ(units[1]->GetSelection(), 1) << "the scenario's wind unit";
            ExpectOkStores({{"level of concern", [&] { TypeInto(d->Loc(), "220"); }, [&] { return s.m_dPlumeLOC[0]; }, 220},
                            {"air temperature", [&] { TypeInto(d->AirTemp(), "21"); },
                             [&] { return s.m_dPlumeAirTemp[0]; }, 21},
                            {"air unit", [&] { ChooseItem(units[0], 1); }, [&] { return double(s.m_iPlumeUnit[0]); }, 1},
                            {"wind", [&] { TypeInto(d->Wind(), "6"); }, [&] { return s.m_dPlumeWindSpeed[0]; }, 6},
                            {"wind unit", [&] { ChooseItem(units[1], 2); },
                             [&] { return double(s.m_iPlumeWindUnit[0]); }, 2}},
                           [&] {
                               Click(d, ui::CSmokePlumeDialog::kNextId);
                               Click(d, wxID_OK);  // Finished
                           },
                           [&] { return !d->IsModal(); });
        });
        Click(page, page->PlumeButton()->GetId());
        ExpectOkStores(fields, [&] { Click(sheet, wxID_OK); }, [&] { return !sheet->IsModal(); });
    });
    Command(app::ID_IN_SITU_BURN);
    EXPECT_EQ(optionsPlace[1], optionsPlace[0]) << "\"Other Value...\" keeps the dialog's size and place";
    EXPECT_EQ(optionsPlace[2], optionsPlace[0]) << "and so does \"Default\"";
    ASSERT_EQ(s.burn.num, 1);
    EXPECT_EQ(s.burn.area[0], 250);
    EXPECT_EQ(s.burn.areaUnits[0], 3);
    EXPECT_EQ(s.burn.thick[0], 3);
    EXPECT_EQ(s.burn.thickUnits[0], 2);
    for (const std::string& t : Messages().Texts()) ADD_FAILURE() << "message: " << t;
    const LastOk ok = Keep(doc, Frame());
    doc.SetModified(false);

    // Burn 1 an hour later, its plume looked at, Default in the options,
    // then Escape: the options' OK marks the scenario changed, the rest
    // goes with the sheet.
    bool plumeOpened = false;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = ShownWindow<ui::CInSituBurnSheet>();
        ASSERT_NE(sheet, nullptr);
        auto* page = dynamic_cast<ui::CInSituBurnPage*>(sheet->Page(0));
        ASSERT_NE(page, nullptr);
        ChooseItem(Lists(page)[2], 12);
        sheet->CallAfter([&] {
            auto* d = ShownWindow<ui::CSmokePlumeDialog>();
            plumeOpened = d != nullptr;
            if (d) PressEscape(d);
        });
        Click(page, page->PlumeButton()->GetId());
        sheet->CallAfter([&] {
            auto* options = ShownWindow<ui::CAdvancedBurnOptionsDialog>();
            ASSERT_NE(options, nullptr);
            ChooseItem(options->Choice(), 0);
            Click(options, wxID_OK);
        });
        Click(sheet, ui::CInSituBurnSheet::kAdvancedOptionsId);
        EXPECT_EQ(s.burn.regRate, 0.04);
        PressEscape(sheet);
    });
    Command(app::ID_IN_SITU_BURN);
    EXPECT_TRUE(plumeOpened);
    ExpectBack(ok, doc, Frame(), "Escape");
    EXPECT_TRUE(doc.IsModified()) << "the options' OK marks the scenario changed";
}

TEST_F(GuiTest, CleanupSheetStoresEveryControlAndTheCloseBoxPutsTheLastOkBack) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    const document::Scenario& s = doc.scenario;
    bool rateOnly = false;
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = ShownWindow<ui::CMechCleanupSheet>();
        ASSERT_NE(sheet, nullptr);
        ui::OperationPage* first = sheet->Page(0);
        ui::OperationPage* second = sheet->Page(1);
        Toggle(first->UseBox());
        // Rate mode first: the rate field is on, the amount field off.
        const std::vector<wxTextCtrl*> f1 = Fields(first);
        ASSERT_EQ(f1.size(), 3u);
        rateOnly = f1[1]->IsEnabled() && !f1[2]->IsEnabled();
        Screenshot(sheet, "ops/cleanup-sheet");
        const std::vector<wxChoice*> l1 = Lists(first);
        const std::vector<wxRadioButton*> modes = Controls<wxRadioButton>(first);
        ASSERT_EQ(l1.size(), 5u);
        ASSERT_EQ(modes.size(), 2u);
        // The first an amount recovered, the second a recovery rate: each
        // mode's value and unit with its own number.
        std::vector<StoredField> fields = {
            {"1: use", [] {}, [&] { return double(s.mMechanicalPageUse[0]); }, 1},
            {"1: duration", [&] { TypeInto(f1[0], "8"); }, [&] { return double(s.m_nMechanicalDuration[0]); }, 8},
            {"1: amount mode", [&] { ChooseOption(modes[1]); }, [&] { return double(s.m_bMechanicalRateUse[0]); }, 0},
            {"1: amount", [&] { TypeInto(f1[2], "150"); }, [&] { return s.m_dMechanicalAmount[0]; }, 150},
            {"1: amount unit", [&] { ChooseItem(l1[4], 4); }, [&] { return double(s.m_iAmountUnits[0]); }, 4},
            {"1: the rate unit stays", [] {}, [&] { return double(s.m_iRecoveryUnits[0]); }, 0},
        };
        Append(fields, TimeFields("cleanup 1", first, 2, 3, 12, [&] { return double(s.SkimmerTime[0]); },
                                  TimeOf(doc, 3, 4, 12)));
        const std::vector<wxTextCtrl*> f2 = Fields(second);
        const std::vector<wxChoice*> l2 = Lists(second);
        ASSERT_EQ(f2.size(), 3u);
        ASSERT_EQ(l2.size(), 5u);
        Append(fields, {
            {"2: use", [&] {
                 sheet->GetBookCtrl()->SetSelection(1);
                 Pump();
                 SetTicked(second->UseBox(), true);
             }, [&] { return double(s.mMechanicalPageUse[1]); }, 1},
            {"2: duration", [&] { TypeInto(f2[0], "9"); }, [&] { return double(s.m_nMechanicalDuration[1]); }, 9},
            {"2: rate", [&] { TypeInto(f2[1], "33"); }, [&] { return s.m_dMechanicalRate[1]; }, 33},
            {"2: rate unit", [&] { ChooseItem(l2[3], 3); }, [&] { return double(s.m_iRecoveryUnits[1]); }, 3},
            {"2: the amount unit stays", [] {}, [&] { return double(s.m_iAmountUnits[1]); }, 0},
        });
        Append(fields, TimeFields("cleanup 2", second, 2, 4, 13, [&] { return double(s.SkimmerTime[1]); },
                                  TimeOf(doc, 3, 5, 13)));
        ExpectOkStores(fields, [&] { Click(sheet, wxID_OK); }, [&] { return !sheet->IsModal(); });
    });
    Command(app::ID_MECHANICAL);
    EXPECT_TRUE(rateOnly);
    ASSERT_EQ(s.skimmer.num, 2);
    EXPECT_EQ(s.skimmer.amount[0], 150);
    EXPECT_EQ(s.skimmer.amountUnits[0], 5);
    EXPECT_EQ(s.skimmer.rate[0], model::MISSING_VALUE_D);
    EXPECT_EQ(s.skimmer.rate[1], 33);
    EXPECT_EQ(s.skimmer.rateUnits[1], 4);
    for (const std::string& t : Messages().Texts()) ADD_FAILURE() << "message: " << t;
    const LastOk ok = Keep(doc, Frame());

    // Clean-up 1 unticked, clean-up 3 filled, another tab, the close box.
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = ShownWindow<ui::CMechCleanupSheet>();
        ASSERT_NE(sheet, nullptr);
        SetTicked(sheet->Page(0)->UseBox(), false);
        sheet->GetBookCtrl()->SetSelection(2);
        Pump();
        SetTicked(sheet->Page(2)->UseBox(), true);
        const std::vector<wxTextCtrl*> f = Fields(sheet->Page(2));
        TypeInto(f[0], "4");
        TypeInto(f[1], "12");
        sheet->GetBookCtrl()->SetSelection(3);
        Pump();
        EXPECT_EQ(sheet->GetBookCtrl()->GetSelection(), 3);
        sheet->Close();
        Pump();
    });
    Command(app::ID_MECHANICAL);
    ExpectBack(ok, doc, Frame(), "the close box");
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

TEST_F(GuiTest, SmokePlumeGoesNextBackNextAndFinishedStoresItsInputs) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
    std::vector<int> states;
    bool escaped = false;
    std::string inputHelp, graphHelp;
    wxSize inputsSize, graphSize;
    int blank = -1;  // between the last input row and the buttons
    wxTheApp->CallAfter([&] {
        EndModalsOnExit close;
        auto* sheet = ShownWindow<ui::CInSituBurnSheet>();
        ASSERT_NE(sheet, nullptr);
        auto* page = dynamic_cast<ui::CInSituBurnPage*>(sheet->Page(0));
        ASSERT_NE(page, nullptr);
        if (!page->UseBox()->GetValue()) Toggle(page->UseBox());
        Fields(page)[0]->ChangeValue("2000");  // sq. feet
        Fields(page)[1]->ChangeValue("10");    // mm
        ASSERT_TRUE(page->PlumeButton()->IsEnabled());

        // Escape on the inputs: nothing stored.
        sheet->CallAfter([&] {
            auto* d = ShownWindow<ui::CSmokePlumeDialog>();
            ASSERT_NE(d, nullptr);
            d->Loc()->ChangeValue("300");
            PressEscape(d);
            escaped = !d->IsModal();
        });
        Click(page, page->PlumeButton()->GetId());

        sheet->CallAfter([&] {
            auto* d = ShownWindow<ui::CSmokePlumeDialog>();
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->GetTitle(), "Smoke Plume");
            states.push_back(d->State());
            d->Loc()->ChangeValue("200");
            d->Wind()->ChangeValue("12");
            inputHelp = HelpCaptionOf([&] { PressF1(d); });
            Screenshot(d, "ops/plume-inputs");
            inputsSize = d->GetSize();
            const std::vector<wxChoice*> units = Controls<wxChoice>(d);
            wxWindow* next = d->FindWindow(ui::CSmokePlumeDialog::kNextId);
            if (!units.empty() && next)
                blank = next->GetScreenRect().GetTop() - units.back()->GetScreenRect().GetBottom();
            Click(d, ui::CSmokePlumeDialog::kNextId);
            states.push_back(d->State());
            Screenshot(d, "ops/plume-graph");
            graphSize = d->GetSize();
            graphHelp = HelpCaptionOf([&] { PressF1(d); });
            Click(d, ui::CSmokePlumeDialog::kBackId);
            states.push_back(d->State());
            EXPECT_EQ(d->GetSize(), inputsSize) << "back to the inputs' size";
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
        Click(sheet, wxID_OK);
    });
    Command(app::ID_IN_SITU_BURN);
    EXPECT_TRUE(escaped);
    EXPECT_EQ(states, (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(inputHelp, "Help on Smoke Plume Input");
    EXPECT_EQ(graphHelp, "Help on Smoke Plume Graph");
    EXPECT_GE(blank, 0);
    EXPECT_LT(blank, Frame()->FromDIP(40)) << "no blank band above the inputs' buttons";
    EXPECT_LT(inputsSize.y, graphSize.y) << "the graph page is the larger";
    EXPECT_EQ(doc.scenario.m_dPlumeLOC[0], 200);
    EXPECT_EQ(doc.scenario.m_dPlumeAirTemp[0], 80);
    EXPECT_EQ(doc.scenario.m_dPlumeWindSpeed[0], 14);
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

}  // namespace
