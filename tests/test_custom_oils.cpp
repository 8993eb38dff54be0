// The custom oils dialog without its windows: the controller run through a
// scripted user on a "CustomLib" in a temporary folder, the editor's form
// and the checks of a custom oil.
#include "ui/oils/rules/CustomOilEditorForm.h"
#include "ui/oils/rules/CustomOilId.h"
#include "ui/oils/rules/CustomOilValidator.h"
#include "ui/oils/rules/CustomOilsController.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cctype>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/SpillDoc.h"
#include "oillib/OilLibrary.h"
#include "platform/Clock.h"
#include "test_document_helpers.h"
#include "test_shipped_library.h"

namespace {

using document::SpillDocCore;
using oil_test::ShippedLibrary;
using platform::MsgIcon;
using ui::CustomOilEditorForm;

constexpr document::Time kNow = 1765411200;  // 2025-12-11 00:00 UTC
constexpr const char* kToday = "12/11/2025";

// "C" and 16 upper-case hexadecimal digits, starting with prefix.
bool IsOilId(const std::string& text, const std::string& prefix = "C") {
    if (text.size() != 17 || text.rfind(prefix, 0) != 0) return false;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])) && (text[i] < 'A' || text[i] > 'F')) return false;
    return true;
}

// The name of the form's text a place points at ("density[1]"), "?" when
// it is none of them.
std::string TextName(const CustomOilEditorForm& f, const std::string* text) {
    if (text == &f.name) return "name";
    const std::pair<const char*, const std::string*> singles[] = {
        {"api", &f.api}, {"pourPoint", &f.pourPoint}, {"flashPoint", &f.flashPoint},
        {"oilSeawaterTension", &f.oilSeawaterTension}, {"oilWaterTensionTemp", &f.oilWaterTensionTemp},
        {"synonyms", &f.synonyms}, {"waterContent", &f.waterContent}, {"wax", &f.wax}};
    for (const auto& [name, member] : singles)
        if (text == member) return name;
    auto in = [&](const char* name, const auto& rows) -> std::string {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (text == &rows[i]) return std::string(name) + "[" + std::to_string(i) + "]";
        return {};
    };
    for (std::string found : {in("density", f.density), in("densityTemp", f.densityTemp),
                              in("densityEvaporated", f.densityEvaporated), in("viscosity", f.viscosity),
                              in("viscosityTemp", f.viscosityTemp), in("viscosityEvaporated", f.viscosityEvaporated),
                              in("cutPercent", f.cutPercent), in("cutTemp", f.cutTemp)})
        if (!found.empty()) return found;
    return "?";
}

// The user of the dialog, as a script: the answers of the choice dialogs,
// the standard oil picked and one function per run of the editor (which
// changes the form and saves or cancels). Every form the editor was
// opened with is kept, and where it opened ("page 1 api").
struct ScriptedUser final : ui::ICustomOilsUi {
    ui::FirstOilChoice firstOil = ui::FirstOilChoice::Cancel;
    std::deque<ui::AddChoice> add;
    std::deque<bool> confirm;
    std::optional<oillib::FileOffset> standardPick;
    std::deque<std::function<bool(CustomOilEditorForm&)>> editor;
    std::vector<CustomOilEditorForm> opened;
    std::vector<std::string> places;
    int picks = 0;
    int firstOilAsked = 0;

    ui::FirstOilChoice ChooseFirstOil() override {
        ++firstOilAsked;
        return firstOil;
    }
    ui::AddChoice ChooseAdd() override { return Pop(add, ui::AddChoice::Cancel); }
    bool ConfirmRemove() override { return Pop(confirm, false); }
    std::optional<oillib::FileOffset> PickStandardOil() override {
        ++picks;
        return standardPick;
    }
    bool RunEditor(CustomOilEditorForm& form, const CustomOilEditorForm::Place& place) override {
        places.push_back("page " + std::to_string(place.page) + " " + TextName(form, place.text));
        opened.push_back(form);
        if (editor.empty()) return false;
        auto run = std::move(editor.front());
        editor.pop_front();
        return run(form);
    }
    template <class T>
    static T Pop(std::deque<T>& q, T otherwise) {
        if (q.empty()) return otherwise;
        T v = q.front();
        q.pop_front();
        return v;
    }
};

// The least a new oil needs to pass the checks, typed into the editor.
bool TypeValidOil(CustomOilEditorForm& f, const std::string& name = "Test Crude, Lab 2025") {
    f.name = name;
    f.productType = CustomOilEditorForm::Crude;
    f.api = "30";
    f.density[0] = "0.85";
    f.densityTemp[0] = "15";
    f.viscosity[0] = "12.5";
    f.viscosityTemp[0] = "15";
    return true;
}

// Today's date fixed for the library header the rewrite writes.
struct DefaultClockScope {
    explicit DefaultClockScope(document::Time t) : clock(t) { platform::SetDefaultClock(&clock); }
    ~DefaultClockScope() { platform::SetDefaultClock(nullptr); }
    platform::FixedClock clock;
};

// A document on the shipped standard library and a custom library in a
// temporary folder; the dialog's controller on a scripted user.
struct CustomFixture : document_test::FakePorts {
    explicit CustomFixture(const std::string& standardPath = document_test::StandardLibraryPath())
        : FakePorts(kNow),
          standard(standardPath, oillib::OilLibColumnNames, oillib::kOilLibColumnCount),
          custom(dir / "CustomLib", oillib::OilLibColumnNames, oillib::kOilLibColumnCount) {
        doc = std::make_unique<SpillDocCore>(document::OilLibraries{&standard, &custom}, Ports());
    }
    std::string Path() const { return dir / "CustomLib"; }
    std::string Bytes() const { return oillib_test::ReadBytes(Path()); }
    std::vector<std::string> Lines() const { return platform::SplitLines(Bytes()); }
    // A new controller, as each run of the dialog makes.
    ui::CustomOilsController& Dialog() {
        controller = std::make_unique<ui::CustomOilsController>(*doc, user);
        return *controller;
    }
    // The row of the list whose name is name.
    int RowOf(const std::string& name) const {
        const ui::OilListModel& list = controller->List();
        for (std::size_t r = 0; r < list.Size(); ++r)
            if (list.Rows()[r].name == name) return static_cast<int>(r);
        ADD_FAILURE() << "no row " << name;
        return -1;
    }
    // The standard oil whose list name is name.
    oillib::FileOffset StandardOil(const std::string& name) {
        EXPECT_EQ(standard.LoadIndex(), 0);
        for (const oillib::SOilLibCell& cell : *standard.GetIndex())
            if (cell.name == name) return cell.offset;
        ADD_FAILURE() << "no standard oil " << name;
        return 0;
    }

    document_test::ZoneScope utc{"UTC"};
    DefaultClockScope today{kNow};
    tavro_test::TempDir dir;
    oillib::COilLibrary standard;
    oillib::COilLibrary custom;
    std::unique_ptr<SpillDocCore> doc;
    ScriptedUser user;
    std::unique_ptr<ui::CustomOilsController> controller;
};

// A custom library file of shipped records, each given a custom id.
void WriteCustomLibrary(const CustomFixture& f, const ShippedLibrary& shipped, const std::vector<std::string>& oils) {
    std::vector<std::vector<std::string>> records;
    int n = 0;
    for (const std::string& oil : oils) {
        std::vector<std::string> rec = shipped.Record(oil);
        shipped.Set(rec, 2, "C00000000000000" + std::to_string(10 + n++));
        records.push_back(rec);
    }
    shipped.Write(f.dir, records, "1.0\t12/01/2025\ttavro", "CustomLib");
}

std::string ColumnLine() {
    std::string line;
    for (int c = 0; c < oillib::kOilLibColumnCount; ++c) {
        if (c) line += '\t';
        line += oillib::OilLibColumnNames[c];
    }
    return line;
}

TEST(CustomOils, FirstUseCreatesTheLibraryWithOneOil) {
    // Cancel in the first choice, or in the editor, makes no file.
    for (ui::FirstOilChoice choice : {ui::FirstOilChoice::Cancel, ui::FirstOilChoice::Blank}) {
        CustomFixture f;
        f.user.firstOil = choice;
        EXPECT_FALSE(f.Dialog().Open());
        EXPECT_TRUE(f.dir.Names().empty());
        EXPECT_TRUE(f.messages.Entries().empty());
    }

    CustomFixture f;
    f.user.firstOil = ui::FirstOilChoice::Blank;
    f.user.editor.push_back([](CustomOilEditorForm& form) { return TypeValidOil(form); });
    ASSERT_TRUE(f.Dialog().Open());
    EXPECT_TRUE(f.messages.Entries().empty()) << f.messages.Entries()[0].text;
    ASSERT_EQ(f.user.opened.size(), 1u);
    EXPECT_EQ(f.user.opened[0].name, "") << "a blank oil";
    EXPECT_EQ(f.user.opened[0].productType, CustomOilEditorForm::Refined);
    EXPECT_EQ(CustomOilEditorForm::LibraryDateText(f.user.opened[0]), "Library not saved yet");
    EXPECT_EQ(f.user.places, std::vector<std::string>{"page 0 name"});

    const std::string bytes = f.Bytes();
    const std::vector<std::string> lines = f.Lines();
    ASSERT_EQ(lines.size(), 3u) << bytes;
    EXPECT_EQ(lines[0], std::string("1.0\t") + kToday + "\ttavro");
    EXPECT_EQ(lines[1], ColumnLine());
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find('\n'), bytes.find('\r') + 1) << "lines end in CR LF";
    const std::vector<std::string> cells = oil_test::SplitTabs(lines[2]);
    ASSERT_GE(cells.size(), 36u);
    EXPECT_EQ(cells[0], "Test Crude, Lab 2025");
    EXPECT_TRUE(IsOilId(cells[1])) << cells[1];
    const std::map<int, std::string> stored = {{7, "30"}, {10, "crude"}, {24, "850"}, {25, "288.149994"},
                                               {26, "0"}, {36, "1.25e-05"}, {37, "288.149994"}, {118, "group 5"},
                                               {117, "volume %"}};
    for (const auto& [column, text] : stored) EXPECT_EQ(cells.at(static_cast<std::size_t>(column - 1)), text) << column;

    ASSERT_EQ(f.controller->List().Size(), 1u);
    EXPECT_EQ(f.controller->SelectedRow(), 0);
    EXPECT_EQ(f.controller->List().Rows()[0].name, "Test Crude");
}

TEST(CustomOils, CopyAppendsANewIdAndLeavesTheSourceAlone) {
    ShippedLibrary shipped;
    CustomFixture f;
    WriteCustomLibrary(f, shipped, {"Green Canyon Block 200", "Diesel [2002]"});
    const std::string before = f.Bytes();
    ui::CustomOilsController& dialog = f.Dialog();
    ASSERT_TRUE(dialog.Open());
    dialog.SetSelectedRow(f.RowOf("Green Canyon Block 200"));
    f.user.add = {ui::AddChoice::Copy};
    f.user.editor.push_back([](CustomOilEditorForm&) { return true; });  // saved untouched
    dialog.Add();
    for (const auto& e : f.messages.Entries()) ADD_FAILURE() << e.text;

    const std::string after = f.Bytes();
    const std::string oldOils = before.substr(before.find("\r\n", before.find("\r\n") + 2));
    EXPECT_NE(after.find(oldOils), std::string::npos) << "the old oils' bytes are unchanged";
    const std::vector<std::string> lines = f.Lines();
    ASSERT_EQ(lines.size(), 5u);
    std::vector<std::string> expected = shipped.Record("Green Canyon Block 200");
    const std::vector<std::string> copy = oil_test::SplitTabs(lines[4]);
    EXPECT_TRUE(IsOilId(copy.at(1))) << copy.at(1);
    EXPECT_NE(copy.at(1), "C0000000000000010");
    shipped.Set(expected, 2, copy.at(1));
    shipped.Set(expected, 118, "group 5");  // the empty class, saved as shown
    EXPECT_EQ(copy, expected);
    EXPECT_EQ(f.controller->List().Size(), 3u);
    ASSERT_EQ(f.user.opened.size(), 1u);
    EXPECT_EQ(CustomOilEditorForm::LibraryDateText(f.user.opened[0]), "Library last modified on 12/01/2025");
}

TEST(CustomOils, ARefusedSaveReopensTheEditorWithTheEntriesAndCancelWritesNothing) {
    ShippedLibrary shipped;
    CustomFixture f;
    WriteCustomLibrary(f, shipped, {"Diesel [2002]"});
    const std::string before = f.Bytes();
    ui::CustomOilsController& dialog = f.Dialog();
    ASSERT_TRUE(dialog.Open());
    f.user.add = {ui::AddChoice::Blank};
    f.user.editor.push_back([](CustomOilEditorForm& form) {
        form.name = "Half an oil";
        form.viscosity[0] = "10";
        return true;
    });
    f.user.editor.push_back([](CustomOilEditorForm& form) {
        form.api = "thirty";
        return true;
    });
    f.user.editor.push_back([](CustomOilEditorForm&) { return false; });
    dialog.Add();
    ASSERT_EQ(f.user.opened.size(), 3u);
    EXPECT_EQ(f.user.opened[1].name, "Half an oil");
    EXPECT_EQ(f.user.opened[1].viscosity[0], "10");
    EXPECT_EQ(f.user.opened[2].api, "thirty") << "the text stays as typed";
    ASSERT_EQ(f.messages.Entries().size(), 2u);
    EXPECT_EQ(f.messages.Entries()[0].text,
              "Problem with the Input\n\nPlease enter either (a) the API or (b) the fresh oil density. TAVRO "
              "requires, at minimum, one of these properties.");
    EXPECT_EQ(f.messages.Entries()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(f.messages.Entries()[1].text, "Problem with the Input\n\nPlease check the API. \"thirty\" is not a number.");
    EXPECT_EQ(f.Bytes(), before);
    EXPECT_EQ(f.dir.Names(), std::vector<std::string>{"CustomLib"});
}

// A limit on the size of the files this process writes, for a scope.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &kept);
        rlimit low = kept;
        low.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &low);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &kept); }
    rlimit kept{};
};

TEST(CustomOils, RemoveAfterConfirmingAndFailedRewritesKeepTheFile) {
    ShippedLibrary shipped;
    CustomFixture f;
    WriteCustomLibrary(f, shipped, {"Diesel [2002]", "Hibernia", "IFO 180"});
    ui::CustomOilsController& dialog = f.Dialog();
    ASSERT_TRUE(dialog.Open());

    // Remove without a row, and a removal not confirmed, change nothing.
    dialog.SetSelectedRow(-1);
    dialog.Remove();
    EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{ui::kSelectAnOilText});
    f.messages.Clear();
    const std::string three = f.Bytes();
    dialog.SetSelectedRow(f.RowOf("Hibernia [2018]"));
    f.user.confirm = {false};
    dialog.Remove();
    EXPECT_EQ(f.Bytes(), three);

    f.user.confirm = {true};
    dialog.Remove();
    EXPECT_TRUE(f.messages.Entries().empty());
    ASSERT_EQ(f.Lines().size(), 4u);
    EXPECT_EQ(f.Lines()[3].rfind("IFO 180", 0), 0u);
    EXPECT_EQ(f.controller->List().Size(), 2u);

    // A rewrite that cannot put the new file in place, by an injected
    // failure and by a file-size limit: the texts with the reason, the
    // bytes as they were.
    struct Failure {
        const char* name;
        const char* reason;
        std::function<void()> arm, disarm;
    };
    std::unique_ptr<FileSizeLimit> limit;
    const Failure failures[] = {
        {"replace fails", "the disk is full",
         [&] {
             f.custom.SetReplaceFileFunction([](const std::string&, std::string_view, std::string* error) {
                 if (error) *error = "the disk is full";
                 return false;
             });
         },
         [&] { f.custom.SetReplaceFileFunction(nullptr); }},
        {"file-size limit", "", [&] { limit = std::make_unique<FileSizeLimit>(100); },
         [&] { limit.reset(); }},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.name);
        const std::string two = f.Bytes();
        f.messages.Clear();
        dialog.SetSelectedRow(f.RowOf("IFO 180"));
        f.user.confirm = {true};
        f.user.editor.push_back([](CustomOilEditorForm& form) {
            form.name = "IFO 180 with a much longer name, Lab";
            return true;
        });
        failure.arm();
        dialog.Remove();
        dialog.SetSelectedRow(f.RowOf("IFO 180"));
        dialog.Edit();
        failure.disarm();
        EXPECT_EQ(f.Bytes(), two);
        EXPECT_EQ(f.dir.Names(), (std::vector<std::string>{"CustomLib", "CustomLib.bak"})) << "no partial file left";
        const std::vector<std::string> texts = f.messages.Texts();
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].rfind(std::string(ui::kRemoveFailedText) + "\n\n" + f.Path() + " was not changed: ", 0), 0u)
            << texts[0];
        EXPECT_EQ(texts[1].rfind(std::string(ui::kSaveFailedText) + "\n\n" + f.Path() + " was not changed: ", 0), 0u)
            << texts[1];
        for (const std::string& text : texts) EXPECT_NE(text.find(failure.reason), std::string::npos) << text;
        EXPECT_EQ(f.controller->List().Size(), 2u);
    }
}

TEST(CustomOils, SelectCopiesTheOilAsACustomOilAndTheScenarioSolves) {
    ShippedLibrary shipped;
    CustomFixture f;
    WriteCustomLibrary(f, shipped, {"Hibernia", "Green Canyon Block 200", "Diesel [2002]"});
    ASSERT_TRUE(oil_test::EnterAllButTheOil(*f.doc));
    f.dialogs.dialogs[document::DialogKind::CustomOils] = [&](SpillDocCore&) {
        ui::CustomOilsController& dialog = f.Dialog();
        if (!dialog.Open()) return false;
        dialog.SetSelectedRow(-1);
        EXPECT_FALSE(dialog.Select()) << "no row: the dialog stays";
        EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{ui::kSelectAnOilText});
        f.messages.Clear();
        dialog.SetSelectedRow(f.RowOf("Green Canyon Block 200"));
        return dialog.Select();
    };
    f.doc->SelectCustomOil();
    const document::Scenario& s = f.doc->scenario;
    EXPECT_EQ(s.OilName, "Green Canyon Block 200, ECCC ESTS 2021 (custom oil)");
    EXPECT_STREQ(s.oil.name, "Green Canyon Block 200, ECCC ES");
    EXPECT_EQ(s.OilLibDate, "12/01/2025") << "the custom library's date";
    EXPECT_EQ(s.OilTavroID, "C0000000000000011");
    EXPECT_EQ(s.API, "33.9");
    EXPECT_EQ(f.doc->session.m_bStandardOil, 0);
    EXPECT_EQ(s.m_bOilInputPassed, 1);
    EXPECT_EQ(s.OilIndex, static_cast<int>((*f.custom.GetIndex())[1].offset));
    EXPECT_TRUE(f.doc->Solve()) << (f.messages.Entries().empty() ? "" : f.messages.Entries()[0].text);

    // The next run preselects the scenario's custom oil.
    ui::CustomOilsController& again = f.Dialog();
    ASSERT_TRUE(again.Open());
    EXPECT_EQ(again.SelectedRow(), f.RowOf("Green Canyon Block 200"));
    EXPECT_NE(again.SelectedRow(), 0);
}

TEST(CustomOils, ACopyOfAStandardOilLeavesTheScenarioAlone) {
    ShippedLibrary shipped;
    CustomFixture f;
    WriteCustomLibrary(f, shipped, {"Hibernia"});
    ASSERT_TRUE(document_test::TakeOil(f.standard, 3, f.doc->scenario));
    f.doc->scenario.m_bOilInputPassed = 1;
    const document::Scenario scenario = f.doc->scenario;
    const document::SessionState session = f.doc->session;
    const std::string bytes = f.Bytes();

    ui::CustomOilsController& dialog = f.Dialog();
    ASSERT_TRUE(dialog.Open());
    f.user.add = {ui::AddChoice::Select};
    f.user.standardPick = f.StandardOil("Diesel [2002]");
    f.user.editor.push_back([](CustomOilEditorForm&) { return false; });
    dialog.Add();
    ASSERT_EQ(f.user.opened.size(), 1u);
    EXPECT_EQ(f.user.opened[0].name, "Diesel [2002], ECCC ESTS 2021") << "the copy is edited";
    EXPECT_TRUE(f.doc->scenario == scenario);
    f.doc->session.customOilCounter = session.customOilCounter;  // a new id was made
    f.doc->session.customOilFirstClock = session.customOilFirstClock;
    EXPECT_TRUE(f.doc->session == session);
    EXPECT_EQ(f.Bytes(), bytes);
    EXPECT_TRUE(f.messages.Entries().empty());
}

TEST(CustomOils, AStandardLibraryThatDoesNotLoadIsReportedBeforeThePick) {
    ShippedLibrary shipped;
    tavro_test::TempDir elsewhere;
    CustomFixture f(elsewhere / "OilLib");  // no such file
    WriteCustomLibrary(f, shipped, {"Hibernia"});
    ui::CustomOilsController& dialog = f.Dialog();
    ASSERT_TRUE(dialog.Open());
    f.user.add = {ui::AddChoice::Select};
    dialog.Add();
    EXPECT_EQ(f.user.picks, 0);
    EXPECT_TRUE(f.user.opened.empty());
    EXPECT_EQ(f.messages.Texts(),
              std::vector<std::string>{document::LibraryLoadMessage(oillib::kResultMissing, elsewhere.Path().string())});
}

TEST(CustomOils, AFileThatIsNotALibraryIsReportedAndNeverWritten) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"no tag", "my notes about oils\r\nsecond line\r\n", "it is not an oil library"},
        {"a line too long", "1.0\t12/01/2025\ttavro\r\n" + ColumnLine() + "\r\n" + std::string(5000, 'x') + "\r\n",
         "is longer than 4095 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CustomFixture f;
        document_test::WriteBytes(f.Path(), c.bytes);
        f.user.firstOil = ui::FirstOilChoice::Blank;
        f.user.editor.push_back([](CustomOilEditorForm& form) { return TypeValidOil(form); });
        EXPECT_FALSE(f.Dialog().Open());
        EXPECT_TRUE(f.user.opened.empty());
        EXPECT_EQ(f.Bytes(), c.bytes);
        EXPECT_EQ(f.dir.Names(), std::vector<std::string>{"CustomLib"});
        ASSERT_EQ(f.messages.Entries().size(), 1u);
        const std::string& text = f.messages.Entries()[0].text;
        EXPECT_EQ(text.rfind("Unable to read the Custom Oil Library\n\nThe file 'CustomLib' in the folder " +
                                 f.dir.Path().string() + " cannot be read: ",
                             0),
                  0u)
            << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with(". It has not been changed. Replace or remove it to use custom oils."));
        EXPECT_EQ(f.messages.Entries()[0].icon, MsgIcon::None);
    }
}

TEST(CustomOils, AMissingOrEmptyLibraryAsksBeforeItsBackupComesBack) {
    ShippedLibrary shipped;
    struct Case {
        const char* name;
        std::optional<std::string> library;  // none: missing
        bool backup;
        std::optional<platform::MsgResult> answer;  // none: no question
        bool failingRestore;
        std::string word;  // "missing" or "empty"
    };
    const Case cases[] = {
        {"missing, Yes", std::nullopt, true, platform::MsgResult::Yes, false, "missing"},
        {"missing, No", std::nullopt, true, platform::MsgResult::No, false, "missing"},
        {"empty, Yes", "", true, platform::MsgResult::Yes, false, "empty"},
        {"empty, No", "", true, platform::MsgResult::No, false, "empty"},
        {"empty without a backup", "", false, std::nullopt, false, ""},
        {"missing, the restore fails", std::nullopt, true, platform::MsgResult::Yes, true, "missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CustomFixture f;
        // Only the backup of two oils (the previous generation) is left.
        WriteCustomLibrary(f, shipped, {"Hibernia", "Diesel [2002]"});
        const std::string backup = f.Bytes();
        std::filesystem::rename(f.Path(), f.Path() + ".bak");
        if (!c.backup) std::filesystem::remove(f.Path() + ".bak");
        if (c.library) document_test::WriteBytes(f.Path(), *c.library);
        if (c.answer) f.messages.QueueAnswer(*c.answer);
        if (c.failingRestore)
            f.custom.SetReplaceFileFunction([](const std::string&, std::string_view, std::string* error) {
                if (error) *error = "the disk is full";
                return false;
            });
        f.user.firstOil = ui::FirstOilChoice::Blank;
        f.user.editor.push_back([](CustomOilEditorForm& form) { return TypeValidOil(form, "New Oil, Me"); });

        const bool opened = f.Dialog().Open();
        const std::vector<platform::RecordingMessages::Entry> shown = f.messages.Entries();
        if (c.answer) {
            ASSERT_FALSE(shown.empty());
            EXPECT_EQ(shown[0].text, "Custom Oil Library " + c.word + "\n\nThe file 'CustomLib' in the folder " +
                                         f.dir.Path().string() + " is " + c.word +
                                         ". Restore the previous copy of 12/01/2025 with 2 oils ('CustomLib.bak')?"
                                         "\n\nNo starts a new library and keeps the previous copy.");
            EXPECT_EQ(shown[0].icon, MsgIcon::Question);
            EXPECT_EQ(shown[0].buttons, platform::MsgButtons::YesNo);
        }
        if (c.failingRestore) {
            EXPECT_FALSE(opened);
            ASSERT_EQ(shown.size(), 2u);
            EXPECT_EQ(shown[1].text, "Unable to restore the Custom Oil Library\n\nThe previous copy 'CustomLib.bak' "
                                     "could not be put back: " +
                                         f.Path() + " was not restored: the disk is full. Nothing has been changed.");
            EXPECT_FALSE(std::filesystem::exists(f.Path()));
            EXPECT_EQ(f.user.firstOilAsked, 0);
        } else if (c.answer == platform::MsgResult::Yes) {
            EXPECT_TRUE(opened);
            EXPECT_EQ(shown.size(), 1u);
            EXPECT_EQ(f.Bytes(), backup) << "put back as it was";
            EXPECT_EQ(f.user.firstOilAsked, 0);
            EXPECT_EQ(f.controller->List().Size(), 2u);
        } else {
            // No, or nothing to restore: the first-use choice makes a new library.
            EXPECT_TRUE(opened);
            EXPECT_EQ(shown.size(), c.answer ? 1u : 0u);
            EXPECT_EQ(f.user.firstOilAsked, 1);
            ASSERT_EQ(f.controller->List().Size(), 1u);
            EXPECT_EQ(f.controller->List().Rows()[0].name, "New Oil");
        }
        if (c.backup) {
            EXPECT_EQ(oillib_test::ReadBytes(f.Path() + ".bak"), backup) << "the backup is kept";
        }
    }
}

TEST(CustomOils, ARefusedSaveReopensAtTheValueToPutRight) {
    using F = CustomOilEditorForm;
    // Cuts as "percent/deg C" texts, empty parts left empty.
    auto cuts = [](F& f, const std::vector<std::string>& rows) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::size_t slash = rows[i].find('/');
            f.cutPercent[i] = rows[i].substr(0, slash);
            f.cutTemp[i] = rows[i].substr(slash + 1);
        }
    };
    struct Case {
        const char* name;
        std::function<void(F&)> edit;  // after a valid crude was typed
        std::string place;
        std::string message;  // the start of the refusal after its header
    };
    const Case cases[] = {
        {"1 no name", [](F& f) { f.name = ""; }, "page 0 name", "Please provide a name"},
        {"2 a comma first", [](F& f) { f.name = ", Lab"; }, "page 0 name", "Please change the name"},
        {"3 no API nor density", [](F& f) { f.api = f.density[0] = ""; }, "page 1 api", "Please enter either"},
        {"4 API", [](F& f) { f.api = "5.99"; }, "page 1 api", "Please check the API value"},
        {"5 density", [](F& f) { f.density[0] = "1.04"; }, "page 1 density[0]", "Please check the fresh oil density"},
        {"6 density's temperature", [](F& f) { f.densityTemp[0] = ""; }, "page 1 densityTemp[0]",
         "Please enter a temperature for the fresh oil density"},
        {"7 no viscosity", [](F& f) { f.viscosity[0] = ""; }, "page 1 viscosity[0]", "Please enter the fresh oil viscosity"},
        {"8 cSt", [](F& f) { f.viscosity[0] = "0"; }, "page 1 viscosity[0]", "Please check the fresh oil viscosity"},
        {"9 cSt temperature", [](F& f) { f.viscosityTemp[0] = ""; }, "page 1 viscosityTemp[0]",
         "Please enter a temperature for the fresh oil viscosity"},
        {"10 cP", [](F& f) { f.viscosityKind = F::Dynamic; f.viscosity[0] = "0"; }, "page 1 viscosity[0]",
         "Please check the fresh oil viscosity"},
        {"11 cP temperature", [](F& f) { f.viscosityKind = F::Dynamic; f.viscosityTemp[0] = ""; },
         "page 1 viscosityTemp[0]", "Please enter a temperature for the fresh oil viscosity"},
        {"12 refined, cut 2 without temperature",
         [&](F& f) { f.productType = F::Refined; cuts(f, {"10/100", "50/", "95/300"}); },
         "page 2 cutTemp[1]", "Please enter, at minimum, 3 distillation cuts"},
        {"13 cut 3 missing", [&](F& f) { cuts(f, {"10/100", "50/200", "/", "95/300"}); },
         "page 2 cutPercent[2]", "Please check the distillation cut data. Each cut must have both"},
        {"14 last cut too low", [&](F& f) { cuts(f, {"85/200"}); }, "page 2 cutPercent[0]",
         "Please check the distillation cut data. The last cut"},
        {"15 equal temperatures", [&](F& f) { cuts(f, {"10/100", "50/100", "95/300"}); },
         "page 2 cutTemp[1]", "Please check the distillation cut data. Each cut must have a larger"},
        {"15 falling percent", [&](F& f) { cuts(f, {"10/100", "50/200", "40/300"}); },
         "page 2 cutPercent[2]", "Please check the distillation cut data. Each cut must have a larger"},
        {"not a number: density 2", [](F& f) { f.density[1] = "x2"; }, "page 1 density[1]",
         "Please check the density in row 2 (g/cc). \"x2\" is not a number."},
        {"not a number: viscosity 3 % evaporated", [](F& f) { f.viscosityEvaporated[2] = "z"; },
         "page 1 viscosityEvaporated[2]", "Please check the % evaporated of the viscosity in row 3. \"z\" is not"},
        {"not a number: a cut's temperature", [](F& f) { f.cutTemp[4] = "hot"; }, "page 2 cutTemp[4]",
         "Please check the vapor temperature of distillation cut 5 (deg C). \"hot\""},
        {"not a number: the seawater tension", [](F& f) { f.oilSeawaterTension = "abc"; },
         "page 3 oilSeawaterTension", "Please check the oil-seawater interfacial tension (dynes/cm)."},
        {"not a number: the pour point", [](F& f) { f.pourPoint = "cold"; }, "page 1 pourPoint",
         "Please check the pour point (deg C)."},
    };
    ShippedLibrary shipped;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CustomFixture f;
        WriteCustomLibrary(f, shipped, {"Diesel [2002]"});
        ui::CustomOilsController& dialog = f.Dialog();
        ASSERT_TRUE(dialog.Open());
        f.user.add = {ui::AddChoice::Blank};
        f.user.editor.push_back([&](F& form) {
            TypeValidOil(form);
            c.edit(form);
            return true;
        });
        dialog.Add();  // the second run cancels
        EXPECT_EQ(f.user.places, (std::vector<std::string>{"page 0 name", c.place}));
        ASSERT_EQ(f.messages.Entries().size(), 1u);
        EXPECT_EQ(f.messages.Entries()[0].text.rfind(std::string("Problem with the Input\n\n") + c.message, 0), 0u)
            << f.messages.Entries()[0].text;
    }
}

TEST(CustomOils, AFailedSaveReopensTheEditorAndASaveSelectsTheOilSaved) {
    ShippedLibrary shipped;
    CustomFixture f;
    // A header longer than the one a rewrite writes: every oil's offset
    // moves with the save.
    std::vector<std::vector<std::string>> records;
    for (const char* oil : {"Diesel [2002]", "Hibernia", "IFO 180"}) records.push_back(shipped.Record(oil));
    shipped.Write(f.dir, records, "2.5.1\t12/01/2025\ttavro", "CustomLib");
    ui::CustomOilsController& dialog = f.Dialog();
    ASSERT_TRUE(dialog.Open());
    auto selected = [&] {
        const int row = f.controller->SelectedRow();
        return row < 0 ? std::string("none") : f.controller->List().Rows()[static_cast<std::size_t>(row)].name;
    };

    // Edit the second oil; its save fails, the editor comes back with what
    // was typed, and the next save goes through.
    bool failing = true;
    f.custom.SetReplaceFileFunction([&](const std::string& path, std::string_view contents, std::string* error) {
        if (!failing) return platform::SafeReplaceFile(path, contents, error);
        if (error) *error = "the disk is full";
        return false;
    });
    const std::string before = f.Bytes();
    dialog.SetSelectedRow(f.RowOf("Hibernia [2018]"));
    f.user.editor.push_back([](CustomOilEditorForm& form) {
        form.api = "31.5";
        form.synonyms = "typed once";
        return true;
    });
    f.user.editor.push_back([&](CustomOilEditorForm&) {
        EXPECT_EQ(f.Bytes(), before) << "the failed save left the file";
        failing = false;
        return true;
    });
    dialog.Edit();
    ASSERT_EQ(f.user.opened.size(), 2u);
    EXPECT_EQ(f.user.opened[1].api, "31.5");
    EXPECT_EQ(f.user.opened[1].synonyms, "typed once");
    ASSERT_EQ(f.messages.Entries().size(), 1u);
    EXPECT_EQ(f.messages.Entries()[0].text.rfind(ui::kSaveFailedText, 0), 0u);
    EXPECT_NE(f.Bytes().find("typed once"), std::string::npos);
    EXPECT_EQ(selected(), "Hibernia [2018]") << "the oil just edited";
    EXPECT_EQ(f.controller->SelectedRow(), 1);

    // A new oil and a copy: the row of the oil appended.
    f.messages.Clear();
    f.user.add = {ui::AddChoice::Blank, ui::AddChoice::Copy};
    f.user.editor.push_back([](CustomOilEditorForm& form) { return TypeValidOil(form, "Zeta Crude, Lab"); });
    dialog.Add();
    EXPECT_EQ(selected(), "Zeta Crude");
    EXPECT_EQ(f.controller->SelectedRow(), 3);
    dialog.SetSelectedRow(f.RowOf("Diesel [2002]"));
    f.user.editor.push_back([](CustomOilEditorForm&) { return true; });
    dialog.Add();
    EXPECT_EQ(selected(), "Diesel [2002]");
    const auto& rows = f.controller->List().Rows();
    EXPECT_EQ(rows.at(static_cast<std::size_t>(f.controller->SelectedRow())).offset, f.custom.GetIndex()->back().offset)
        << "the copy, not its source";
    EXPECT_TRUE(f.messages.Entries().empty());
}

TEST(CustomOils, IdsOfOneSessionDiffer) {
    document::SessionState session;
    const std::string a = ui::MakeCustomOilId(0x12345678, session);
    const std::string b = ui::MakeCustomOilId(0x12345678, session);
    EXPECT_NE(a, b);
    EXPECT_TRUE(IsOilId(a, "C12345678")) << a;
    EXPECT_TRUE(IsOilId(b, "C12345678")) << b;
    EXPECT_GE(session.customOilFirstClock, 1);
    EXPECT_EQ(session.customOilCounter, 2);
    // The second half: first clock x 65536 + counter, in 32 bits.
    session.customOilFirstClock = 0x10001;
    session.customOilCounter = 4;
    EXPECT_EQ(ui::MakeCustomOilId(std::time_t{0x1FFFFFFFF}, session), "CFFFFFFFF00010005");
}

// ---- The editor's form ----

// A library whose current record is one record of cells by column (no
// file: columns are fields).
struct Record {
    Record()
        : owned(std::make_unique<oillib::COilLibrary>("unused", oillib::OilLibColumnNames,
                                                      oillib::kOilLibColumnCount)),
          lib(*owned) {}
    explicit Record(const std::map<int, std::string>& cells) : Record() {
        for (const auto& [column, text] : cells) lib.SetFieldText(text, column);
    }
    std::string Cell(int column) const { return lib.GetField(lib.ColumnToField(column)); }
    std::unique_ptr<oillib::COilLibrary> owned;
    oillib::COilLibrary& lib;
};

// The record after the editor showed it, the edit changed the form and
// the form was written back.
Record Edited(const std::map<int, std::string>& cells, const std::function<void(CustomOilEditorForm&)>& edit) {
    Record r(cells);
    const ui::OilRecordCopy original = ui::OilRecordCopy::Of(r.lib);
    const CustomOilEditorForm baseline = CustomOilEditorForm::Fill(r.lib);
    CustomOilEditorForm form = baseline;
    edit(form);
    CustomOilEditorForm::WriteBack(form, baseline, original, r.lib);
    return r;
}

TEST(CustomOilForm, ShowsAndStoresInTheUnitsOfEachValue) {
    const std::string longText(300, 'c');
    const std::map<int, std::string> cells = {{1, "Probe, Lab"}, {8, "<"},      {9, "258.15"}, {18, "300.15"},
                                              {19, "310.15"},    {24, "850.1"}, {25, "288.15"}, {11, longText}};
    const CustomOilEditorForm shown = CustomOilEditorForm::Fill(Record(cells).lib);
    EXPECT_EQ(shown.pourPoint, "-15.00");
    EXPECT_EQ(shown.flashPoint, "27.00");
    EXPECT_EQ(shown.density[0], "0.8501");
    EXPECT_EQ(shown.densityTemp[0], "15.00");

    struct Case {
        const char* name;
        std::function<void(CustomOilEditorForm&)> edit;
        std::map<int, std::string> expected;
    };
    const Case cases[] = {
        {"density in g/cc", [](auto& f) { f.density[1] = "0.85"; }, {{27, "850"}}},
        {"fresh density row is at 0 %", [](auto& f) { f.density[0] = "0.86"; }, {{24, "860"}, {26, "0"}}},
        {"cut percent", [](auto& f) { f.cutPercent[0] = "45"; }, {{74, "0.45"}}},
        {"temperature in deg C", [](auto& f) { f.densityTemp[1] = "15"; }, {{28, "288.149994"}}},
        {"pour point edited: Min = Max", [](auto& f) { f.pourPoint = "-15"; }, {{8, "258.149994"}, {9, "258.149994"}}},
        {"pour point untouched keeps \"<\"", [](auto& f) { f.api = "30"; }, {{8, "<"}, {9, "258.15"}, {7, "30"}}},
        {"flash range collapses when edited", [](auto& f) { f.flashPoint = "28"; },
         {{18, "301.149994"}, {19, "301.149994"}}},
        {"emptied value empties its cell", [](auto& f) { f.density[0] = ""; }, {{24, ""}}},
        {"tension in dynes/cm", [](auto& f) { f.oilWaterTension = "27.1"; }, {{20, "0.0271"}}},
        {"name", [](auto& f) { f.name = "Renamed, Lab"; }, {{1, "Renamed, Lab"}}},
        {"a long comment keeps its end", [](auto& f) { f.comments += " more"; }, {{11, longText + " more"}}},
        {"class group 2", [](auto& f) { f.oilClass = 1; }, {{118, "group 2"}}},
        {"weight %", [](auto& f) { f.cutUnits = CustomOilEditorForm::WeightPercent; }, {{117, "weight %"}}},
    };
    for (const Case& c : cases) {
        const Record r = Edited(cells, c.edit);
        for (const auto& [column, text] : c.expected) EXPECT_EQ(r.Cell(column), text) << c.name << ", column " << column;
    }
}

TEST(CustomOilForm, EveryValueTypedIsStoredInItsColumnInSI) {
    // Each value the editor binds to a cell, typed in the unit its label
    // shows, then the cell in SI: g/cc x 1000 (kg/m^3), % x 0.01,
    // dynes/cm x 0.001 (N/m), g/m2 and ppm as typed, deg C + 273.15 (K,
    // six decimals of a single-precision sum). Every value differs, so an
    // exchange or a wrong factor shows.
    using F = CustomOilEditorForm;
    auto kelvin = [](float celsius) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.6f", static_cast<double>(celsius + 273.15f));
        return std::string(buf);
    };
    struct Row {
        std::string name;
        std::function<std::string&(F&)> field;
        std::string typed;
        int column;
        std::string cell;
    };
    std::vector<Row> rows = {
        {"API", [](F& f) -> std::string& { return f.api; }, "31.7", 7, "31.7"},
        {"density 1", [](F& f) -> std::string& { return f.density[0]; }, "0.8123", 24, "812.3"},
        {"density 2", [](F& f) -> std::string& { return f.density[1]; }, "0.8234", 27, "823.4"},
        {"density 3", [](F& f) -> std::string& { return f.density[2]; }, "0.8345", 30, "834.5"},
        {"density 4", [](F& f) -> std::string& { return f.density[3]; }, "0.8456", 33, "845.6"},
        {"density 1 temperature", [](F& f) -> std::string& { return f.densityTemp[0]; }, "15", 25, kelvin(15)},
        {"density 2 temperature", [](F& f) -> std::string& { return f.densityTemp[1]; }, "16", 28, kelvin(16)},
        {"density 3 temperature", [](F& f) -> std::string& { return f.densityTemp[2]; }, "17", 31, kelvin(17)},
        {"density 4 temperature", [](F& f) -> std::string& { return f.densityTemp[3]; }, "18", 34, kelvin(18)},
        {"density 2 % evaporated", [](F& f) -> std::string& { return f.densityEvaporated[1]; }, "5", 29, "0.05"},
        {"density 3 % evaporated", [](F& f) -> std::string& { return f.densityEvaporated[2]; }, "12.5", 32, "0.125"},
        {"density 4 % evaporated", [](F& f) -> std::string& { return f.densityEvaporated[3]; }, "20", 35, "0.2"},
        {"oil-water tension", [](F& f) -> std::string& { return f.oilWaterTension; }, "27.1", 20, "0.0271"},
        {"oil-water tension temperature", [](F& f) -> std::string& { return f.oilWaterTensionTemp; }, "21", 21,
         kelvin(21)},
        {"oil-seawater tension", [](F& f) -> std::string& { return f.oilSeawaterTension; }, "23.4", 22, "0.0234"},
        {"oil-seawater tension temperature", [](F& f) -> std::string& { return f.oilSeawaterTensionTemp; }, "22", 23,
         kelvin(22)},
        {"maximum water content", [](F& f) -> std::string& { return f.waterContent; }, "80", 15, "0.8"},
        {"emulsification constant", [](F& f) -> std::string& { return f.emulsionConstant; }, "65", 17, "0.65"},
        {"adhesion", [](F& f) -> std::string& { return f.adhesion; }, "12.5", 143, "12.5"},
        {"nickel", [](F& f) -> std::string& { return f.nickel; }, "7.25", 153, "7.25"},
        {"vanadium", [](F& f) -> std::string& { return f.vanadium; }, "3.5", 154, "3.5"},
        {"aromatics", [](F& f) -> std::string& { return f.aromatics; }, "30", 14, "0.3"},
        {"asphaltenes", [](F& f) -> std::string& { return f.asphaltenes; }, "4", 12, "0.04"},
        {"benzene", [](F& f) -> std::string& { return f.benzene; }, "0.6", 144, "0.006"},
        {"naphthenes", [](F& f) -> std::string& { return f.naphthenes; }, "21", 145, "0.21"},
        {"paraffins", [](F& f) -> std::string& { return f.paraffins; }, "33", 146, "0.33"},
        {"polars", [](F& f) -> std::string& { return f.polars; }, "9", 147, "0.09"},
        {"resins", [](F& f) -> std::string& { return f.resins; }, "7", 148, "0.07"},
        {"saturates", [](F& f) -> std::string& { return f.saturates; }, "55", 149, "0.55"},
        {"sulfur", [](F& f) -> std::string& { return f.sulfur; }, "1.2", 150, "0.012"},
        {"wax content", [](F& f) -> std::string& { return f.wax; }, "6", 13, "0.06"},
    };
    // Cut i (1-15): 5 i + 11 % ("0.16" to "0.86") at 100 + 10 i deg C.
    for (int i = 1; i <= 15; ++i) {
        const std::size_t k = static_cast<std::size_t>(i - 1);
        char name[32], percent[8], fraction[8], celsius[8];
        std::snprintf(name, sizeof name, "cut %d", i);
        std::snprintf(percent, sizeof percent, "%d", 5 * i + 11);
        std::snprintf(fraction, sizeof fraction, "0.%d", 5 * i + 11);
        std::snprintf(celsius, sizeof celsius, "%d", 100 + 10 * i);
        rows.push_back({std::string(name) + " %", [k](F& f) -> std::string& { return f.cutPercent[k]; }, percent,
                        74 + 3 * (i - 1), fraction});
        rows.push_back({std::string(name) + " temperature", [k](F& f) -> std::string& { return f.cutTemp[k]; },
                        celsius, 72 + 3 * (i - 1), kelvin(static_cast<float>(100 + 10 * i))});
    }
    const Record r = Edited({{1, "Probe, Lab"}}, [&](F& f) {
        for (const Row& row : rows) row.field(f) = row.typed;
    });
    for (const Row& row : rows) EXPECT_EQ(r.Cell(row.column), row.cell) << row.name << ", column " << row.column;
}

TEST(CustomOilForm, ListsAreStoredAsShownUnlessTheCellAlreadyReadsSo) {
    struct Case {
        const char* name;
        std::map<int, std::string> cells;
        int productType, oilClass, cutUnits;  // shown
        std::string type, cls, units;          // stored after an untouched save
    };
    const Case cases[] = {
        {"capitals stay", {{10, "CRUDE"}, {118, "Group 3"}, {117, "Weight"}}, 0, 2, 1, "CRUDE", "Group 3", "Weight"},
        {"empty cells take the choice shown", {{1, "x"}}, 1, 4, 0, "refined", "group 5", "volume %"},
        {"unknown texts too", {{10, "crude oil"}, {118, "heavy"}, {117, "mass"}}, 1, 4, 0, "refined", "group 5",
         "volume %"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CustomOilEditorForm shown = CustomOilEditorForm::Fill(Record(c.cells).lib);
        EXPECT_EQ(shown.productType, c.productType);
        EXPECT_EQ(shown.oilClass, c.oilClass);
        EXPECT_EQ(shown.cutUnits, c.cutUnits);
        const Record r = Edited(c.cells, [](auto&) {});
        EXPECT_EQ(r.Cell(10), c.type);
        EXPECT_EQ(r.Cell(118), c.cls);
        EXPECT_EQ(r.Cell(117), c.units);
    }
}

TEST(CustomOilForm, ViscosityRowsFollowTheKind) {
    std::map<int, std::string> both = {{36, "0.0000125"}, {37, "288.15"}, {39, "0.00003"}, {40, "273.15"},
                                       {41, "0.1"},       {54, "0.011"},  {55, "288.15"}};
    const CustomOilEditorForm shown = CustomOilEditorForm::Fill(Record(both).lib);
    EXPECT_EQ(shown.viscosityKind, CustomOilEditorForm::Kinematic);
    EXPECT_EQ(shown.viscosity[0], "12.50");
    EXPECT_EQ(shown.viscosityEvaporated[1], "10.0");

    // Untouched: both kinds stay.
    Record untouched = Edited(both, [](auto&) {});
    EXPECT_EQ(untouched.Cell(54), "0.011");
    EXPECT_EQ(untouched.Cell(36), "0.0000125");

    // A kinematic row edited: the dynamic columns are emptied.
    Record edited = Edited(both, [](auto& f) { f.viscosity[1] = "31"; });
    EXPECT_EQ(edited.Cell(39), "3.1e-05");
    EXPECT_EQ(edited.Cell(38), "0");
    for (int c = 54; c <= 71; ++c) EXPECT_EQ(edited.Cell(c), "") << c;

    // Dynamic chosen: the numbers typed, over 1000, in the dynamic columns.
    Record dynamic = Edited(both, [](auto& f) { f.viscosityKind = CustomOilEditorForm::Dynamic; });
    EXPECT_EQ(dynamic.Cell(54), "0.0125");
    EXPECT_EQ(dynamic.Cell(55), "288.149994");
    EXPECT_EQ(dynamic.Cell(56), "0");
    EXPECT_EQ(dynamic.Cell(57), "0.03");
    EXPECT_EQ(dynamic.Cell(59), "0.1");
    for (int c = 36; c <= 53; ++c) EXPECT_EQ(dynamic.Cell(c), "") << c;

    // A dynamic-only record shows the dynamic rows in cP.
    const CustomOilEditorForm cp = CustomOilEditorForm::Fill(Record({{54, "0.011"}}).lib);
    EXPECT_EQ(cp.viscosityKind, CustomOilEditorForm::Dynamic);
    EXPECT_EQ(cp.viscosity[0], "11.00");
}

TEST(CustomOilForm, EachWriteBackStartsFromTheRecordBeforeTheEditor) {
    Record r({{1, "Oil, Lab"}, {7, "33.94"}, {24, "850.1"}});
    const ui::OilRecordCopy original = ui::OilRecordCopy::Of(r.lib);
    const CustomOilEditorForm baseline = CustomOilEditorForm::Fill(r.lib);
    CustomOilEditorForm form = baseline;
    form.api = "20";
    CustomOilEditorForm::WriteBack(form, baseline, original, r.lib);
    EXPECT_EQ(r.Cell(7), "20");
    form.api = baseline.api;  // changed back in a later run of the editor
    CustomOilEditorForm::WriteBack(form, baseline, original, r.lib);
    EXPECT_EQ(r.Cell(7), "33.94") << "the cell's own precision";
}

// Every column's text of the current record.
std::vector<std::string> Cells(const oillib::COilLibrary& lib) {
    std::vector<std::string> out;
    for (int c = 1; c <= oillib::kOilLibColumnCount; ++c) out.push_back(lib.GetField(lib.ColumnToField(c)));
    return out;
}

TEST(CustomOilForm, AnUntouchedSaveChangesNoCellOfAnyShippedOil) {
    oillib::COilLibrary standard(document_test::StandardLibraryPath(), oillib::OilLibColumnNames,
                                 oillib::kOilLibColumnCount);
    ASSERT_EQ(standard.LoadIndex(), 0);
    ASSERT_GT(standard.GetIndex()->size(), 40u);
    const std::vector<oillib::SOilLibCell> index = *standard.GetIndex();
    for (const oillib::SOilLibCell& cell : index) {
        SCOPED_TRACE(cell.name);
        Record r;
        ASSERT_EQ(r.lib.CopyFieldsFrom(&standard, cell.offset), 0);
        const std::vector<std::string> before = Cells(r.lib);
        const ui::OilRecordCopy original = ui::OilRecordCopy::Of(r.lib);
        const CustomOilEditorForm baseline = CustomOilEditorForm::Fill(r.lib);
        CustomOilEditorForm::WriteBack(baseline, baseline, original, r.lib);
        std::vector<std::string> after = Cells(r.lib);
        // The lists' cells that read as no choice take the one shown (the
        // shipped oils have no class).
        std::vector<std::string> expected = before;
        if (expected[117].empty()) expected[117] = "group 5";
        if (expected[116].empty()) expected[116] = "volume %";
        for (std::size_t c = 0; c < after.size(); ++c) EXPECT_EQ(after[c], expected[c]) << "column " << c + 1;
        EXPECT_TRUE(ui::CustomOilValidator::Check(r.lib).ok()) << ui::CustomOilValidator::Check(r.lib).text;
    }
}

// ---- The checks of a custom oil ----

TEST(CustomOilValidator, TheFirstRuleThatFailsDecides) {
    const std::map<int, std::string> valid = {{1, "Test Crude, Lab"}, {7, "30"},      {10, "crude"},
                                              {24, "850"},            {25, "288.15"}, {36, "0.0000125"},
                                              {37, "288.15"}};
    // Three increasing cuts, the last above 548 K.
    const std::map<int, std::string> cuts = {{74, "0.1"}, {72, "350"}, {77, "0.5"}, {75, "450"}, {80, "0.8"},
                                             {78, "560"}};
    struct Case {
        const char* name;
        std::map<int, std::string> changes;  // "" empties a cell
        bool withCuts;
        int rule;
    };
    const Case cases[] = {
        {"valid, no cuts", {}, false, 0},
        {"valid, three cuts", {}, true, 0},
        {"no name", {{1, ""}}, false, 1},
        {"a name of blanks", {{1, "   "}}, false, 1},
        {"quotes only", {{1, "\"\""}}, false, 1},
        {"a name beginning with a comma", {{1, "  , Lab"}}, false, 2},
        {"no API, no density", {{7, ""}, {24, ""}}, false, 3},
        {"API 6", {{7, "6"}}, false, 0},
        {"API 100", {{7, "100"}}, false, 0},
        {"API 5.99", {{7, "5.99"}}, false, 4},
        {"API 100.01", {{7, "100.01"}}, false, 4},
        {"density 0.61", {{24, "610"}}, false, 0},
        {"density 1.03", {{24, "1030"}}, false, 0},
        {"density 0.6099", {{24, "609.9"}}, false, 5},
        {"density 1.0301", {{24, "1030.1"}}, false, 5},
        {"API only", {{24, ""}, {25, ""}}, false, 0},
        {"density without its temperature", {{25, ""}}, false, 6},
        {"no viscosity", {{36, ""}, {37, ""}}, false, 7},
        {"1,000,000 cSt", {{36, "1"}}, false, 0},
        {"2,000,000 cSt", {{36, "2"}}, false, 8},
        {"0 cSt", {{36, "0"}}, false, 8},
        {"4e-9 m2/s reads 0.00 cSt", {{36, "0.000000004"}}, false, 8},
        {"kinematic without its temperature", {{37, ""}}, false, 9},
        {"dynamic only", {{36, ""}, {37, ""}, {54, "0.011"}, {55, "288.15"}}, false, 0},
        {"dynamic 0 cP", {{36, ""}, {37, ""}, {54, "0"}, {55, "288.15"}}, false, 10},
        {"dynamic above 1,000,000 cP", {{36, ""}, {37, ""}, {54, "1001"}, {55, "288.15"}}, false, 10},
        {"dynamic without its temperature", {{36, ""}, {37, ""}, {54, "0.011"}}, false, 11},
        {"kinematic decides over a bad dynamic", {{54, "0"}}, false, 0},
        {"refined without cuts", {{10, "Refined"}}, false, 12},
        {"refined with two cuts", {{10, "refined"}, {80, ""}, {78, ""}}, true, 12},
        {"refined with three", {{10, "refined"}}, true, 0},
        {"cuts 1, 2 and 4", {{80, ""}, {78, ""}, {83, "0.95"}, {81, "600"}}, true, 13},
        {"a cut without its temperature", {{75, ""}}, true, 13},
        {"last cut exactly 0.9 below 548 K", {{80, "0.9"}, {78, "500"}}, true, 0},
        {"last cut 85 % at 500 K", {{80, "0.85"}, {78, "500"}}, true, 14},
        {"last cut 85 % at 560 K", {{80, "0.85"}, {78, "560"}}, true, 0},
        {"last cut at exactly 548 K", {{80, "0.85"}, {78, "548"}}, true, 0},
        {"equal temperatures", {{75, "350"}}, true, 15},
        {"equal fractions", {{77, "0.1"}}, true, 15},
        {"falling fraction", {{77, "0.05"}}, true, 15},
    };
    const char* texts[] = {
        "",
        "Please provide a name for the oil or product.",
        "Please change the name of the oil or product. TAVRO cannot handle a name beginning with a comma.",
        "Please enter either (a) the API or (b) the fresh oil density. TAVRO requires, at minimum, one of these "
        "properties.",
        "Please check the API value. The API must be between 6 and 100.",
        "Please check the fresh oil density value. The density must be between 0.61 and 1.03.",
        "Please enter a temperature for the fresh oil density.",
        "Please enter the fresh oil viscosity. TAVRO requires this property.",
        "Please check the fresh oil viscosity value. The viscosity must be between 0 and 1,000,000 cSt.",
        "Please enter a temperature for the fresh oil viscosity.",
        "Please check the fresh oil viscosity value. The viscosity must be between 0 and 1,000,000 cP.",
        "Please enter a temperature for the fresh oil viscosity.",
        "Please enter, at minimum, 3 distillation cuts. TAVRO requires distillation data for refined products.",
        "Please check the distillation cut data. Each cut must have both a percent and temperature value.",
        "Please check the distillation cut data. The last cut must be either (a) greater than 90%, or (b) greater "
        "than 275 degrees C (527 deg F).",
        "Please check the distillation cut data. Each cut must have a larger percent and temperature value than the "
        "previous cut.",
    };
    for (const Case& c : cases) {
        std::map<int, std::string> cells = valid;
        if (c.withCuts) cells.insert(cuts.begin(), cuts.end());
        for (const auto& [column, text] : c.changes) cells[column] = text;
        const Record r(cells);
        const ui::CustomOilCheck check = ui::CustomOilValidator::Check(r.lib);
        EXPECT_EQ(check.rule, c.rule) << c.name;
        EXPECT_EQ(check.text, texts[c.rule]) << c.name;
    }
}

}  // namespace
