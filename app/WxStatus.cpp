#include "app/WxStatus.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include "platform/wx/WxText.h"

namespace app {

std::string WxStatus::Get() {
    if (!frame_ || !frame_->GetStatusBar()) return {};
    return frame_->GetStatusBar()->GetStatusText(0).utf8_string();
}

void WxStatus::Set(std::string_view text) {
    if (!frame_ || !frame_->GetStatusBar()) return;
    wxStatusBar* bar = frame_->GetStatusBar();
    bar->SetStatusText(platform::ToWx(text), 0);
    bar->Update();
    // Paint only: no input may reach the program in the middle of a command.
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
}

void WxStatus::Busy(bool on) {
    if (on) {
        ++busy_;
        wxBeginBusyCursor();
    } else if (busy_ > 0) {
        --busy_;
        wxEndBusyCursor();
    }
}

}  // namespace app
