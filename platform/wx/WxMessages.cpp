#include "platform/wx/WxMessages.h"

#include <memory>

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/string.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "platform/wx/WxText.h"

namespace platform {

MsgResult WxMessages::Show(std::string_view text, MsgIcon icon, MsgButtons buttons) {
    long style = 0;
    switch (buttons) {
        case MsgButtons::Ok: style |= wxOK; break;
        case MsgButtons::YesNo: style |= wxYES_NO; break;
        case MsgButtons::OkCancel: style |= wxOK | wxCANCEL; break;
        case MsgButtons::YesNoCancel: style |= wxYES_NO | wxCANCEL; break;
    }
    switch (icon) {
        case MsgIcon::None: style |= wxICON_NONE; break;
        case MsgIcon::Stop: style |= wxICON_ERROR; break;
        case MsgIcon::Exclamation: style |= wxICON_EXCLAMATION; break;
        case MsgIcon::Information: style |= wxICON_INFORMATION; break;
        case MsgIcon::Question: style |= wxICON_QUESTION; break;
    }
    // The arrow, not the busy cursor, over a box that waits for the user.
    std::unique_ptr<wxBusyCursorSuspender> suspend;
    if (wxIsBusy()) suspend = std::make_unique<wxBusyCursorSuspender>();
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    wxMessageDialog box(parent, ToWx(text), kAppTitle, style);
    switch (box.ShowModal()) {
        case wxID_YES: return MsgResult::Yes;
        case wxID_NO: return MsgResult::No;
        case wxID_CANCEL: return MsgResult::Cancel;
        default: return MsgResult::Ok;
    }
}

}  // namespace platform
