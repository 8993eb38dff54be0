// Entry point of the GUI tests: sets up a new user's folders, the toolkit
// and the program's application object, then runs the tests under it.
#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/init.h>
#include <wx/stdpaths.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "ui/common/HelpMessageDialog.h"
#include "gui_support.h"
#include "tests/test_temp_dir.h"
// What the program's entry point registers (tests run against the program
// as it ships).
#include "app/Wiring.h"

namespace gui_test {

namespace fs = std::filesystem;

namespace {
platform::RecordingMessages g_messages;
std::string g_runFolder;
std::string g_exeFolder;
int g_assertionsOutsideTests = 0;

// A toolkit assertion is a dialog for the user: the running test fails with
// its text; one outside any test is printed, counted and fails the run.
void FailOnAssertion(const wxString& file, int line, const wxString& function, const wxString& condition,
                     const wxString& message) {
    const std::string text = "toolkit assertion \"" + condition.utf8_string() + "\" failed in " +
                             function.utf8_string() + (message.empty() ? "" : ": " + message.utf8_string());
    if (::testing::UnitTest::GetInstance()->current_test_info()) {
        ADD_FAILURE_AT(file.utf8_string().c_str(), line) << text;
    } else {
        std::fprintf(stderr, "%s:%d: %s\n", file.utf8_string().c_str(), line, text.c_str());
        ++g_assertionsOutsideTests;
    }
}
}  // namespace

platform::RecordingMessages& Messages() { return g_messages; }
const std::string& RunFolder() { return g_runFolder; }

void Pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
    }
}

void Command(int id) {
    ASSERT_NE(app::TheApp().MainFrame(), nullptr);
    wxCommandEvent e(wxEVT_MENU, id);
    e.SetEventObject(app::TheApp().MainFrame());
    app::TheApp().MainFrame()->GetEventHandler()->ProcessEvent(e);
    Pump();
}

std::string Screenshot(wxWindow* window, const std::string& name) {
    std::string folder;
    if (const char* dir = std::getenv("TAVRO_SHOTS_DIR"); dir && *dir)
        folder = dir;
    else
        folder = g_exeFolder + "/gui-smoke";
    const std::string path = folder + "/" + name + ".png";
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    window->Raise();
    window->Refresh();
    window->Update();
    // The toolkit paints on its frame clock: give it time to show the
    // window as it is now.
    for (int i = 0; i < 25; ++i) {
        Pump(1);
        wxMilliSleep(20);
    }
    const wxRect r = window->GetScreenRect();
    // The X server's pixels, as a user sees them (the toolkit's own screen
    // context misses what GTK 3 drew since); the toolkit's copy otherwise.
    const std::string grab = "import -window root -crop " + std::to_string(r.width) + "x" +
                             std::to_string(r.height) + "+" + std::to_string(r.x) + "+" + std::to_string(r.y) +
                             " +repage '" + path + "' 2>/dev/null";
    if (std::system("command -v import >/dev/null 2>&1") != 0 || std::system(grab.c_str()) != 0) {
        wxBitmap bitmap(r.width, r.height, 24);
        {
            wxScreenDC screen;
            wxMemoryDC mem(bitmap);
            mem.Blit(0, 0, r.width, r.height, &screen, r.x, r.y);
        }
        if (!bitmap.SaveFile(path, wxBITMAP_TYPE_PNG)) return {};
    }
    std::printf("screenshot: %s\n", path.c_str());
    return path;
}

namespace {
// The toolkit's own calls, looked up in the running program.
template <class F>
F Gtk(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

struct MnemonicWalk {
    using Widget = void*;
    using Callback = void (*)(Widget, void*);
    using ForAll = void (*)(Widget, Callback, void*);
    using TypeOf = unsigned long (*)();
    using IsA = int (*)(Widget, unsigned long);
    using KeyOf = unsigned (*)(Widget);
    using Mapped = int (*)(Widget);
    using LabelOf = const char* (*)(Widget);
    using Unicode = std::uint32_t (*)(unsigned);

    ForAll forAll = Gtk<ForAll>("gtk_container_forall");
    IsA isA = Gtk<IsA>("g_type_check_instance_is_a");
    TypeOf containerType = Gtk<TypeOf>("gtk_container_get_type");
    TypeOf labelType = Gtk<TypeOf>("gtk_label_get_type");
    KeyOf keyOf = Gtk<KeyOf>("gtk_label_get_mnemonic_keyval");
    Mapped mapped = Gtk<Mapped>("gtk_widget_get_mapped");
    LabelOf labelOf = Gtk<LabelOf>("gtk_label_get_label");
    Unicode unicode = Gtk<Unicode>("gdk_keyval_to_unicode");
    std::vector<ShownMnemonic> found;

    bool Usable() const {
        return forAll && isA && containerType && labelType && keyOf && mapped && labelOf && unicode;
    }
    void Visit(Widget w) {
        if (!mapped(w)) return;
        if (isA(w, labelType())) {
            constexpr unsigned kNoKey = 0xffffff;
            if (const unsigned key = keyOf(w); key != kNoKey) {
                const wxString ch(wxUniChar(unicode(key)));
                found.push_back({ch.Lower().utf8_string(), labelOf(w) ? labelOf(w) : ""});
            }
        }
        if (isA(w, containerType()))
            forAll(w, [](Widget child, void* self) { static_cast<MnemonicWalk*>(self)->Visit(child); }, this);
    }
};
}  // namespace

std::vector<ShownMnemonic> ShownMnemonics(wxWindow* window) {
    MnemonicWalk walk;
    if (!walk.Usable()) {
        ADD_FAILURE() << "the toolkit's label calls are not found";
        return {};
    }
    if (window && window->GetHandle()) walk.Visit(window->GetHandle());
    return walk.found;
}

void Click(wxWindow* dialog, int id) {
    wxWindow* control = dialog->FindWindow(id);
    ASSERT_NE(control, nullptr) << "no control " << id << " in \"" << dialog->GetLabel().utf8_string() << "\"";
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(control);
    control->GetEventHandler()->ProcessEvent(click);
}

void TypeInto(wxTextCtrl* field, const std::string& text) {
    ASSERT_NE(field, nullptr);
    field->SetFocus();
    field->SetValue(wxString::FromUTF8(text));  // sends the text event
    field->SetSelection(-1, -1);
    Pump(1);
}

void ChooseItem(wxChoice* list, int index) {
    ASSERT_NE(list, nullptr);
    ASSERT_GE(index, 0);
    ASSERT_LT(index, static_cast<int>(list->GetCount()));
    list->SetSelection(index);
    wxCommandEvent e(wxEVT_CHOICE, list->GetId());
    e.SetEventObject(list);
    e.SetInt(index);
    e.SetString(list->GetString(static_cast<unsigned>(index)));
    list->GetEventHandler()->ProcessEvent(e);
    Pump(1);
}

void SetTicked(wxCheckBox* box, bool ticked) {
    ASSERT_NE(box, nullptr);
    box->SetValue(ticked);
    wxCommandEvent e(wxEVT_CHECKBOX, box->GetId());
    e.SetEventObject(box);
    e.SetInt(ticked ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(e);
    Pump(1);
}

void ChooseOption(wxRadioButton* option) {
    ASSERT_NE(option, nullptr);
    option->SetValue(true);
    wxCommandEvent e(wxEVT_RADIOBUTTON, option->GetId());
    e.SetEventObject(option);
    e.SetInt(1);
    option->GetEventHandler()->ProcessEvent(e);
    Pump(1);
}

void ExpectOkStores(const std::vector<StoredField>& fields, const std::function<void()>& ok,
                    const std::function<bool()>& closed) {
    for (const StoredField& f : fields) f.set();
    ok();
    Pump(2);
    std::string shown;
    for (const std::string& t : Messages().Texts()) shown += "\n[" + t + "]";
    ASSERT_TRUE(closed()) << "OK did not close the dialog; messages:" << shown;
    for (const StoredField& f : fields) {
        const double got = f.stored();
        EXPECT_NEAR(got, f.expected, 1e-9 * std::max(1.0, std::fabs(f.expected))) << f.name;
    }
}

Ink InkOf(const std::string& png, wxWindow* shot, wxWindow* part, unsigned char r, unsigned char g,
          unsigned char b) {
    Ink ink;
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    wxImage image;
    if (png.empty() || !image.LoadFile(png, wxBITMAP_TYPE_PNG)) {
        ADD_FAILURE() << "cannot read the screenshot " << png;
        return ink;
    }
    wxRect area = part->GetScreenRect();
    area.Offset(-shot->GetScreenRect().GetPosition());
    area.Intersect(wxRect(0, 0, image.GetWidth(), image.GetHeight()));
    for (int y = area.GetTop(); y <= area.GetBottom(); ++y)
        for (int x = area.GetLeft(); x <= area.GetRight(); ++x) {
            const unsigned char pr = image.GetRed(x, y), pg = image.GetGreen(x, y), pb = image.GetBlue(x, y);
            if (pr == r && pg == g && pb == b) ++ink.ofColour;
            if (pr * 299 + pg * 587 + pb * 114 < 100 * 1000) ++ink.dark;
        }
    return ink;
}

void Settle() {
    for (int i = 0; i < 20; ++i) {
        Pump(1);
        wxMilliSleep(20);
    }
}

void PressF1(wxWindow* window) {
    window->Raise();
    window->SetFocus();
    Settle();
    wxUIActionSimulator keys;
    keys.Char(WXK_F1);
    Settle();
}

namespace {
// The dialogs running modally, innermost last, as the toolkit opens and
// ends them. Only the innermost one's loop can end: a dialog under it that
// is ended hides, but its ShowModal never returns. While dialogs are being
// closed, no new one is shown (ShowModal returns the closing code at once),
// so the test runs on to its end instead of waiting in a dialog.
class ModalStack final : public wxModalDialogHook {
public:
    ModalStack() {
        Register();
        closer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { CloseNext(); });
    }
    ~ModalStack() override { Unregister(); }

    // Ends the innermost dialog now and the ones under it as their turn
    // comes; refuses new ones until none is left.
    void CloseAll(int code) {
        code_ = code;
        closing_ = true;
        CloseNext();
        if (closing_) closer_.Start(50);
    }

protected:
    int Enter(wxDialog* dialog) override {
        if (closing_) return code_;
        open_.push_back(dialog);
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override {
        if (auto it = std::find(open_.rbegin(), open_.rend(), dialog); it != open_.rend())
            open_.erase(std::next(it).base());
        if (closing_ && open_.empty()) {
            closer_.Stop();
            closing_ = false;
        }
    }

private:
    static bool Alive(wxDialog* d) {
        return std::find(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), d) != wxTopLevelWindows.end();
    }
    void CloseNext() {
        std::erase_if(open_, [](wxDialog* d) { return !Alive(d); });
        // An innermost dialog already ended returns first: the next waits.
        if (!open_.empty() && open_.back()->IsModal()) open_.back()->EndModal(code_);
        if (!std::any_of(open_.begin(), open_.end(), [](wxDialog* d) { return d->IsModal(); })) {
            closer_.Stop();
            closing_ = false;
        }
    }

    std::vector<wxDialog*> open_;
    wxTimer closer_;
    bool closing_ = false;
    int code_ = wxID_CLOSE;
};
ModalStack* g_modals = nullptr;

// A fatal failure inside a step posted to a dialog returns from that step
// and leaves its dialogs up: they are closed, and the test goes on to fail.
class CloseDialogsOnFatalFailure final : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.fatally_failed() || !wxTheApp) return;
        const bool inDialog = std::any_of(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), [](wxWindow* w) {
            auto* d = dynamic_cast<wxDialog*>(w);
            return d && d->IsModal();
        });
        if (inDialog) wxTheApp->CallAfter([] { EndModalDialogs(wxID_CLOSE); });
    }
};
}  // namespace

void EndModalDialogs(int code) {
    if (g_modals) g_modals->CloseAll(code);
}

std::string HelpCaptionOf(const std::function<void()>& action) {
    std::string caption;
    // Looks for the help dialog until the action is over: it may open at
    // once or only when a key pressed reaches the program.
    wxTimer look;
    look.Bind(wxEVT_TIMER, [&caption](wxTimerEvent&) {
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* help = dynamic_cast<ui::HelpMessageDialog*>(w); help && help->IsModal()) {
                caption = help->GetTitle().utf8_string();
                help->EndModal(wxID_CANCEL);
            }
    });
    look.Start(20);
    action();
    look.Stop();
    return caption;
}

FileChooserAnswer::FileChooserAnswer(std::string path) : path_(std::move(path)) { Register(); }

FileChooserAnswer::~FileChooserAnswer() { Unregister(); }

int FileChooserAnswer::Enter(wxDialog* dialog) {
    auto* chooser = dynamic_cast<wxFileDialog*>(dialog);
    if (!chooser || chooser == current_) return wxID_NONE;  // the chooser's show passes here twice
    current_ = chooser;
    answered_.push_back(chooser->GetMessage().utf8_string());
    // The chooser shows; once it has taken the path (the toolkit changes
    // folders in its own time) Save is pressed, as a user would.
    const wxString path = wxString::FromUTF8(path_);
    auto typed = std::make_shared<bool>(false);
    auto answer = std::make_shared<wxTimer>();
    answer->Bind(wxEVT_TIMER, [chooser, path, typed, answer, tries = 0](wxTimerEvent&) mutable {
        if (!chooser->IsModal()) return answer->Stop();
        if (!*typed) {
            chooser->SetPath(path);
            *typed = true;
            return;
        }
        if (chooser->GetPath() != path && ++tries < 100) return;
        answer->Stop();
        using Response = void (*)(void*, int);
        static auto respond = reinterpret_cast<Response>(dlsym(RTLD_DEFAULT, "gtk_dialog_response"));
        constexpr int kAccept = -3;  // the toolkit's "accept" response: Save
        if (respond) respond(chooser->GetHandle(), kAccept);
        else chooser->EndModal(wxID_OK);
    });
    answer->Start(50);
    return wxID_NONE;
}

void FileChooserAnswer::Exit(wxDialog* dialog) {
    if (dialog == current_) current_ = nullptr;
}

DialogTestGuard::DialogTestGuard() {
    watchdog_.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* d = dynamic_cast<wxDialog*>(w); d && d->IsModal())
                ADD_FAILURE() << "\"" << d->GetTitle().utf8_string() << "\" still open: closed by the watchdog";
        EndModalDialogs(wxID_CLOSE);
    });
    watchdog_.Start(30000);
}

DialogTestGuard::~DialogTestGuard() {
    watchdog_.Stop();
    if (app::CMainFrame* frame = app::TheApp().MainFrame(); frame && frame->CurrentDoc())
        frame->CurrentDoc()->Core().SetModified(false);
}

void GuiTest::Start(app::CTAVRO2App::Options options) {
    Messages().Clear();
    App().SetMessages(&Messages());
    // Each test its own settings: a layout one test leaves is not the next
    // one's start.
    if (options.configPath.empty()) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "none";
        options.configPath = RunFolder() + "/config/" + name + "/tavro2.conf";
    }
    ASSERT_TRUE(App().Start(options));
    Pump();
}

void GuiTest::TearDown() {
    App().Stop();
    Pump();
}

}  // namespace gui_test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    namespace fs = std::filesystem;
    std::error_code ec;
    gui_test::g_exeFolder = fs::read_symlink("/proc/self/exe", ec).parent_path().string();
    if (ec) gui_test::g_exeFolder = fs::absolute(fs::path(argv[0]), ec).parent_path().lexically_normal().string();

    // A new user: every folder the program writes is temporary.
    const tavro_test::TempDir run("tavro2-gui");
    if (run.Path().empty()) return 2;
    gui_test::g_runFolder = run.Path().string();
    const std::string home = gui_test::g_runFolder + "/home";
    fs::create_directories(home + "/Documents", ec);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
    setenv("TZ", "UTC", 1);
    fs::current_path(gui_test::g_runFolder, ec);

    wxSetAssertHandler(gui_test::FailOnAssertion);
    auto* application = new app::CTAVRO2App;
    wxApp::SetInstance(application);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    if (!wxEntryStart(wxArgc, wxArgv)) {
        std::fprintf(stderr, "cannot start the toolkit (no display?)\n");
        return 2;
    }
    wxSetAssertHandler(gui_test::FailOnAssertion);  // whatever the toolkit's start put in place
    app::RegisterProgramParts();
    int rc = 0;
    {
        wxEventLoop loop;
        wxEventLoopActivator active(&loop);
        gui_test::ModalStack modals;
        gui_test::g_modals = &modals;
        ::testing::UnitTest::GetInstance()->listeners().Append(new gui_test::CloseDialogsOnFatalFailure);
        rc = RUN_ALL_TESTS();
        gui_test::g_modals = nullptr;
        application->OnExit();
    }
    wxEntryCleanup();
    if (gui_test::g_assertionsOutsideTests > 0) {
        std::fprintf(stderr, "%d toolkit assertion(s) outside the tests\n", gui_test::g_assertionsOutsideTests);
        if (rc == 0) rc = 1;
    }
    return rc;
}
