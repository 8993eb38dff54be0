// The application object: options, the oil libraries, the document
// manager, the main frame, the splash window and the recent files.
#pragma once

#include <memory>

#include <wx/app.h>
#include <wx/docview.h>
#include <wx/splash.h>
#include <wx/weakref.h>

#include "app/WxDialogRunner.h"
#include "app/WxStatus.h"
#include "document/Paths.h"
#include "document/SpillDoc.h"
#include "platform/wx/WxHelp.h"
#include "platform/wx/WxMessages.h"

namespace oillib {
class COilLibrary;
}

namespace app {

class CMainFrame;

inline constexpr int kSplashMilliseconds = 2750;
inline constexpr int kRecentFiles = 4;
inline constexpr const char* kVersionText = "Version 2.0";
inline constexpr const char* kDataLicence =
    "Contains information licensed under the Open Government Licence - Canada.";

// The document manager: "Spill Scenario1", "Spill Scenario2", ... and a
// four-entry recent-file list.
class TavroDocManager final : public wxDocManager {
public:
    // Initialised here, not by the base: the base would create its own
    // nine-entry history before this class exists.
    TavroDocManager() : wxDocManager(0, false) { Initialize(); }
    wxString MakeNewDocumentName() override;
    wxFileHistory* OnCreateFileHistory() override;
    // Any file is tried as a scenario, whatever its extension; the file
    // itself decides.
    wxDocTemplate* FindTemplateForPath(const wxString& path) override;
    // A recent file that is gone: said in the program's own message box,
    // and taken off the list.
    void OnMRUFileNotExist(unsigned n, const wxString& filename) override;

private:
    int counter_ = 1;
};

// Where the recent files are kept: $XDG_CONFIG_HOME/tavro2/tavro2.conf.
wxString DefaultConfigPath();
void LoadRecentFiles(wxFileHistory& history, const wxString& configPath);
bool SaveRecentFiles(const wxFileHistory& history, const wxString& configPath);

class CTAVRO2App final : public wxApp {
public:
    struct Options {
        bool splash = true;
        wxString file;        // absolute; empty: a new scenario
        wxString configPath;  // empty: DefaultConfigPath()
    };
    // Command line: tavro2 [--nosplash] [FILE]. False (with a message on
    // stderr) when it cannot be understood.
    static bool ParseCommandLine(int argc, wxChar** argv, Options& options);

    CTAVRO2App();
    ~CTAVRO2App() override;

    bool OnInit() override;
    int OnExit() override;
    // While the splash is up, the first key or mouse-button press anywhere
    // closes it and goes no further.
    int FilterEvent(wxEvent& event) override;

    // Builds the program's windows and opens the first scenario.
    bool Start(const Options& options);
    // Closes every scenario without asking and the main frame, and saves the
    // recent files (tests; the program ends through the frame).
    void Stop();
    // The main frame is going away.
    void FrameClosing();

    CMainFrame* MainFrame() const { return frame_; }
    TavroDocManager* DocManager() const { return docManager_; }
    document::OilLibraries Libraries() const;
    platform::IMessages& Messages() { return messages_ ? *messages_ : wxMessages_; }
    // Tests record the messages instead of showing boxes (null: boxes).
    void SetMessages(platform::IMessages* messages);
    WxDialogRunner& Dialogs() { return dialogs_; }
    WxStatus& Status() { return status_; }
    const document::AppPaths& Paths() const { return paths_; }

    // A scenario named from outside the program (the command line, a drop):
    // any file name is tried; a failure is reported and, with no scenario
    // open, a new one starts.
    void OpenFromOutside(const wxString& path);
    bool ShowSplash();
    wxSplashScreen* Splash() const { return splash_.get(); }
    void ShowAbout();

private:
    void SaveHistory();

    wxString configPath_;
    document::AppPaths paths_;
    std::unique_ptr<oillib::COilLibrary> standard_;
    std::unique_ptr<oillib::COilLibrary> custom_;
    TavroDocManager* docManager_ = nullptr;
    CMainFrame* frame_ = nullptr;
    wxWeakRef<wxSplashScreen> splash_;
    platform::WxMessages wxMessages_;
    platform::IMessages* messages_ = nullptr;
    WxDialogRunner dialogs_;
    WxStatus status_;
    std::unique_ptr<platform::WxHelp> help_;  // the help book, for every window
};

// The running application object.
CTAVRO2App& TheApp();

}  // namespace app
