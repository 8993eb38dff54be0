// Shared support of the GUI tests: the program's application object runs
// inside the test process (see gui_main.cpp); a fixture starts and stops
// its windows per test, pumps events and saves screenshots.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/modalhook.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include "app/TavroApp.h"
#include "oillib/OilLibrary.h"
#include "platform/Help.h"
#include "platform/Messages.h"

namespace gui_test {

// The stored scenario the tests open (1000 bbl released at once).
inline const std::string kStoredScenario = std::string(TAVRO_TEST_DATA_DIR) + "/document/instant_1000bbl.tvr";

// Every message box of the program goes here instead of the screen.
platform::RecordingMessages& Messages();
// A folder of this test run (HOME, XDG folders and configs live in it).
const std::string& RunFolder();

// Handles pending events and idle time a few times.
void Pump(int rounds = 5);
// Sends a menu command to the main frame, as a click on the menu would.
void Command(int id);

// Saves the window (whole screen area it covers) as <shots>/<name>.png;
// <shots> is $TAVRO_SHOTS_DIR, else gui-smoke beside the test program; a
// name with folders ("oils/list") makes them.
// Returns the file written, or "" on failure.
std::string Screenshot(wxWindow* window, const std::string& name);

// The shown top-level window of type T (a dialog up), or null.
template <class T>
T* ShownWindow() {
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* t = dynamic_cast<T*>(w); t && t->IsShown()) return t;
    return nullptr;
}

// What a screenshot shows inside part of it: pixels darker than a light
// grey (text, lines), and pixels of one colour.
struct Ink {
    int dark = 0;
    int ofColour = 0;
};
// The ink of the rectangle of `part` (a window inside `shot`, or shot
// itself) in the screenshot of `shot` saved at png. The colour counted is
// (r, g, b).
Ink InkOf(const std::string& png, wxWindow* shot, wxWindow* part, unsigned char r = 0, unsigned char g = 0,
          unsigned char b = 0);

// A mnemonic a window shows: its key (lower case) and the label that holds
// it as the toolkit shows it ("_Cancel" for the stock Cancel button).
struct ShownMnemonic {
    std::string key;  // the character, UTF-8
    std::string label;
};
// The mnemonics of every label of the window on screen now (buttons, boxes,
// options, texts, group frames; stock buttons as the toolkit labels them),
// disabled ones included; labels of hidden pages and panels are left out.
std::vector<ShownMnemonic> ShownMnemonics(wxWindow* window);

// Sends a button click to the control of a dialog, as a click would.
void Click(wxWindow* dialog, int id);
// A user's edits of one control: the value put in, then the event the
// control sends (text changed, list chosen, box ticked or cleared, option
// chosen), so the dialog reacts as it would to a user.
void TypeInto(wxTextCtrl* field, const std::string& text);
void ChooseItem(wxChoice* list, int index);
void SetTicked(wxCheckBox* box, bool ticked);
void ChooseOption(wxRadioButton* option);

// One control of a dialog and what OK must store from it. A test gives
// every control a value of its own (none at its default, no two alike that
// could be exchanged), presses OK and compares the scenario field by field:
// a control read from the wrong list or stored in the wrong field shows.
struct StoredField {
    std::string name;                   // printed on failure
    std::function<void()> set;          // puts the value in the control
    std::function<double()> stored;     // the field of the scenario after OK
    double expected;
};
// Sets every field in order, presses OK through `ok`, and expects each
// stored value (to 1e-9, relative) under its name; `closed` tells whether
// the dialog ended with OK.
void ExpectOkStores(const std::vector<StoredField>& fields, const std::function<void()>& ok,
                    const std::function<bool()>& closed);

// Gives the window the keyboard focus and presses F1 on the keyboard,
// through the X server as a user would.
void PressF1(wxWindow* window);
// Lets the X server deliver simulated keys and the toolkit handle them.
void Settle();

// Closes every dialog still running modally with the code.
void EndModalDialogs(int code);
// Closes every dialog still running modally on leaving a scope (a check in
// a posted call that failed and returned early).
struct EndModalsOnExit {
    ~EndModalsOnExit() { EndModalDialogs(wxID_CLOSE); }
};

// The caption of the help dialog an action opens (closed again at once);
// empty when it opens none. The dialog may open while the action runs or
// once the keys it pressed arrive.
std::string HelpCaptionOf(const std::function<void()>& action);

// The help the program's parts use, for a scope; the one before comes back.
class ScopedDefaultHelp {
public:
    explicit ScopedDefaultHelp(platform::IHelp& help) : previous_(&platform::DefaultHelp()) {
        platform::SetDefaultHelp(&help);
    }
    ~ScopedDefaultHelp() { platform::SetDefaultHelp(previous_); }
    ScopedDefaultHelp(const ScopedDefaultHelp&) = delete;
    ScopedDefaultHelp& operator=(const ScopedDefaultHelp&) = delete;

private:
    platform::IHelp* previous_;
};

// Answers every file chooser the program opens in the scope with a path,
// as a user typing it and pressing Save would; other dialogs show as usual.
class FileChooserAnswer final : public wxModalDialogHook {
public:
    explicit FileChooserAnswer(std::string path);
    ~FileChooserAnswer() override;
    FileChooserAnswer(const FileChooserAnswer&) = delete;
    FileChooserAnswer& operator=(const FileChooserAnswer&) = delete;
    // The titles of the choosers answered, in order.
    const std::vector<std::string>& Answered() const { return answered_; }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    std::string path_;
    wxDialog* current_ = nullptr;
    std::vector<std::string> answered_;
};

// The program's custom library, removed before and after the test.
struct FreshCustomLibrary {
    explicit FreshCustomLibrary(oillib::COilLibrary& lib) : lib(lib) { Remove(); }
    ~FreshCustomLibrary() { Remove(); }
    void Remove() {
        std::error_code ec;
        std::filesystem::remove(lib.GetPath(), ec);
        std::filesystem::remove(lib.GetBackupPath(), ec);
        lib.Reset();
    }
    oillib::COilLibrary& lib;
};

// Guards a test that opens dialogs whatever happens in it: a dialog still
// running modally after 30 s is closed with a failure (no test waits for a
// user who is not there), and on leaving, the scenario is unmodified
// (closing the program asks nothing). Stand-in dialogs are put in place
// with ui::ScopedDialog, which gives the real one back.
class DialogTestGuard {
public:
    DialogTestGuard();
    ~DialogTestGuard();
    DialogTestGuard(const DialogTestGuard&) = delete;
    DialogTestGuard& operator=(const DialogTestGuard&) = delete;

private:
    wxTimer watchdog_;
};

class GuiTest : public ::testing::Test {
protected:
    app::CTAVRO2App& App() { return app::TheApp(); }
    // Starts the program's windows (no splash unless asked: a splash on top
    // takes the first key or click and the keyboard focus, and closes on its
    // own timer in the middle of a later test step).
    static app::CTAVRO2App::Options NoSplash() {
        app::CTAVRO2App::Options o;
        o.splash = false;
        return o;
    }
    // The stored scenario opened from the command line, no splash.
    static app::CTAVRO2App::Options OpeningStoredScenario() {
        app::CTAVRO2App::Options o = NoSplash();
        o.files = {kStoredScenario};
        return o;
    }
    void Start(app::CTAVRO2App::Options options = NoSplash());
    void TearDown() override;
    app::CMainFrame* Frame() { return App().MainFrame(); }
};

}  // namespace gui_test
