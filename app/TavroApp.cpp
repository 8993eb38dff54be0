#include "app/TavroApp.h"

#include <cstdlib>

#include <wx/aboutdlg.h>
#include <wx/cmdline.h>
#include <wx/dcmemory.h>
#include <wx/dnd.h>
#include <wx/filename.h>
#include <wx/fileconf.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include "app/MainFrame.h"
#include "app/SpillDocWx.h"
#include "app/WorkspaceView.h"
#include "oillib/OilLibrary.h"
#include "output/core/PrintSpillInformation.h"
#include "platform/wx/WxDcCanvas.h"
#include "platform/wx/WxText.h"
#include "ui/common/HelpMessageDialog.h"

namespace app {

CTAVRO2App& TheApp() { return *static_cast<CTAVRO2App*>(wxTheApp); }

// ---- Document manager and recent files ----------------------------------------

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

wxString DefaultConfigPath() {
    wxString base;
    if (!wxGetEnv("XDG_CONFIG_HOME", &base) || base.empty()) base = wxFileName::GetHomeDir() + "/.config";
    return base + "/tavro2/tavro2.conf";
}

void LoadRecentFiles(wxFileHistory& history, const wxString& configPath) {
    if (!wxFileName::FileExists(configPath)) return;
    wxLogNull quiet;  // an unreadable list is an empty one
    wxFileConfig config(wxEmptyString, wxEmptyString, configPath, wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    config.SetPath("/RecentFiles");
    history.Load(config);
}

bool SaveRecentFiles(const wxFileHistory& history, const wxString& configPath) {
    wxLogNull quiet;  // the caller reports a failure
    wxFileName name(configPath);
    if (!name.DirExists() && !name.Mkdir(wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL)) return false;
    wxFileConfig config(wxEmptyString, wxEmptyString, configPath, wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    config.DeleteGroup("/RecentFiles");
    config.SetPath("/RecentFiles");
    const_cast<wxFileHistory&>(history).Save(config);
    return config.Flush();
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

bool CTAVRO2App::ParseCommandLine(int argc, wxChar** argv, Options& options) {
    static const wxCmdLineEntryDesc desc[] = {
        {wxCMD_LINE_SWITCH, nullptr, "nosplash", "start without the splash picture", wxCMD_LINE_VAL_NONE, 0},
        {wxCMD_LINE_PARAM, nullptr, nullptr, "scenario file", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL},
        {wxCMD_LINE_NONE, nullptr, nullptr, nullptr, wxCMD_LINE_VAL_NONE, 0},
    };
    wxCmdLineParser parser(desc, argc, argv);
    if (parser.Parse(true) != 0) return false;
    options.splash = !parser.Found("nosplash");
    if (parser.GetParamCount() > 0) {
        // Resolved now, before anything can change the current folder.
        options.file = wxString::FromUTF8(
            document::MakeAbsolute(parser.GetParam(0).utf8_string(), document::CurrentDirectory()));
    }
    return true;
}

CTAVRO2App::CTAVRO2App() = default;
CTAVRO2App::~CTAVRO2App() = default;

bool CTAVRO2App::OnInit() {
    Options options;
    if (!ParseCommandLine(argc, argv, options)) return false;
    return Start(options);
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
    if (wxFileHistory* history = docManager_->GetFileHistory()) LoadRecentFiles(*history, configPath_);
    // The first file dialog opens in Documents (the toolkit answers the
    // home folder when no documents folder is configured).
    wxString documents = wxStandardPaths::Get().GetDocumentsDir();
    if (documents == wxFileName::GetHomeDir() && wxFileName::DirExists(documents + "/Documents"))
        documents += "/Documents";
    if (wxFileName::DirExists(documents)) docManager_->SetLastDirectory(documents);

    frame_ = new CMainFrame(docManager_);
    status_.SetFrame(frame_);
    dialogs_.SetParent(frame_);
    frame_->SetDropTarget(new DropFiles);
    frame_->SetIcon(AppIcon());
    SetTopWindow(frame_);
    frame_->Maximize();
    frame_->Show();

    if (!options.file.empty())
        OpenFromOutside(options.file);
    else
        docManager_->CreateNewDocument();
    if (options.splash) ShowSplash();
    return true;
}

void CTAVRO2App::OpenFromOutside(const wxString& path) {
    if (!docManager_) return;
    // Flags 0, not wxDOC_SILENT: the one template takes any name.
    wxDocument* doc = docManager_->CreateDocument(path, 0);
    if (!doc && docManager_->GetDocuments().empty()) docManager_->CreateNewDocument();
}

void CTAVRO2App::SaveHistory() {
    if (!docManager_ || !docManager_->GetFileHistory() || configPath_.empty()) return;
    if (!SaveRecentFiles(*docManager_->GetFileHistory(), configPath_))
        Messages().Show("The list of recent files could not be saved to " + configPath_.utf8_string() + ".",
                        platform::MsgIcon::Exclamation);
}

void CTAVRO2App::FrameClosing() {
    if (splash_) splash_->Destroy();
    SaveHistory();
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
    // The recent files were saved when the main window closed.
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

int CTAVRO2App::FilterEvent(wxEvent& event) {
    if (splash_) {
        const wxEventType t = event.GetEventType();
        if (t == wxEVT_KEY_DOWN || t == wxEVT_LEFT_DOWN || t == wxEVT_RIGHT_DOWN || t == wxEVT_MIDDLE_DOWN) {
            splash_->Destroy();
            splash_ = nullptr;
            if (frame_) frame_->Refresh();
            return Event_Processed;
        }
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
