#include "app/ShellOpen.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/sckipc.h>
#include <wx/log.h>
#include <wx/snglinst.h>
#include <wx/tokenzr.h>
#include <wx/utils.h>

namespace app {

namespace {

constexpr const char* kTopic = "open";
constexpr int kConnectTries = 30;  // 100 ms apart: a program still starting gets its server up
constexpr int kConnectPauseMs = 100;

class OpenConnection final : public wxTCPConnection {
public:
    explicit OpenConnection(ShellOpen::OpenFiles open) : open_(std::move(open)) {}
    bool OnExecute(const wxString&, const void* data, size_t size, wxIPCFormat format) override {
        const wxString text = GetTextFromData(data, size, format);
        std::vector<wxString> files;
        for (const wxString& f : wxSplit(text, '\n', '\0'))
            if (!f.empty()) files.push_back(f);
        // Opened once this exchange is over: opening may show message boxes.
        ShellOpen::OpenFiles open = open_;
        wxTheApp->CallAfter([open, files] { open(files); });
        return true;
    }

private:
    ShellOpen::OpenFiles open_;
};

class OpenServer final : public wxTCPServer {
public:
    explicit OpenServer(ShellOpen::OpenFiles open) : open_(std::move(open)) {}
    wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
        return topic == kTopic ? new OpenConnection(open_) : nullptr;
    }

private:
    ShellOpen::OpenFiles open_;
};

}  // namespace

wxString InstanceFolder(const wxString& configPath) {
    wxString runtime;
    if (wxGetEnv("XDG_RUNTIME_DIR", &runtime) && !runtime.empty() && wxFileName::DirExists(runtime))
        return runtime + "/tavro2";
    return wxFileName(configPath).GetPath();
}

ShellOpen::ShellOpen(wxString folder) : folder_(std::move(folder)), socket_(folder_ + "/tavro2.socket") {}

ShellOpen::~ShellOpen() = default;

bool ShellOpen::PassToRunning(const std::vector<wxString>& files) {
    wxLogNull quiet;  // a folder or lock that cannot be made: this program runs on its own
    if (!wxFileName::DirExists(folder_) && !wxFileName::Mkdir(folder_, 0700, wxPATH_MKDIR_FULL)) return false;
    checker_ = std::make_unique<wxSingleInstanceChecker>();
    if (!checker_->Create("tavro2.lock", folder_) || !checker_->IsAnotherRunning()) return false;
    wxString text;
    for (const wxString& f : files) text += f + "\n";
    for (int i = 0; i < kConnectTries; ++i) {
        wxTCPClient client;
        std::unique_ptr<wxConnectionBase> link(client.MakeConnection("localhost", socket_, kTopic));
        if (link) {
            const bool sent = link->Execute(text);
            link->Disconnect();
            if (sent) return true;
        }
        wxMilliSleep(kConnectPauseMs);
    }
    // The other program does not answer: this one runs on its own.
    return false;
}

bool ShellOpen::Serve(OpenFiles open) {
    wxLogNull quiet;
    if (!checker_) {
        if (!wxFileName::DirExists(folder_) && !wxFileName::Mkdir(folder_, 0700, wxPATH_MKDIR_FULL)) return false;
        checker_ = std::make_unique<wxSingleInstanceChecker>();
        checker_->Create("tavro2.lock", folder_);
    }
    // Replaces a socket file left by a program that ended without removing it.
    auto server = std::make_unique<OpenServer>(std::move(open));
    if (!server->Create(socket_)) return false;
    server_ = std::move(server);
    return true;
}

}  // namespace app
