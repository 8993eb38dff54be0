// One program per user: a start that finds the program running hands its
// file names to it (over a socket only this user can reach) and ends; the
// running program opens them as new workspaces and comes to the front.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/string.h>

class wxSingleInstanceChecker;
class wxTCPServer;

namespace app {

// The folder of the lock and the socket: $XDG_RUNTIME_DIR/tavro2, else the
// folder of the settings file. Taken from the environment, so that each
// user (and each test run with its own folders) has its own program.
wxString InstanceFolder(const wxString& configPath);

class ShellOpen {
public:
    using OpenFiles = std::function<void(const std::vector<wxString>& files)>;
    explicit ShellOpen(wxString folder);
    ~ShellOpen();

    // True when another program of this user runs and took the files. A
    // lock left by a program that was killed does not count.
    bool PassToRunning(const std::vector<wxString>& files);
    // This program becomes the one that later starts hand their files to.
    bool Serve(OpenFiles open);
    const wxString& SocketPath() const { return socket_; }

private:
    wxString folder_;
    wxString socket_;
    std::unique_ptr<wxSingleInstanceChecker> checker_;
    std::unique_ptr<wxTCPServer> server_;
};

}  // namespace app
