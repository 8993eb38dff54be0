#include "app/TavroApp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <wx/aboutdlg.h>
#include <wx/cmdline.h>
#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/dnd.h>
#include <wx/filename.h>
#include <wx/fileconf.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/msgout.h>
#include <wx/stdpaths.h>

#include "app/MainFrame.h"
#include "app/ShellOpen.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "oillib/OilLibrary.h"
#include "output/core/PrintSpillInformation.h"
#include "platform/wx/PrintPager.h"
#include "platform/wx/WxDcCanvas.h"
#include "platform/wx/WxText.h"
#include "ui/common/HelpMessageDialog.h"

namespace app {

CTAVRO2App& TheApp() { return *static_cast<CTAVRO2App*>(wxTheApp); }

// ---- Document manager and recent files ----------------------------------------

TavroDocManager::TavroDocManager() : wxDocManager(0, false) {
    Initialize();
    Bind(wxEVT_MENU, &TavroDocManager::OnPrintCommand, this, wxID_PRINT);
    Bind(wxEVT_MENU, &TavroDocManager::OnPreviewCommand, this, wxID_PREVIEW);
}

void TavroDocManager::OnPrintCommand(wxCommandEvent&) {
    wxView* view = GetAnyUsableView();
    if (!view) return;
    std::unique_ptr<wxPrintout> printout(view->OnCreatePrintout());
    if (printout) platform::PrintThroughDialog(TheApp().MainFrame(), *printout, TheApp().Messages(), true);
}

void TavroDocManager::OnPreviewCommand(wxCommandEvent&) {
    wxView* view = GetAnyUsableView();
    if (!view) return;
    wxPrintout* shown = view->OnCreatePrintout();
    if (!shown) return;
    platform::ShowPrintPreview(TheApp().MainFrame(), shown, view->OnCreatePrintout(), _("Print Preview"),
                               TheApp().Messages());
}

wxString TavroDocManager::MakeNewDocumentName() { return wxString::Format("Spill Scenario%d", counter_++); }

wxFileHistory* TavroDocManager::OnCreateFileHistory() { return new wxFileHistory(kRecentFiles); }

wxDocTemplate* TavroDocManager::FindTemplateForPath(const wxString&) {
    for (wxDocTemplate* t : GetTemplatesVector())
        if (t->IsVisible()) return t;
    return nullptr;
}

void TavroDocManager::OnMRUFileNotExist(unsigned n, const wxString& filename) {
    TheApp().Messages().Show("The scenario file " + filename.utf8_string() +
                                 " cannot be found. It has been removed from the list of recent files.",
                             platform::MsgIcon::Stop);
    RemoveFileFromHistory(n);
}

void TavroDocManager::AddFileToHistory(const wxString& file) {
    wxDocManager::AddFileToHistory(file);
    TheApp().SaveSettings();
}

void TavroDocManager::RemoveFileFromHistory(size_t i) {
    wxDocManager::RemoveFileFromHistory(i);
    TheApp().SaveSettings();
}

wxString DefaultConfigPath() {
    wxString base;
    if (!wxGetEnv("XDG_CONFIG_HOME", &base) || base.empty()) base = wxFileName::GetHomeDir() + "/.config";
    return base + "/tavro2/tavro2.conf";
}

namespace {

// Files dropped on the main window open as scenarios.
class DropFiles final : public wxFileDropTarget {
public:
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
        // Opened once the drop has ended: a message box inside the drag
        // would hold the drag source too.
        wxTheApp->CallAfter([names] {
            for (const wxString& name : names) TheApp().OpenFromOutside(name);
        });
        return true;
    }
};

wxBitmap SplashPicture() {
    const wxSize size(440, 240);
    wxBitmap bitmap(size);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxColour(18, 52, 86)));
    dc.Clear();
    dc.SetPen(wxPen(wxColour(64, 128, 176), 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(8, 8, size.x - 16, size.y - 16);
    dc.SetTextForeground(*wxWHITE);
    wxFont big(wxFontInfo(40).Bold().Family(wxFONTFAMILY_SWISS));
    dc.SetFont(big);
    const wxString name = platform::kAppTitle;
    wxSize ext = dc.GetTextExtent(name);
    dc.DrawText(name, (size.x - ext.x) / 2, 60);
    dc.SetFont(wxFontInfo(12).Family(wxFONTFAMILY_SWISS));
    const wxString line = "Oil properties and weathering";
    ext = dc.GetTextExtent(line);
    dc.DrawText(line, (size.x - ext.x) / 2, 130);
    ext = dc.GetTextExtent(kVersionText);
    dc.DrawText(kVersionText, (size.x - ext.x) / 2, 160);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

// The program's icon: an oil drop over the sea.
wxIcon AppIcon() {
    const int n = 64;
    wxBitmap bitmap(n, n, 32);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(wxColour(18, 52, 86)));
        dc.DrawRectangle(0, 0, n, n);
        dc.SetBrush(wxBrush(wxColour(47, 127, 182)));
        dc.DrawRectangle(0, 44, n, n - 44);
        dc.SetBrush(wxBrush(wxColour(26, 26, 26)));
        dc.SetPen(wxPen(wxColour(232, 232, 232), 2));
        const wxPoint drop[] = {{32, 10}, {42, 24}, {46, 34}, {43, 43}, {32, 49}, {21, 43}, {18, 34}, {22, 24}};
        dc.DrawPolygon(8, drop);
    }
    wxIcon icon;
    icon.CopyFromBitmap(bitmap);
    return icon;
}

}  // namespace

// ---- Start and end ----------------------------------------------------------------

namespace {

const wxCmdLineEntryDesc kCommandLine[] = {
    {wxCMD_LINE_SWITCH, "h", "help", "show this help and end", wxCMD_LINE_VAL_NONE, wxCMD_LINE_OPTION_HELP},
    {wxCMD_LINE_SWITCH, nullptr, "nosplash", "start without the splash picture", wxCMD_LINE_VAL_NONE, 0},
    {wxCMD_LINE_PARAM, nullptr, nullptr, "scenario file", wxCMD_LINE_VAL_STRING,
     wxCMD_LINE_PARAM_OPTIONAL | wxCMD_LINE_PARAM_MULTIPLE},
    {wxCMD_LINE_NONE, nullptr, nullptr, nullptr, wxCMD_LINE_VAL_NONE, 0},
};

// What the command-line parser would print, kept for a message box.
class CapturedOutput final : public wxMessageOutput {
public:
    wxString text;

protected:
    void Output(const wxString& str) override { text += str; }
};

}  // namespace

wxString UsageText() {
    wxCmdLineParser parser(kCommandLine);
    char name[] = "tavro2";
    char* args[] = {name, nullptr};
    parser.SetCmdLine(1, args);
    return parser.GetUsageString();
}

bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc && argv[i]; ++i) {
        if (std::strcmp(argv[i], "--") == 0) return false;
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) return true;
    }
    return false;
}

CTAVRO2App::CommandLine CTAVRO2App::ParseCommandLine(int argc, wxChar** argv, Options& options, wxString* message) {
    wxCmdLineParser parser(kCommandLine, argc, argv);
    CapturedOutput said;
    wxMessageOutput* before = wxMessageOutput::Set(&said);
    const int rc = parser.Parse(false);
    wxMessageOutput::Set(before);
    if (rc == -1) {
        if (message) *message = parser.GetUsageString();
        return CommandLine::Help;
    }
    if (rc != 0) {
        if (message) *message = said.text.Strip(wxString::both) + "\n\n" + parser.GetUsageString();
        return CommandLine::Bad;
    }
    options.splash = !parser.Found("nosplash");
    options.files.clear();
    for (size_t i = 0; i < parser.GetParamCount(); ++i) {
        // Resolved now, before anything can change the current folder.
        options.files.push_back(wxString::FromUTF8(
            document::MakeAbsolute(parser.GetParam(i).utf8_string(), document::CurrentDirectory())));
    }
    return CommandLine::Run;
}

CTAVRO2App::CTAVRO2App() = default;
CTAVRO2App::~CTAVRO2App() = default;

bool CTAVRO2App::OnInit() {
    Options options;
    wxString message;
    switch (ParseCommandLine(argc, argv, options, &message)) {
        case CommandLine::Help:
            std::fputs(message.utf8_str(), stdout);
            exitAtOnce_ = true;
            return true;
        case CommandLine::Bad:
            // Said on the terminal and, for a start from a launcher, in a box.
            std::fprintf(stderr, "%s\n", static_cast<const char*>(message.utf8_str()));
            Messages().Show(message.utf8_string(), platform::MsgIcon::Stop);
            return false;
        case CommandLine::Run: break;
    }
    const wxString config = options.configPath.empty() ? DefaultConfigPath() : options.configPath;
    shell_ = std::make_unique<ShellOpen>(InstanceFolder(config));
    if (shell_->PassToRunning(options.files)) {
        exitAtOnce_ = true;
        return true;
    }
    if (!Start(options)) return false;
    shell_->Serve([this](const std::vector<wxString>& files) { OpenFromShell(files); });
    return true;
}

int CTAVRO2App::OnRun() { return exitAtOnce_ ? 0 : wxApp::OnRun(); }

platform::MsgResult CTAVRO2App::SplashFirstMessages::Show(std::string_view text, platform::MsgIcon icon,
                                                          platform::MsgButtons buttons) {
    app_.CloseSplash();
    platform::IMessages& target = app_.messages_ ? *app_.messages_ : app_.wxMessages_;
    return target.Show(text, icon, buttons);
}

void CTAVRO2App::SetMessages(platform::IMessages* messages) {
    messages_ = messages;
    platform::SetDefaultMessages(&Messages());
}

document::OilLibraries CTAVRO2App::Libraries() const { return {standard_.get(), custom_.get()}; }

bool CTAVRO2App::Start(const Options& options) {
    SetAppName("tavro2");
    SetAppDisplayName(platform::kAppTitle);
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
    platform::SetDefaultMessages(&Messages());
    configPath_ = options.configPath.empty() ? DefaultConfigPath() : options.configPath;
    settings_ = document::LoadSettings(configPath_.utf8_string());
    settingsFailed_ = false;

    paths_ = document::AppPaths::ForThisProcess();
    help_ = std::make_unique<platform::WxHelp>(paths_.helpFolder);
    platform::SetDefaultHelp(help_.get());
    ui::SetHelpFolder(paths_.helpFolder);
    platform::SetPictureFile(output::kLogoPicture, paths_.logoFile);
    if (!paths_.CreateUserFolder())
        Messages().Show("The folder for your custom oils and the run's files cannot be created:\n" +
                            paths_.userFolder + "\n\nCustom oils cannot be saved, and Solve cannot write its files.",
                        platform::MsgIcon::Stop);
    standard_ = std::make_unique<oillib::COilLibrary>(paths_.StandardLibrary(), oillib::OilLibColumnNames,
                                                      oillib::kOilLibColumnCount);
    custom_ = std::make_unique<oillib::COilLibrary>(paths_.CustomLibrary(), oillib::OilLibColumnNames,
                                                    oillib::kOilLibColumnCount);

    docManager_ = new TavroDocManager;
    new wxDocTemplate(docManager_, "TAVRO2 Files", "*.tvr;*.TVR", "", "tvr", "Spill Scenario", "Spill Scenario View",
                      CLASSINFO(SpillDocWx), CLASSINFO(WorkspaceView));
    docManager_->SetMaxDocsOpen(1000);
    if (wxFileHistory* history = docManager_->GetFileHistory()) {
        // Oldest first: each one added goes to the top.
        for (auto it = settings_.recentFiles.rbegin(); it != settings_.recentFiles.rend(); ++it)
            history->AddFileToHistory(wxString::FromUTF8(*it));
    }
    // The file dialogs open where the last one was left, else in Documents
    // (the toolkit answers the home folder when no documents folder is
    // configured).
    wxString documents = wxStandardPaths::Get().GetDocumentsDir();
    if (documents == wxFileName::GetHomeDir() && wxFileName::DirExists(documents + "/Documents"))
        documents += "/Documents";
    const wxString last = wxString::FromUTF8(settings_.lastFolder);
    if (!last.empty() && wxFileName::DirExists(last)) documents = last;
    if (wxFileName::DirExists(documents)) docManager_->SetLastDirectory(documents);

    frame_ = new CMainFrame(docManager_, settings_);
    status_.SetFrame(frame_);
    dialogs_.SetParent(frame_);
    frame_->SetDropTarget(new DropFiles);
    frame_->SetIcon(AppIcon());
    SetTopWindow(frame_);
    if (settings_.maximised) frame_->Maximize();
    frame_->Show();

    if (options.files.empty()) {
        docManager_->CreateNewDocument();
    } else {
        // Opened once the main loop runs, with the main window on the
        // screen: a message about a file is centred on it.
        const std::vector<wxString> files = options.files;
        CallAfter([this, files] {
            for (const wxString& f : files) OpenFromOutside(f);
        });
    }
    if (options.splash) ShowSplash();
    return true;
}

void CTAVRO2App::OpenFromShell(const std::vector<wxString>& files) {
    if (!frame_) return;
    for (const wxString& f : files) OpenFromOutside(f);
    frame_->Iconize(false);
    frame_->Raise();
}

void CTAVRO2App::OpenFromOutside(const wxString& path) {
    if (!docManager_) return;
    // Flags 0, not wxDOC_SILENT: the one template takes any name.
    wxDocument* doc = docManager_->CreateDocument(path, 0);
    if (!doc && docManager_->GetDocuments().empty()) docManager_->CreateNewDocument();
}

void CTAVRO2App::SaveSettings() {
    if (!docManager_ || configPath_.empty()) return;
    if (wxFileHistory* history = docManager_->GetFileHistory()) {
        settings_.recentFiles.clear();
        for (size_t i = 0; i < history->GetCount(); ++i)
            settings_.recentFiles.push_back(history->GetHistoryFile(i).utf8_string());
    }
    const wxString last = docManager_->GetLastDirectory();
    if (wxFileName::DirExists(last)) settings_.lastFolder = last.utf8_string();
    if (frame_) frame_->StoreLayout(settings_);
    if (document::SaveSettings(configPath_.utf8_string(), settings_) || settingsFailed_) return;
    settingsFailed_ = true;
    Messages().Show("The list of recent files and the window layout could not be saved to " +
                        configPath_.utf8_string() + ".",
                    platform::MsgIcon::Exclamation);
}

void CTAVRO2App::FrameClosing() {
    CloseSplash();
    SaveSettings();
    if (help_) help_->CloseBook();
    status_.SetFrame(nullptr);
    dialogs_.SetParent(nullptr);
    frame_ = nullptr;
}

void CTAVRO2App::Stop() {
    if (docManager_) {
        for (wxDocument* doc : docManager_->GetDocumentsVector()) doc->Modify(false);  // nothing to ask
        docManager_->Clear(true);
    }
    if (frame_) {
        CMainFrame* frame = frame_;
        FrameClosing();
        frame->Destroy();
    }
    ProcessIdle();  // deletes the frame
    delete docManager_;
    docManager_ = nullptr;
}

int CTAVRO2App::OnExit() {
    // The settings were saved when the main window closed.
    shell_.reset();
    delete docManager_;
    docManager_ = nullptr;
    custom_.reset();
    standard_.reset();
    platform::SetDefaultHelp(nullptr);
    help_.reset();
    platform::SetDefaultMessages(nullptr);
    return wxApp::OnExit();
}

// ---- Splash ----------------------------------------------------------------------

bool CTAVRO2App::ShowSplash() {
    if (splash_) return false;
    splash_ = new wxSplashScreen(SplashPicture(), wxSPLASH_CENTRE_ON_SCREEN | wxSPLASH_TIMEOUT, kSplashMilliseconds,
                                 frame_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxBORDER_SIMPLE | wxSTAY_ON_TOP | wxFRAME_NO_TASKBAR);
    // The main window may reach the screen after it: keep the splash above.
    CallAfter([this] {
        if (splash_) splash_->Raise();
    });
    return true;
}

void CTAVRO2App::CloseSplash() {
    if (!splash_) return;
    splash_->Destroy();
    splash_ = nullptr;
    if (frame_) frame_->Refresh();
}

int CTAVRO2App::FilterEvent(wxEvent& event) {
    if (!splash_) return Event_Skip;
    const wxEventType t = event.GetEventType();
    // The menu bar and the toolbar are the toolkit's own widgets: no mouse
    // press of theirs comes here, only the menu opened or the command.
    if (t == wxEVT_KEY_DOWN || t == wxEVT_LEFT_DOWN || t == wxEVT_RIGHT_DOWN || t == wxEVT_MIDDLE_DOWN ||
        t == wxEVT_MENU_OPEN || t == wxEVT_MENU) {
        CloseSplash();
        return Event_Processed;
    }
    // A dialog must not open under the splash.
    if (t == wxEVT_INIT_DIALOG || (t == wxEVT_SHOW && static_cast<wxShowEvent&>(event).IsShown() &&
                                   event.GetEventObject() != splash_.get() &&
                                   wxDynamicCast(event.GetEventObject(), wxDialog))) {
        CloseSplash();
    }
    return Event_Skip;
}

// ---- About -----------------------------------------------------------------------

void CTAVRO2App::ShowAbout() {
    wxAboutDialogInfo info;
    info.SetName(platform::kAppTitle);
    info.SetIcon(AppIcon());
    info.SetVersion("2.0", kVersionText);
    info.SetDescription(
        "Oil properties and the weathering of a spill over its first 120 hours, for oil-spill responders.\n\n" +
        wxString(kDataLicence));
    wxAboutBox(info, frame_);
}

}  // namespace app
