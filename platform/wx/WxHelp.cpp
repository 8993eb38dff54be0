#include "platform/wx/WxHelp.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/html/helpdlg.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include "platform/Files.h"
#include "platform/wx/WxText.h"

namespace platform {

namespace {


// The window the viewer is modal over: the active top-level window.
wxWindow* Owner() {
    wxWindow* focus = wxWindow::FindFocus();
    wxWindow* top = focus ? wxGetTopLevelParent(focus) : nullptr;
    if (!top) top = wxGetActiveWindow();
    if (!top && wxTheApp) top = wxTheApp->GetTopWindow();
    return top;
}

// The viewer opens at a size that shows a page without scrolling sideways
// (the toolkit's own default is small), titled with the book's title.
class SizedHelpController final : public wxHtmlHelpController {
public:
    using wxHtmlHelpController::wxHtmlHelpController;

protected:
    wxHtmlHelpDialog* CreateHelpDialog(wxHtmlHelpData* data) override {
        wxHtmlHelpDialog* dialog = wxHtmlHelpController::CreateHelpDialog(data);
        if (dialog) {
            dialog->SetSize(dialog->FromDIP(wxSize(900, 640)));
            dialog->CentreOnParent();
            const wxHtmlBookRecArray& books = data->GetBookRecArray();
            if (!books.empty() && !books[0].GetTitle().empty()) dialog->SetTitle(books[0].GetTitle());
        }
        return dialog;
    }
};

std::unique_ptr<wxHtmlHelpController> MakeController(bool modal) {
    return std::make_unique<SizedHelpController>(wxHF_DEFAULT_STYLE | wxHF_DIALOG | (modal ? wxHF_MODAL : 0),
                                                 Owner());
}

}  // namespace

WxHelp::WxHelp(std::string folder, IMessages* messages) : folder_(std::move(folder)), messages_(messages) {}

WxHelp::~WxHelp() = default;

wxHtmlHelpController& WxHelp::Controller() {
    if (!controller_) controller_ = MakeController(true);
    return *controller_;
}

std::string WxHelp::MissingText() const {
    return "The help book could not be found in " + (folder_.empty() ? std::string("(no folder)") : folder_) + ".";
}

bool WxHelp::Load() {
    if (loaded_ < 0) {
        const std::string project = folder_ + "/" + kHelpBookFile;
        loaded_ = (!folder_.empty() && FileExists(project) && Controller().AddBook(wxFileName(ToWx(project)), false)) ? 1 : 0;
    }
    return loaded_ == 1;
}

const wxHtmlHelpData& WxHelp::Data() {
    Load();
    return *Controller().GetHelpData();
}

bool WxHelp::Ready() {
    if (Load()) {
        Controller().SetParentWindow(Owner());
        return true;
    }
    (messages_ ? *messages_ : DefaultMessages()).Show(MissingText(), MsgIcon::Exclamation);
    return false;
}

void WxHelp::ShowTopic(const std::string& page, const std::string& anchor) {
    if (page.empty()) {
        ShowContents();
        return;
    }
    if (!Ready()) return;
    std::string target = page + ".html";
    if (!anchor.empty()) target += "#" + anchor;
    Controller().Display(ToWx(target));
}

void WxHelp::ShowContents() {
    if (!Ready()) return;
    Controller().DisplayContents();
}

void WxHelp::ShowBook() {
    if (!Ready()) return;
    if (!beside_) {
        beside_ = MakeController(false);
        beside_->AddBook(wxFileName(ToWx(folder_ + "/" + kHelpBookFile)), false);
    }
    beside_->DisplayContents();
    if (wxWindow* viewer = beside_->GetDialog()) viewer->Raise();
}

void WxHelp::CloseBook() { beside_.reset(); }

}  // namespace platform
