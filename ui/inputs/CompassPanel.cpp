#include "ui/inputs/CompassPanel.h"

#include <wx/dcbuffer.h>

#include "platform/wx/WxDcCanvas.h"
#include "ui/inputs/rules/Compass.h"

namespace ui {

namespace {

double ScaleOf(const wxWindow& w) { return w.FromDIP(1000) / 1000.0; }

}  // namespace

CompassPanel::CompassPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(kCompassPanelSize, kCompassPanelSize)),
              wxFULL_REPAINT_ON_RESIZE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(GetSize());
    Bind(wxEVT_PAINT, &CompassPanel::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
        if (clicked) clicked(OffsetOf(e.GetPosition()));
        e.Skip();
    });
}

platform::Point CompassPanel::OffsetOf(const wxPoint& at) const {
    const wxSize size = GetClientSize();
    const wxPoint d = ToDIP(wxPoint(at.x - size.x / 2, at.y - size.y / 2));
    return {d.x, d.y};
}

void CompassPanel::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    platform::WxDcCanvas canvas = platform::WxDcCanvas::ForWindow(dc, *this);
    const wxSize size = GetClientSize();
    const platform::Point centre{size.x / 2, size.y / 2};
    DrawCompassCard(canvas, centre, ScaleOf(*this));
    if (drawOver) drawOver(canvas, centre, ScaleOf(*this));
}

}  // namespace ui
