#include "app/OutputArea.h"

#include <algorithm>
#include <cmath>

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

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
    auto* captionSizer = new wxBoxSizer(wxHORIZONTAL);
    captionSizer->Add(title, 1, wxALL, kCaptionPad);
    caption->SetSizer(captionSizer);
    auto activate = [this, kind](wxMouseEvent& e) {
        Activate(kind);
        e.Skip();
    };
    caption->Bind(wxEVT_LEFT_DOWN, activate);
    title->Bind(wxEVT_LEFT_DOWN, activate);

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
    Arrange();
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
    if (mode_ == Mode::Maximised) {
        wxPanel* frame = tiles_.at(maximised_).frame;
        frame->SetSize(0, 0, client.x, client.y);
        frame->Show();
        frame->Layout();
        SetVirtualSize(client);
        return;
    }
    // Tiles in output order (graph order, then the tables), whatever the
    // order they were opened in.
    const TileGrid g = GridFor(static_cast<int>(tiles_.size()));
    const int w = std::max(kMinTileWidth, client.x / g.cols);
    const int h = std::max(kMinTileHeight, client.y / g.rows);
    int i = 0;
    for (auto& [kind, tile] : tiles_) {
        const int col = i % g.cols;
        const int row = i / g.cols;
        ++i;
        wxPanel* frame = tile.frame;
        frame->SetSize(col * w, row * h, w, h);
        frame->Show();
        frame->Layout();
    }
    SetVirtualSize(std::max(client.x, g.cols * w), std::max(client.y, g.rows * h));
}

}  // namespace app
