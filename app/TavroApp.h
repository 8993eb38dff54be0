// The application object: options, the oil libraries, the document
// manager, the main frame, the splash window and the recent files.
#pragma once

#include <memory>
#include <vector>

#include <wx/app.h>
#include <wx/docview.h>
#include <wx/splash.h>
#include <wx/weakref.h>

#include "app/WxDialogRunner.h"
#include "app/WxStatus.h"
#include "document/AppSettings.h"
#include "document/Paths.h"
#include "document/SpillDoc.h"
#include "platform/wx/WxHelp.h"
#include "platform/wx/WxMessages.h"

namespace oillib {
class COilLibrary;
}

namespace app {

class CMainFrame;
class ShellOpen;

inline constexpr int kSplashMilliseconds = 2750;
inline constexpr int kRecentFiles = document::kRecentFileCount;
inline constexpr const char* kVersionText = "Version 2.0";
inline constexpr const char* kDataLicence =
    "Contains information licensed under the Open Government Licence - Canada.";

// The document manager: "Spill Scenario1", "Spill Scenario2", ... and a
// four-entry recent-file list.
class TavroDocManager final : public wxDocManager {
public:
    // Initialised here, not by the base: the base would create its own
    // nine-entry history before this class exists.
    TavroDocManager();
    wxString MakeNewDocumentName() override;
    wxFileHistory* OnCreateFileHistory() override;
    // Any file is tried as a scenario, whatever its extension; the file
    // itself decides.
    wxDocTemplate* FindTemplateForPath(const wxString& path) override;
    // A recent file that is gone: said in the program's own message box,
    // and taken off the list.
    void OnMRUFileNotExist(unsigned n, const wxString& filename) override;
    // The list is written at once on every change: a crash loses nothing.
    void AddFileToHistory(const wxString& file) override;
    void RemoveFileFromHistory(size_t i) override;

private:
    // File > Print and Print Preview of the active view's printout, through
    // the program's one print path.
    void OnPrintCommand(wxCommandEvent&);
    void OnPreviewCommand(wxCommandEvent&);

    int counter_ = 1;
};

// Where the recent files and the layout are kept:
// $XDG_CONFIG_HOME/tavro2/tavro2.conf.
wxString DefaultConfigPath();

// Usage: tavro2 [-h] [--nosplash] [FILE...]
wxString UsageText();
// -h or --help among the arguments (before a "--").
bool AsksForHelp(int argc, char** argv);

class CTAVRO2App final : public wxApp {
public:
    struct Options {
        bool splash = true;
        std::vector<wxString> files;  // absolute; none: a new scenario
        wxString configPath;          // empty: DefaultConfigPath()
    };
    enum class CommandLine { Run, Help, Bad };
    // Command line: tavro2 [-h] [--nosplash] [FILE...]. message gets the
    // usage (Help) or what is wrong and the usage (Bad).
    static CommandLine ParseCommandLine(int argc, wxChar** argv, Options& options, wxString* message = nullptr);

    CTAVRO2App();
    ~CTAVRO2App() override;

    bool OnInit() override;
    // Nothing to run when the files went to the program already running.
    int OnRun() override;
    int OnExit() override;
    // While the splash is up, the first key or mouse-button press anywhere,
    // a menu opened or a menu or tool command closes it and goes no further;
    // a dialog shown closes it too.
    int FilterEvent(wxEvent& event) override;

    // Builds the program's windows and opens the first scenario.
    bool Start(const Options& options);
    // Closes every scenario without asking and the main frame, and saves the
    // recent files (tests; the program ends through the frame).
    void Stop();
    // The main frame is going away.
    void FrameClosing();

    CMainFrame* MainFrame() const { return frame_; }
    // The program other starts hand their files to (null: none).
    ShellOpen* Shell() const { return shell_.get(); }
    TavroDocManager* DocManager() const { return docManager_; }
    document::OilLibraries Libraries() const;
    platform::IMessages& Messages() { return splashFirst_; }
    // Tests record the messages instead of showing boxes (null: boxes).
    void SetMessages(platform::IMessages* messages);
    // What is kept between runs, and writing it now (a failure is said
    // once per run).
    document::AppSettings& Settings() { return settings_; }
    void SaveSettings();
    const wxString& ConfigPath() const { return configPath_; }
    WxDialogRunner& Dialogs() { return dialogs_; }
    WxStatus& Status() { return status_; }
    const document::AppPaths& Paths() const { return paths_; }

    // A scenario named from outside the program (the command line, a drop):
    // any file name is tried; a failure is reported and, with no scenario
    // open, a new one starts.
    void OpenFromOutside(const wxString& path);
    // Files handed over by a later start: each opens, and the main window
    // comes to the front.
    void OpenFromShell(const std::vector<wxString>& files);
    bool ShowSplash();
    void CloseSplash();
    wxSplashScreen* Splash() const { return splash_.get(); }
    void ShowAbout();

private:
    // Every message box closes the splash first (it stays on top).
    class SplashFirstMessages final : public platform::IMessages {
    public:
        explicit SplashFirstMessages(CTAVRO2App& app) : app_(app) {}
        platform::MsgResult Show(std::string_view text, platform::MsgIcon icon,
                                 platform::MsgButtons buttons) override;

    private:
        CTAVRO2App& app_;
    };

    wxString configPath_;
    document::AppSettings settings_;
    bool settingsFailed_ = false;
    bool exitAtOnce_ = false;
    std::unique_ptr<ShellOpen> shell_;
    document::AppPaths paths_;
    std::unique_ptr<oillib::COilLibrary> standard_;
    std::unique_ptr<oillib::COilLibrary> custom_;
    TavroDocManager* docManager_ = nullptr;
    CMainFrame* frame_ = nullptr;
    wxWeakRef<wxSplashScreen> splash_;
    platform::WxMessages wxMessages_;
    platform::IMessages* messages_ = nullptr;
    SplashFirstMessages splashFirst_{*this};
    WxDialogRunner dialogs_;
    WxStatus status_;
    std::unique_ptr<platform::WxHelp> help_;  // the help book, for every window
};

// The running application object.
CTAVRO2App& TheApp();

}  // namespace app
