#include "platform/wx/WxMessages.h"

#include <wx/msgdlg.h>
#include <wx/string.h>

namespace platform {

MsgResult WxMessages::Show(std::string_view text, MsgIcon icon, MsgButtons buttons) {
    long style = 0;
    switch (buttons) {
        case MsgButtons::Ok: style |= wxOK; break;
        case MsgButtons::YesNo: style |= wxYES_NO; break;
        case MsgButtons::OkCancel: style |= wxOK | wxCANCEL; break;
    }
    switch (icon) {
        case MsgIcon::None: style |= wxICON_NONE; break;
        case MsgIcon::Stop: style |= wxICON_ERROR; break;
        case MsgIcon::Exclamation: style |= wxICON_EXCLAMATION; break;
        case MsgIcon::Information: style |= wxICON_INFORMATION; break;
        case MsgIcon::Question: style |= wxICON_QUESTION; break;
    }
    wxString msg = wxString::FromUTF8(text.data(), text.size());
    int r = wxMessageBox(msg, kAppTitle, style);
    switch (r) {
        case wxYES: return MsgResult::Yes;
        case wxNO: return MsgResult::No;
        case wxCANCEL: return MsgResult::Cancel;
        default: return MsgResult::Ok;
    }
}

}  // namespace platform
