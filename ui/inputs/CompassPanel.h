// The compass of the wind and water dialogs: the card, what the dialog
// draws on it (an arrow or a line), and clicks on it as offsets from its
// centre in device-independent pixels.
#pragma once

#include <functional>

#include <wx/panel.h>

#include "platform/Canvas.h"

namespace ui {

class CompassPanel final : public wxPanel {
public:
    explicit CompassPanel(wxWindow* parent);

    // Draws over the card: the canvas, the centre in device pixels and
    // device pixels per device-independent pixel.
    std::function<void(platform::Canvas&, platform::Point centre, double scale)> drawOver;
    // A left click at an offset from the centre.
    std::function<void(platform::Point offset)> clicked;

    // The offset of a point of the panel (device pixels).
    platform::Point OffsetOf(const wxPoint& at) const;

private:
    void OnPaint(wxPaintEvent& e);
};

}  // namespace ui
