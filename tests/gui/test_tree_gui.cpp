// The scenario tree pane, the help dialog and book, and list sorting on a
// real display.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/filename.h>
#include <wx/html/helpdlg.h>
#include <wx/listctrl.h>
#include <wx/menu.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/ScenarioTreePane.h"
#include "app/SpillDocWx.h"
#include "ui/common/DialogRegistry.h"
#include "gui_support.h"
#include "platform/ColumnSort.h"
#include "platform/Help.h"
#include "platform/wx/WxHelp.h"
#include "ui/common/HelpMessageDialog.h"
#include "ui/common/ListSort.h"

using namespace gui_test;

namespace {

const std::string kBook = std::string(TAVRO_SOURCE_DIR) + "/res/hlp";

app::ScenarioTreePane* TreeOf(app::CMainFrame* frame) {
    for (wxWindow* w : frame->ScenarioPane()->GetChildren())
        if (auto* tree = dynamic_cast<app::ScenarioTreePane*>(w)) return tree;
    return nullptr;
}

std::vector<std::string> Texts(const wxTreeCtrl& tree, const wxTreeItemId& parent) {
    std::vector<std::string> out;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId c = tree.GetFirstChild(parent, cookie); c.IsOk(); c = tree.GetNextChild(parent, cookie))
        out.push_back(tree.GetItemText(c).utf8_string());
    return out;
}

TEST_F(GuiTest, TreeShowsTheSolvedScenarioAndOpensItsDialogs) {
    int waterRuns = 0;
    const ui::ScopedDialog fakeWater(document::DialogKind::Water, [&](wxWindow*, document::SpillDocCore& core) {
        ++waterRuns;
        // A change, then an idle pass, as a message box of the dialog runs.
        core.session.m_bChanged[document::ChangedWater] = 1;
        wxTheApp->ProcessIdle();
        return false;
    });
    // A kind without a dialog: its section runs nothing.
    const ui::ScopedDialog noEmulsification(document::DialogKind::Emulsification, {});
    Start(OpeningStoredScenario());
    app::CMainFrame* f = Frame();
    app::ScenarioTreePane* tree = TreeOf(f);
    ASSERT_NE(tree, nullptr);
    Command(app::ID_SOLVE);
    Pump();

    EXPECT_EQ(Texts(*tree, tree->GetRootItem()),
              (std::vector<std::string>{"Oil Type", "Emulsification", "Wind and Wave Conditions", "Water Properties",
                                        "Release Information"}));
    const wxTreeItemId release = tree->FindRootItem("Release Information");
    ASSERT_TRUE(release.IsOk());
    EXPECT_TRUE(tree->IsBold(release));
    EXPECT_TRUE(tree->IsExpanded(release));
    ASSERT_EQ(Texts(*tree, release).size(), 2u);
    EXPECT_EQ(Texts(*tree, release)[0], "Instantaneous Release");
    wxTreeItemIdValue cookie;
    const wxTreeItemId instant = tree->GetFirstChild(release, cookie);
    const std::vector<std::string> lines = Texts(*tree, instant);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("Time of Release = ", 0), 0u);
    EXPECT_EQ(lines[1], "Amount Spilled = 1000 bbl");
    const std::vector<std::string> oil = Texts(*tree, tree->FindRootItem("Oil Type"));
    ASSERT_GT(oil.size(), 9u);
    EXPECT_NE(std::find_if(oil.begin(), oil.end(), [](const std::string& s) { return s.rfind("Density = ", 0) == 0; }),
              oil.end());
    EXPECT_EQ(Texts(*tree, tree->FindRootItem("Emulsification")).size(), 1u);

    // Enter (item activation) on "Water Properties" runs the water command,
    // and so does a line of it. The dialog runs once the control is done
    // with the event: its change rebuilds the section, line and all.
    const wxTreeItemId water = tree->FindRootItem("Water Properties");
    tree->SelectItem(water);
    wxTreeEvent enter(wxEVT_TREE_ITEM_ACTIVATED, tree, water);
    tree->GetEventHandler()->ProcessEvent(enter);
    Pump();
    EXPECT_EQ(waterRuns, 1);
    wxTreeItemIdValue waterCookie;
    const wxTreeItemId line = tree->GetFirstChild(water, waterCookie);
    ASSERT_TRUE(line.IsOk());
    tree->SelectItem(line);
    wxTreeEvent onLine(wxEVT_TREE_ITEM_ACTIVATED, tree, line);
    tree->GetEventHandler()->ProcessEvent(onLine);
    EXPECT_EQ(waterRuns, 1);  // not while the control holds the line
    Pump();
    EXPECT_EQ(waterRuns, 2);
    EXPECT_EQ(Texts(*tree, water).size(), 4u);
    EXPECT_FALSE(tree->Activate(tree->FindRootItem("Emulsification")));
    EXPECT_FALSE(Screenshot(f, "tree").empty());

    // Closing the last scenario leaves the four empty roots.
    App().DocManager()->CloseDocuments(true);
    Pump();
    EXPECT_EQ(Texts(*tree, tree->GetRootItem()),
              (std::vector<std::string>{"Oil Type", "Wind and Wave Conditions", "Water Properties",
                                        "Release Information"}));
    for (const auto& e : Messages().Entries()) ADD_FAILURE() << "message: " << e.text;
}

TEST_F(GuiTest, HelpDialogReadsMoreAndCloses) {
    Start();
    ui::SetHelpFolder(kBook);
    platform::RecordingHelp help;
    ui::HelpMessageDialog dialog(Frame(), ui::HelpDialog::SmokePlumeInput, help);
    EXPECT_EQ(dialog.GetTitle(), "Help on Smoke Plume Input");
    EXPECT_NE(dialog.Text()->ToText().Find("level of concern"), wxNOT_FOUND) << dialog.Text()->ToText();
    bool stayedOpen = false;
    std::string shot;
    dialog.CallAfter([&] {
        for (int i = 0; i < 2; ++i) {
            wxCommandEvent click(wxEVT_BUTTON, ui::ID_HELP_READ_MORE);
            click.SetEventObject(dialog.FindWindow(ui::ID_HELP_READ_MORE));
            dialog.GetEventHandler()->ProcessEvent(click);
        }
        stayedOpen = dialog.IsShown() && dialog.IsModal();
        shot = Screenshot(&dialog, "help-dialog");
        wxCommandEvent done(wxEVT_BUTTON, wxID_OK);
        done.SetEventObject(dialog.FindWindow(wxID_OK));
        dialog.GetEventHandler()->ProcessEvent(done);
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(shot.empty());
    ASSERT_EQ(help.Calls().size(), 2u);
    for (const auto& c : help.Calls()) {
        EXPECT_EQ(c.page, "in-situ_burning");
        EXPECT_EQ(c.anchor, "GraphSmokePlume");
    }
    // A dialog without a page of its own opens the contents.
    platform::RecordingHelp contents;
    ui::HelpMessageDialog fetch(Frame(), ui::HelpDialog::Fetch, contents);
    wxCommandEvent click(wxEVT_BUTTON, ui::ID_HELP_READ_MORE);
    fetch.GetEventHandler()->ProcessEvent(click);
    ASSERT_EQ(contents.Calls().size(), 1u);
    EXPECT_TRUE(contents.Calls()[0].contents);

    // Escape closes it too, and "Done" is the button Enter presses.
    EXPECT_EQ(fetch.GetDefaultItem(), fetch.FindWindow(wxID_OK));
    fetch.CallAfter([&] {
        wxKeyEvent escape(wxEVT_CHAR_HOOK);
        escape.m_keyCode = WXK_ESCAPE;
        escape.SetEventObject(&fetch);
        fetch.GetEventHandler()->ProcessEvent(escape);
    });
    EXPECT_EQ(fetch.ShowModal(), wxID_OK);
    EXPECT_EQ(contents.Calls().size(), 1u);
}

TEST_F(GuiTest, HelpBookLoadsWithEveryPage) {
    Start();
    platform::WxHelp help(kBook, &Messages());
    ASSERT_TRUE(help.Load());
    std::set<std::string> listed;
    const wxHtmlHelpDataItems& items = help.Data().GetContentsArray();
    for (size_t i = 0; i < items.size(); ++i)
        listed.insert(wxFileName(items[i].page.BeforeFirst('#')).GetFullName().utf8_string());
    for (const auto& entry : std::filesystem::directory_iterator(kBook)) {
        if (entry.path().extension() != ".html") continue;
        EXPECT_TRUE(listed.count(entry.path().filename().string())) << entry.path();
    }

    // Help > Help Topics, on F1, shows the book; here it is closed again.
    wxMenuItem* topics = Frame()->GetMenuBar()->FindItem(wxID_HELP_CONTENTS);
    ASSERT_NE(topics, nullptr);
    EXPECT_EQ(topics->GetItemLabelText(), "Help Topics");
    std::unique_ptr<wxAcceleratorEntry> key(topics->GetAccel());
    ASSERT_TRUE(key);
    EXPECT_EQ(key->GetKeyCode(), WXK_F1);
    const ScopedDefaultHelp helpHere(help);
    std::string shot;
    auto closeBook = [&](const std::string& name) {
        Frame()->CallAfter([&, name] {
            for (wxWindow* w : wxTopLevelWindows) {
                if (auto* d = dynamic_cast<wxHtmlHelpDialog*>(w); d && d->IsShown()) {
                    // Opens large enough to read a page.
                    EXPECT_GE(d->GetSize().x, d->FromDIP(800)) << name;
                    EXPECT_GE(d->GetSize().y, d->FromDIP(560)) << name;
                    shot = Screenshot(d, name);
                    d->Close();
                }
            }
        });
    };
    // From the main window the book opens beside it, not modal, titled with
    // the book's title.
    Command(wxID_HELP_CONTENTS);
    wxHtmlHelpDialog* book = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<wxHtmlHelpDialog*>(w); d && d->IsShown()) book = d;
    ASSERT_NE(book, nullptr);
    EXPECT_FALSE(book->IsModal());
    EXPECT_EQ(book->GetTitle(), "TAVRO2 Help");
    EXPECT_GE(book->GetSize().x, book->FromDIP(800));
    EXPECT_FALSE(Screenshot(book, "shell-help-book").empty());
    // Help Topics again brings the same viewer forward.
    Command(wxID_HELP_CONTENTS);
    int viewers = 0;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<wxHtmlHelpDialog*>(w); d && d->IsShown()) ++viewers;
    EXPECT_EQ(viewers, 1);
    book->Close();
    Pump();
    // The viewer comes back for a topic, any number of times.
    for (int i = 0; i < 2; ++i) {
        shot.clear();
        closeBook("help-topic");
        help.ShowTopic("in-situ_burning", "GraphSmokePlume");
        EXPECT_FALSE(shot.empty()) << i;
    }

    // A missing book says where it was looked for.
    platform::WxHelp missing(RunFolder() + "/no-book", &Messages());
    missing.ShowContents();
    ASSERT_EQ(Messages().Entries().size(), 1u);
    EXPECT_EQ(Messages().Entries()[0].text, "The help book could not be found in " + RunFolder() + "/no-book.");
    Messages().Clear();
}

TEST_F(GuiTest, ListSortsByColumnAndKeepsItemData) {
    Start();
    auto* list = new wxListCtrl(Frame(), wxID_ANY, wxDefaultPosition, wxSize(200, 120), wxLC_REPORT);
    list->AppendColumn("Value");
    const char* texts[] = {"10", "9", "100"};
    for (long i = 0; i < 3; ++i) {
        list->InsertItem(i, texts[i]);
        list->SetItemData(i, 1000 + i);
    }
    auto rows = [&] {
        std::vector<std::string> out;
        for (long i = 0; i < list->GetItemCount(); ++i)
            out.push_back(list->GetItemText(i).utf8_string() + "=" + std::to_string(list->GetItemData(i)));
        return out;
    };
    EXPECT_TRUE(ui::SortListColumn(*list, 0, true, platform::kSortInteger));
    EXPECT_EQ(rows(), (std::vector<std::string>{"9=1001", "10=1000", "100=1002"}));
    EXPECT_TRUE(ui::SortListColumn(*list, 0, true, platform::kSortString));
    EXPECT_EQ(rows(), (std::vector<std::string>{"10=1000", "100=1002", "9=1001"}));
    EXPECT_TRUE(ui::SortListColumn(*list, 0, false, platform::kSortReal));
    EXPECT_EQ(rows(), (std::vector<std::string>{"100=1002", "10=1000", "9=1001"}));
    EXPECT_FALSE(ui::SortListColumn(*list, 3, true, platform::kSortReal));
    list->DeleteAllItems();
    EXPECT_TRUE(ui::SortListColumn(*list, 0, true, platform::kSortString));
    list->Destroy();
}

}  // namespace
