// Alt+letter reaches one control in every dialog: each dialog the program
// opens, each page of its sheets and wizard and each mode its options
// show, is walked on a real display, and no two labels on screen share a
// mnemonic, the toolkit's stock buttons ("_OK", "_Cancel", "_Help")
// included.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/wizard.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "gui_support.h"
#include "oillib/OilLibrary.h"
#include "output/GraphViews.h"
#include "ui/common/ChoiceDialog.h"
#include "ui/common/HelpMessageDialog.h"
#include "ui/inputs/LeakingTankSheet.h"
#include "ui/inputs/OperationSheets.h"
#include "ui/inputs/ReleaseDialog.h"
#include "ui/inputs/ReleaseSetupDialogs.h"
#include "ui/inputs/ReleaseUncertaintyDialog.h"
#include "ui/inputs/SmokePlumeDialog.h"
#include "ui/inputs/WeatherDialogs.h"
#include "ui/inputs/WindWaveDialog.h"
#include "ui/oils/CustomOilSheet.h"
#include "ui/oils/CustomOilsDialog.h"
#include "ui/oils/OilPropertiesSheet.h"
#include "ui/oils/OilsDialog.h"

using namespace gui_test;

namespace {

// Buttons of the Release dialog and the Standard Oils dialog.
constexpr int kInstantaneousSetup = 1003;
constexpr int kContinuousSetup = 1004;
constexpr int kTankSetup = 1005;
constexpr int kContainedSetup = 1146;
constexpr int kReleaseUncertainty = 1134;
constexpr int kOilInfo = 1072;

// The innermost dialog of type T running modally, or null.
template <class T>
T* Innermost() {
    T* found = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* t = dynamic_cast<T*>(w); t && t->IsModal()) found = t;
    return found;
}

// Collects what each window shows and fails on a letter two labels share.
class MnemonicCheck {
public:
    // The window as it is, then with each option (radio button) on screen
    // chosen in turn; the options chosen before are chosen again.
    void Check(wxWindow* window, const std::string& where) {
        CheckNow(window, where);
        std::vector<wxRadioButton*> options, chosen;
        Collect(window, options);
        for (wxRadioButton* r : options)
            if (r->GetValue()) chosen.push_back(r);
        for (wxRadioButton* r : options) {
            if (r->GetValue() || !r->IsShownOnScreen() || !r->IsEnabled()) continue;
            ChooseOption(r);
            CheckNow(window, where + " / " + wxStripMenuCodes(r->GetLabel()).utf8_string());
        }
        for (wxRadioButton* r : chosen) ChooseOption(r);
    }

    // Every page of the book in turn, each with check(page index) run on it.
    void CheckPages(wxBookCtrlBase* book, wxWindow* window, const std::string& where) {
        ASSERT_NE(book, nullptr) << where;
        EXPECT_GT(book->GetPageCount(), 1u) << where;
        const int before = book->GetSelection();
        for (std::size_t p = 0; p < book->GetPageCount(); ++p) {
            book->SetSelection(p);
            Pump(2);
            const std::string page = where + " / " + book->GetPageText(p).utf8_string();
            EXPECT_EQ(book->GetSelection(), static_cast<int>(p)) << page << " cannot be shown";
            Check(window, page);
        }
        if (before >= 0) book->SetSelection(static_cast<std::size_t>(before));
        Pump(2);
    }

    const std::vector<std::string>& Visited() const { return visited_; }
    // The labels with a mnemonic each check found, by where it was.
    const std::map<std::string, std::vector<std::string>>& Labels() const { return labels_; }

private:
    static void Collect(wxWindow* parent, std::vector<wxRadioButton*>& out) {
        for (wxWindow* w : parent->GetChildren()) {
            if (w->IsTopLevel()) continue;
            if (auto* r = dynamic_cast<wxRadioButton*>(w)) out.push_back(r);
            Collect(w, out);
        }
    }

    void CheckNow(wxWindow* window, const std::string& where) {
        Pump(2);
        visited_.push_back(where);
        const std::vector<ShownMnemonic> shown = ShownMnemonics(window);
        for (const ShownMnemonic& m : shown) labels_[where].push_back(m.label);
        std::map<std::string, std::string> first;
        for (const ShownMnemonic& m : shown) {
            const auto [at, added] = first.emplace(m.key, m.label);
            if (!added)
                ADD_FAILURE() << where << ": \"" << at->second << "\" and \"" << m.label << "\" share Alt+"
                              << wxString::FromUTF8(m.key).Upper().utf8_string();
        }
    }

    std::vector<std::string> visited_;
    std::map<std::string, std::vector<std::string>> labels_;
};

// Runs step on the dialog of type T that open shows (while open runs, or
// once a dialog open ended has returned), then ends the dialog (Cancel) if
// the step left it open. Fails naming the dialog when none opened.
template <class T>
void Inside(const std::string& name, const std::function<void()>& open, const std::function<void(T*)>& step) {
    T* const before = Innermost<T>();
    bool reached = false;
    wxTimer look;
    look.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        T* dialog = Innermost<T>();
        if (!dialog || dialog == before) return;
        look.Stop();
        reached = true;
        struct EndOnExit {
            T* d;
            ~EndOnExit() {
                if (d->IsModal()) d->EndModal(wxID_CANCEL);
            }
        } end{dialog};
        Settle();
        step(dialog);
    });
    look.Start(20);
    open();
    Pump();
    look.Stop();
    EXPECT_TRUE(reached) << name << " did not open";
}

// The custom library holding one oil (a standard oil copied in), or none;
// removed again at the end.
struct CustomLibrary : FreshCustomLibrary {
    CustomLibrary(document::SpillDocCore& doc, bool withOil) : FreshCustomLibrary(*doc.Libraries().custom) {
        if (!withOil) return;
        oillib::COilLibrary& standard = *doc.Libraries().standard;
        EXPECT_EQ(standard.LoadIndex(), 0);
        EXPECT_EQ(lib.CopyFieldsFrom(&standard, standard.GetIndex()->at(5).offset), 0);
        lib.SetFieldText("C0000000100000001", lib.ColumnToField(oillib::COL_OIL_ID));
        EXPECT_EQ(lib.SaveRecord(oillib::kNewRecord), 0);
    }
};

// A screenshot with Alt held down: the toolkit underlines the mnemonics.
std::string ShotWithAlt(wxWindow* window, const std::string& name) {
    window->Raise();
    window->SetFocus();
    Settle();
    wxUIActionSimulator keys;
    keys.KeyDown(WXK_ALT);
    Settle();
    const std::string shot = Screenshot(window, name);
    keys.KeyUp(WXK_ALT);
    Settle();
    return shot;
}

output::GraphPanel* FindGraphPanel(wxWindow* parent) {
    for (wxWindow* w : parent->GetChildren()) {
        if (auto* panel = dynamic_cast<output::GraphPanel*>(w)) return panel;
        if (output::GraphPanel* inner = FindGraphPanel(w)) return inner;
    }
    return nullptr;
}

class MnemonicGui : public GuiTest {
protected:
    MnemonicCheck check;

    void ReleaseDialogs() {
        Inside<ui::CReleaseDialog>("Release", [] { Command(app::ID_RELEASE); }, [&](ui::CReleaseDialog* d) {
            check.Check(d, "Release");
            Inside<ui::HelpMessageDialog>("help", [&] { Click(d, wxID_HELP); },
                                          [&](ui::HelpMessageDialog* h) { check.Check(h, "Help on Release"); });
            Inside<ui::CInstantaneousDialog>("Instantaneous", [&] { Click(d, kInstantaneousSetup); },
                                             [&](ui::CInstantaneousDialog* s) { check.Check(s, "Instantaneous"); });
            Inside<ui::CContinuousDialog>("Continuous", [&] { Click(d, kContinuousSetup); },
                                          [&](ui::CContinuousDialog* s) { check.Check(s, "Continuous"); });
            Inside<ui::CContainedDialog>("Contained", [&] { Click(d, kContainedSetup); },
                                         [&](ui::CContainedDialog* s) { check.Check(s, "Contained"); });
            Inside<ui::CReleaseUncertaintyDialog>(
                "Release uncertainty", [&] { Click(d, kReleaseUncertainty); },
                [&](ui::CReleaseUncertaintyDialog* s) { check.Check(s, "Release Uncertainty"); });
            Inside<ui::CLeakingTankPropertySheet>("Leaking tank", [&] { Click(d, kTankSetup); },
                                                  [&](ui::CLeakingTankPropertySheet* w) { TankSteps(w); });
        });
    }

    // Steps 1 to 7, each with values that let Next go on.
    void TankSteps(ui::CLeakingTankPropertySheet* sheet) {
        const auto type = [sheet](int step, const char* name, const char* text) {
            auto* edit = dynamic_cast<wxTextCtrl*>(wxWindow::FindWindowByName(name, sheet->Page(step)));
            ASSERT_NE(edit, nullptr) << name;
            edit->SetValue(text);
        };
        const std::function<void()> fill[] = {
            [&] {
                type(1, "length", "2");
                type(1, "width", "2");
                type(1, "height", "2");
            },
            [&] {
                auto* mode = dynamic_cast<wxRadioButton*>(wxWindow::FindWindowByName("second mode", sheet->Page(2)));
                ASSERT_NE(mode, nullptr);
                ChooseOption(mode);
                type(2, "percent", "50");
            },
            [&] {
                type(3, "diameter", "5");
                auto* unit = dynamic_cast<wxChoice*>(wxWindow::FindWindowByName("diameter unit", sheet->Page(3)));
                ASSERT_NE(unit, nullptr);
                unit->SetSelection(1);  // cm
            },
            [&] { type(4, "value", "0.2"); },
            [&] { type(5, "value", "0"); },
            [] {},
        };
        for (int step = 1; step <= 7; ++step) {
            ASSERT_EQ(sheet->CurrentStep(), step) << "messages: " << ::testing::PrintToString(Messages().Texts());
            check.Check(sheet, "Leaking Tank Setup / step " + std::to_string(step));
            if (step == 7) break;
            fill[step - 1]();
            Click(sheet, wxID_FORWARD);
            Pump();
        }
    }

    void WeatherDialogs() {
        Inside<ui::CWindWaveDialog>("Wind and Waves", [] { Command(app::ID_WIND_WAVE); }, [&](ui::CWindWaveDialog* d) {
            check.Check(d, "Wind and Waves");
            EXPECT_FALSE(ShotWithAlt(d, "mnemonics/wind-constant").empty());
            d->SetMode(true);
            Inside<ui::CVarWindFetchDialog>("Fetch", [&] { Click(d, d->FetchButton()->GetId()); },
                                            [&](ui::CVarWindFetchDialog* f) { check.Check(f, "Fetch"); });
            Inside<ui::CWindUncertaintyDialog>("Wind uncertainty", [&] { Click(d, d->UncertaintyButton()->GetId()); },
                                               [&](ui::CWindUncertaintyDialog* u) { check.Check(u, "Wind Uncertainty"); });
        });
        Inside<ui::CWaterDialog>("Water", [] { Command(app::ID_WATER); }, [&](ui::CWaterDialog* d) {
            check.Check(d, "Water");
            ChooseItem(d->SalinityChoice(), ui::kOtherValue);
            ChooseItem(d->SedimentChoice(), ui::kOtherValue);
            check.Check(d, "Water / other values");
        });
        Inside<ui::CEmulsificationDialog>("Emulsification", [] { Command(app::ID_EMULSIFICATION); },
                                          [&](ui::CEmulsificationDialog* d) { check.Check(d, "Emulsification"); });
        Inside<ui::COilBeachedDialog>("Beaching", [] { Command(app::ID_BEACHING); },
                                      [&](ui::COilBeachedDialog* d) { check.Check(d, "Beaching"); });
    }

    void OilDialogs() {
        Inside<ui::COilsDialog>("Standard Oils", [] { Command(app::ID_STANDARD_OILS); }, [&](ui::COilsDialog* d) {
            check.Check(d, "Standard Oils");
            Inside<ui::COilPropertiesSheet>("Oil Info", [&] { Click(d, kOilInfo); }, [&](ui::COilPropertiesSheet* s) {
                check.CheckPages(s->GetBookCtrl(), s, "Oil Info");
            });
        });
        document::SpillDocCore& doc = Frame()->CurrentDoc()->Core();
        {
            CustomLibrary none(doc, false);
            Inside<ui::ChoiceDialog>("Create Custom Library", [] { Command(app::ID_CUSTOM_OILS); },
                                     [&](ui::ChoiceDialog* c) { check.Check(c, "Create Custom Library"); });
        }
        CustomLibrary one(doc, true);
        Inside<ui::CCustomOilsDialog>("Custom Oils", [] { Command(app::ID_CUSTOM_OILS); }, [&](ui::CCustomOilsDialog* d) {
            check.Check(d, "Custom Oils");
            Inside<ui::CPropSheetCustOil>("Edit Oil", [&] { Click(d, ui::ID_CUSTOM_EDIT); },
                                          [&](ui::CPropSheetCustOil* s) {
                                              check.CheckPages(s->GetBookCtrl(), s, "Oil/Product Properties");
                                          });
            // Select in the Add choice shows the standard oils once the
            // choice has closed.
            Inside<ui::COilsDialog>(
                "Standard Oils to copy",
                [&] {
                    Inside<ui::ChoiceDialog>("Add", [&] { Click(d, ui::ID_CUSTOM_ADD); }, [&](ui::ChoiceDialog* c) {
                        check.Check(c, "Modifiy Custom Library");
                        Click(c, ui::ID_CHOICE_SELECT);
                    });
                },
                [&](ui::COilsDialog* o) { check.Check(o, "Standard Oils to copy"); });
            Inside<ui::ChoiceDialog>("Remove", [&] { Click(d, ui::ID_CUSTOM_REMOVE); },
                                     [&](ui::ChoiceDialog* c) { check.Check(c, "Modify Custom Library"); });
        });
    }

    void OperationSheets() {
        Inside<ui::CDispersantUseSheet>("Dispersant", [] { Command(app::ID_DISPERSANT); },
                                        [&](ui::CDispersantUseSheet* s) {
                                            check.CheckPages(s->GetBookCtrl(), s, s->GetTitle().utf8_string());
                                        });
        Inside<ui::CMechCleanupSheet>("Clean-up", [] { Command(app::ID_MECHANICAL); }, [&](ui::CMechCleanupSheet* s) {
            check.CheckPages(s->GetBookCtrl(), s, s->GetTitle().utf8_string());
        });
        Inside<ui::CInSituBurnSheet>("Burn", [] { Command(app::ID_IN_SITU_BURN); }, [&](ui::CInSituBurnSheet* s) {
            check.CheckPages(s->GetBookCtrl(), s, s->GetTitle().utf8_string());
            EXPECT_FALSE(ShotWithAlt(s, "mnemonics/burn-sheet").empty());
            Inside<ui::CAdvancedBurnOptionsDialog>(
                "Advanced burn options", [&] { Click(s, ui::CInSituBurnSheet::kAdvancedOptionsId); },
                [&](ui::CAdvancedBurnOptionsDialog* a) { check.Check(a, "Advanced Burn Options"); });
            auto* page = dynamic_cast<ui::CInSituBurnPage*>(s->Page(0));
            ASSERT_NE(page, nullptr);
            s->GetBookCtrl()->SetSelection(0);
            if (!page->UseBox()->GetValue()) SetTicked(page->UseBox(), true);
            std::vector<wxTextCtrl*> fields;
            for (wxWindow* w : page->GetChildren())
                if (auto* t = dynamic_cast<wxTextCtrl*>(w)) fields.push_back(t);
            ASSERT_GE(fields.size(), 2u);
            fields[0]->ChangeValue("2000");
            fields[1]->ChangeValue("10");
            Inside<ui::CSmokePlumeDialog>("Smoke plume", [&] { Click(page, page->PlumeButton()->GetId()); },
                                          [&](ui::CSmokePlumeDialog* p) {
                                              check.Check(p, "Smoke Plume / inputs");
                                              p->Loc()->ChangeValue("200");
                                              p->Wind()->ChangeValue("12");
                                              Click(p, ui::CSmokePlumeDialog::kNextId);
                                              ASSERT_EQ(p->State(), 1) << ::testing::PrintToString(Messages().Texts());
                                              check.Check(p, "Smoke Plume / graph");
                                          });
        });
    }

    void GraphHelp() {
        Command(app::ID_SOLVE);
        output::GraphPanel* panel = FindGraphPanel(Frame());
        ASSERT_NE(panel, nullptr) << "no graph after Solve";
        Inside<output::CContextMenuHelp>("graph help", [&] { panel->ShowHelp(); },
                                         [&](output::CContextMenuHelp* h) { check.Check(h, "graph help"); });
    }
};

TEST_F(MnemonicGui, NoTwoLabelsOfADialogPageShareAMnemonic) {
    DialogTestGuard guard;
    Start(OpeningStoredScenario());
    ReleaseDialogs();
    WeatherDialogs();
    OilDialogs();
    OperationSheets();
    GraphHelp();
    for (const std::string& where : check.Visited()) std::printf("checked: %s\n", where.c_str());
    // The walk reached the pages and modes, not only the first page.
    const std::vector<std::string>& v = check.Visited();
    for (const char* where : {"Wind and Waves / Variable Wind", "Leaking Tank Setup / step 7", "Smoke Plume / graph",
                              "Continuous / Constant Spill Rate"}) {
        EXPECT_NE(std::find_if(v.begin(), v.end(), [&](const std::string& s) { return s.rfind(where, 0) == 0; }),
                  v.end())
            << where;
    }
    // Stock buttons are read as the toolkit labels them.
    const std::vector<std::string> release = check.Labels().count("Release") ? check.Labels().at("Release")
                                                                             : std::vector<std::string>{};
    for (const char* stock : {"_OK", "_Cancel", "_Help"})
        EXPECT_NE(std::find(release.begin(), release.end(), stock), release.end()) << stock;
}

}  // namespace
