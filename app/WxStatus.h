// The main frame's message field and the busy cursor.
#pragma once

#include <wx/frame.h>

#include "document/Interfaces.h"

namespace app {

class WxStatus final : public document::IStatus {
public:
    explicit WxStatus(wxFrame* frame = nullptr) : frame_(frame) {}
    void SetFrame(wxFrame* frame) { frame_ = frame; }
    std::string Get() override;
    // Shows the text before returning: the run that follows blocks the
    // event loop.
    void Set(std::string_view text) override;
    void Busy(bool on) override;

private:
    wxFrame* frame_;
    int busy_ = 0;
};

}  // namespace app
