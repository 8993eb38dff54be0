// The application object and its main window.
#include <wx/wx.h>

#include "platform/Messages.h"
#include "platform/wx/WxMessages.h"

namespace {

class CMainFrame : public wxFrame {
public:
    CMainFrame() : wxFrame(nullptr, wxID_ANY, platform::kAppTitle, wxDefaultPosition, wxSize(1024, 720)) {
        auto* file = new wxMenu;
        file->Append(wxID_EXIT, "E&xit");
        auto* bar = new wxMenuBar;
        bar->Append(file, "&File");
        SetMenuBar(bar);
        CreateStatusBar();
        SetStatusText("Ready");
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(true); }, wxID_EXIT);
    }
};

class CTAVRO2App : public wxApp {
public:
    bool OnInit() override {
        if (!wxApp::OnInit()) return false;
        SetAppName(platform::kAppTitle);
        platform::SetDefaultMessages(&messages_);
        auto* frame = new CMainFrame;
        frame->Show(true);
        SetTopWindow(frame);
        return true;
    }
    int OnExit() override {
        platform::SetDefaultMessages(nullptr);
        return wxApp::OnExit();
    }

private:
    platform::WxMessages messages_;
};

}  // namespace

wxIMPLEMENT_APP(CTAVRO2App);
