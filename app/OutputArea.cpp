#include "app/OutputArea.h"

#include <algorithm>
#include <cmath>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/CommandIds.h"
#include "document/OutputWindows.h"
#include "output/OutputRegistry.h"

namespace app {

using document::OutputKind;

namespace {

// Stands in for an output kind nobody has built yet.
wxWindow* MakePlaceholder(wxWindow* parent, OutputKind kind) {
    auto* panel = new wxPanel(parent);
    panel->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->AddStretchSpacer();
    sizer->Add(new wxStaticText(panel, wxID_ANY, document::OutputTitle(kind)), 0, wxALIGN_CENTER);
    sizer->AddStretchSpacer();
    panel->SetSizer(sizer);
    return panel;
}

constexpr int kCaptionPad = 3;

bool IsTable(OutputKind kind) { return kind == OutputKind::BudgetTable || kind == OutputKind::IcsTable; }

// The close box of a tile's caption: a cross in the caption's text colour.
class CloseBox final : public wxWindow {
public:
    CloseBox(wxWindow* parent, std::function<void()> close)
        : wxWindow(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(16, 16))), close_(std::move(close)) {
        SetToolTip("Close");
        SetCursor(wxCursor(wxCURSOR_HAND));
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(this);
            const wxSize size = GetClientSize();
            const int m = FromDIP(4);
            dc.SetPen(wxPen(GetParent()->GetForegroundColour().IsOk() ? GetParent()->GetForegroundColour()
                                                                       : *wxBLACK,
                            FromDIP(2)));
            dc.DrawLine(m, m, size.x - m, size.y - m);
            dc.DrawLine(size.x - m, m, m, size.y - m);
        });
        // Closed once the click is over: the box goes with its tile.
        Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { CallAfter([close = close_] { close(); }); });
    }
    bool AcceptsFocus() const override { return false; }

private:
    std::function<void()> close_;
};

}  // namespace

TileGrid GridFor(int n) {
    if (n <= 0) return {};
    TileGrid g;
    g.cols = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
    g.rows = (n + g.cols - 1) / g.cols;
    return g;
}

// Created with a real size: a zero-sized scrolled window gives the
// toolkit's scrollbars a negative allocation before the first layout.
OutputArea::OutputArea(wxWindow* parent, document::SpillDocCore& doc)
    : wxScrolledWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(400, 300), wxHSCROLL | wxVSCROLL | wxBORDER_NONE),
      doc_(doc) {
    SetScrollRate(10, 10);
    Bind(wxEVT_SIZE, &OutputArea::OnSize, this);
    Bind(wxEVT_CHILD_FOCUS, [this](wxChildFocusEvent& e) {
        // The form takes the commands back from the outputs.
        for (wxWindow* w = e.GetWindow(); form_ && w && w != this; w = w->GetParent())
            if (w == form_) ClearActive();
        for (const auto& [kind, tile] : tiles_) {
            for (wxWindow* w = e.GetWindow(); w && w != this; w = w->GetParent()) {
                if (w == tile.frame) {
                    Activate(kind);
                    break;
                }
            }
        }
        e.Skip();
    });
}

OutputArea::~OutputArea() = default;

void OutputArea::SetForm(wxWindow* form) {
    form_ = form;
    form_->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
        ClearActive();
        e.Skip();
    });
    Arrange();
}

bool OutputArea::Exists(OutputKind kind) const { return tiles_.count(kind) != 0; }

wxWindow* OutputArea::OutputWindow(OutputKind kind) const {
    auto it = tiles_.find(kind);
    return it == tiles_.end() ? nullptr : it->second.content;
}

wxWindow* OutputArea::ActiveOutput() const {
    if (!hasActive_ || mode_ == Mode::Form) return nullptr;
    return OutputWindow(active_);
}

bool OutputArea::Open(OutputKind kind) {
    if (Exists(kind)) {
        Activate(kind);
        return true;
    }
    TileWindows t;
    t.frame = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE);
    t.frame->Hide();
    auto* caption = new wxPanel(t.frame);
    auto* title = new wxStaticText(caption, wxID_ANY, document::OutputTitle(kind));
    t.caption = caption;
    t.title = title;
    auto* close = new CloseBox(caption, [this, kind] { CloseFromCaption(kind); });
    t.close = close;
    auto* captionSizer = new wxBoxSizer(wxHORIZONTAL);
    captionSizer->Add(title, 1, wxALL | wxALIGN_CENTER_VERTICAL, kCaptionPad);
    captionSizer->Add(close, 0, wxALL | wxALIGN_CENTER_VERTICAL, kCaptionPad / 2);
    caption->SetSizer(captionSizer);
    auto activate = [this, kind](wxMouseEvent& e) {
        Activate(kind);
        e.Skip();
    };
    auto zoom = [this, kind](wxMouseEvent&) { ToggleZoom(kind); };
    for (wxWindow* w : {static_cast<wxWindow*>(caption), static_cast<wxWindow*>(title)}) {
        w->Bind(wxEVT_LEFT_DOWN, activate);
        w->Bind(wxEVT_LEFT_DCLICK, zoom);
    }

    const output::OutputWindowFactory factory = output::FindOutputWindow(kind);
    wxWindow* content = nullptr;
    if (factory) {
        content = factory(t.frame, doc_);
        if (!content) {  // the window could not be built
            t.frame->Destroy();
            return false;
        }
    } else {
        content = MakePlaceholder(t.frame, kind);
    }
    if (content->GetParent() != t.frame) content->Reparent(t.frame);
    content->Bind(wxEVT_LEFT_DOWN, activate);
    t.content = content;
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(caption, 0, wxEXPAND);
    sizer->Add(content, 1, wxEXPAND);
    t.frame->SetSizer(sizer);
    tiles_[kind] = t;
    order_.push_back(kind);
    Activate(kind);
    // Shown by the layout call that follows (Tile or Maximise); until then
    // the form stays.
    return true;
}

void OutputArea::Close(OutputKind kind) {
    auto it = tiles_.find(kind);
    if (it == tiles_.end()) return;
    wxPanel* frame = it->second.frame;
    tiles_.erase(it);
    order_.erase(std::remove(order_.begin(), order_.end(), kind), order_.end());
    frame->Hide();
    frame->Destroy();
    if (active_ == kind) zoomed_ = false;
    if (hasActive_ && active_ == kind) {
        hasActive_ = !order_.empty();
        if (hasActive_) active_ = order_.back();
        ShowActive();
    }
    if (order_.empty()) {
        mode_ = Mode::Form;
    } else if (mode_ == Mode::Maximised && maximised_ == kind) {
        maximised_ = order_.back();
    }
    Arrange();
}

void OutputArea::Tile() {
    mode_ = tiles_.empty() ? Mode::Form : Mode::Tiled;
    zoomed_ = false;  // what was opened or closed is to be seen
    Arrange();
}

bool OutputArea::ActiveTable() const { return ActiveOutput() && IsTable(active_); }

void OutputArea::ClearActive() {
    if (!hasActive_) return;
    hasActive_ = false;
    ShowActive();
}

void OutputArea::ActivateNext(int step) {
    if (tiles_.empty() || mode_ == Mode::Form) return;
    std::vector<OutputKind> kinds;
    for (const auto& [kind, tile] : tiles_) kinds.push_back(kind);
    const int n = static_cast<int>(kinds.size());
    int i = -1;
    const OutputKind current = mode_ == Mode::Maximised ? maximised_ : active_;
    for (int k = 0; k < n; ++k)
        if (kinds[k] == current && (hasActive_ || mode_ == Mode::Maximised)) i = k;
    const int next = i < 0 ? (step >= 0 ? 0 : n - 1) : ((i + step) % n + n) % n;
    Activate(kinds[next]);
    if (mode_ == Mode::Maximised) maximised_ = kinds[next];
    Arrange();
    tiles_.at(kinds[next]).content->SetFocus();
}

void OutputArea::CloseFromCaption(OutputKind kind) {
    if (!Exists(kind)) return;
    if (!IsTable(kind)) {
        // As the graph's toggle does: its flag cleared, the rest laid out.
        SendMenuCommand(this, GraphCommand(static_cast<int>(kind)));
        return;
    }
    doc_.Outputs().Close(kind);
}

void OutputArea::ToggleZoom(OutputKind kind) {
    if (mode_ != Mode::Tiled || !Exists(kind)) return;
    zoomed_ = !zoomed_;
    Activate(kind);
    Arrange();
}

wxWindow* OutputArea::CaptionOf(OutputKind kind) const {
    auto it = tiles_.find(kind);
    return it == tiles_.end() ? nullptr : it->second.caption;
}

wxWindow* OutputArea::CloseBoxOf(OutputKind kind) const {
    auto it = tiles_.find(kind);
    return it == tiles_.end() ? nullptr : it->second.close;
}

void OutputArea::Maximise(OutputKind kind) {
    if (!Exists(kind)) return;
    mode_ = Mode::Maximised;
    maximised_ = kind;
    Activate(kind);
    Arrange();
}

void OutputArea::ShowForm() {
    mode_ = Mode::Form;
    Arrange();
}

void OutputArea::RefreshOutputs() {
    for (auto& [kind, tile] : tiles_) {
        tile.content->Refresh();
        tile.content->Update();
    }
}

std::vector<OutputKind> OutputArea::Shown() const {
    std::vector<OutputKind> shown;
    for (const auto& [kind, tile] : tiles_)
        if (tile.frame->IsShown()) shown.push_back(kind);
    return shown;
}

void OutputArea::Activate(OutputKind kind) {
    active_ = kind;
    hasActive_ = true;
    ShowActive();
}

void OutputArea::ShowActive() {
    for (auto& [kind, tile] : tiles_) {
        const bool on = hasActive_ && kind == active_;
        tile.caption->SetBackgroundColour(
            wxSystemSettings::GetColour(on ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_BTNFACE));
        tile.title->SetForegroundColour(
            wxSystemSettings::GetColour(on ? wxSYS_COLOUR_HIGHLIGHTTEXT : wxSYS_COLOUR_BTNTEXT));
        tile.caption->Refresh();
    }
}

void OutputArea::OnSize(wxSizeEvent& e) {
    Arrange();
    e.Skip();
}

void OutputArea::Arrange() {
    const wxSize client = GetClientSize();
    if (client.x <= 0 || client.y <= 0) return;
    Scroll(0, 0);
    if (mode_ != Mode::Form && tiles_.empty()) mode_ = Mode::Form;
    for (auto& [kind, tile] : tiles_) {
        const bool show = mode_ == Mode::Tiled || (mode_ == Mode::Maximised && kind == maximised_);
        if (!show) tile.frame->Hide();
    }
    if (mode_ == Mode::Form) {
        wxSize size = client;
        if (form_) {
            const wxSize best = form_->GetBestSize();
            size.x = std::max(size.x, best.x);
            size.y = std::max(size.y, best.y);
            form_->SetSize(0, 0, size.x, size.y);
            form_->Show();
        }
        SetVirtualSize(size);
        return;
    }
    if (form_) form_->Hide();
    if (zoomed_ && (mode_ != Mode::Tiled || !Exists(active_))) zoomed_ = false;
    if (mode_ == Mode::Maximised || zoomed_) {
        const OutputKind alone = zoomed_ ? active_ : maximised_;
        for (auto& [kind, tile] : tiles_)
            if (kind != alone) tile.frame->Hide();
        wxPanel* frame = tiles_.at(alone).frame;
        frame->SetSize(0, 0, client.x, client.y);
        frame->Show();
        frame->Layout();
        SetVirtualSize(client);
        return;
    }
    // Tiles in output order (graph order, then the tables), whatever the
    // order they were opened in.
    const TileGrid g = GridFor(static_cast<int>(tiles_.size()));
    // A table's column is wide enough for its strip of choices.
    const int w = std::max(kMinTileWidth, client.x / g.cols);
    const int h = std::max(kMinTileHeight, client.y / g.rows);
    std::vector<int> colWidth(g.cols, w);
    int i = 0;
    for (const auto& [kind, tile] : tiles_) {
        if (IsTable(kind) && tile.frame->GetSizer())
            colWidth[i % g.cols] = std::max(colWidth[i % g.cols], tile.frame->GetSizer()->GetMinSize().x + 2);
        ++i;
    }
    std::vector<int> colX(g.cols + 1, 0);
    for (int c = 0; c < g.cols; ++c) colX[c + 1] = colX[c] + colWidth[c];
    i = 0;
    for (auto& [kind, tile] : tiles_) {
        const int col = i % g.cols;
        const int row = i / g.cols;
        ++i;
        wxPanel* frame = tile.frame;
        frame->SetSize(colX[col], row * h, colWidth[col], h);
        frame->Show();
        frame->Layout();
    }
    SetVirtualSize(std::max(client.x, colX[g.cols]), std::max(client.y, g.rows * h));
    // The active tile is scrolled into view (an output just opened, or the
    // one Ctrl+Tab went to).
    if (hasActive_ && Exists(active_)) {
        const wxRect r = tiles_.at(active_).frame->GetRect();  // at scroll (0, 0)
        int ux = 1, uy = 1;
        GetScrollPixelsPerUnit(&ux, &uy);
        const int x = r.GetRight() > client.x ? r.x : 0;
        const int y = r.GetBottom() > client.y ? r.y : 0;
        if (x > 0 || y > 0) Scroll(ux > 0 ? x / ux : 0, uy > 0 ? y / uy : 0);
    }
}

}  // namespace app
