#include "output/GraphViews.h"

#include <algorithm>
#include <memory>

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "output/OutputRegistry.h"
#include "platform/wx/WxDcCanvas.h"
#include "platform/wx/WxText.h"

namespace output {

namespace {
// The toolkit takes no menu item id above 0x7FFF (the commands' own numbers
// are above it): the command at position i of GraphMenuCommands() has the
// item id kFirstItemId + i.
constexpr int kFirstItemId = wxID_HIGHEST + 1000;

int LastItemId() { return kFirstItemId + static_cast<int>(GraphMenuCommands().size()) - 1; }
}  // namespace

int GraphMenuItemId(int command) {
    const std::vector<int>& commands = GraphMenuCommands();
    const auto at = std::find(commands.begin(), commands.end(), command);
    return at == commands.end() ? 0 : kFirstItemId + static_cast<int>(at - commands.begin());
}

int GraphCommandOfItem(int itemId) {
    const std::vector<int>& commands = GraphMenuCommands();
    const int i = itemId - kFirstItemId;
    return i >= 0 && i < static_cast<int>(commands.size()) ? commands[static_cast<std::size_t>(i)] : 0;
}

void RegisterGraphViews() {
    for (const GraphViewRow& row : GraphViews()) {
        const document::OutputKind kind = row.kind;
        RegisterOutputWindow(kind, [kind](wxWindow* parent, document::SpillDocCore& doc) -> wxWindow* {
            return new GraphPanel(parent, kind, doc);
        });
    }
}

GraphPanel::GraphPanel(wxWindow* parent, document::OutputKind kind, document::SpillDocCore& doc)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE),
      view_(kind, doc) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetName(view_.Row().className);
    Bind(wxEVT_PAINT, &GraphPanel::OnPaint, this);
    Bind(wxEVT_CONTEXT_MENU, &GraphPanel::OnContextMenu, this);
    Bind(wxEVT_KEY_DOWN, &GraphPanel::OnKeyDown, this);
    Bind(wxEVT_MENU, &GraphPanel::OnMenu, this, kFirstItemId, LastItemId());
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
        SetFocus();
        e.Skip();
    });
}

void GraphPanel::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    platform::WxDcCanvas canvas = platform::WxDcCanvas::ForWindow(dc, *this);
    const wxSize size = GetClientSize();
    view_.Draw(canvas, {0, 0, size.x, size.y});
    ++paints_;
}

wxMenu* GraphPanel::MakeMenu() const {
    auto* menu = new wxMenu;
    for (const GraphMenuItem& item : view_.Menu()) {
        if (item.command == 0)
            menu->AppendSeparator();
        else
            menu->Append(GraphMenuItemId(item.command), platform::ToWx(item.text));
    }
    return menu;
}

void GraphPanel::OpenMenuAt(wxPoint client) {
    std::unique_ptr<wxMenu> menu(MakeMenu());
    PopupMenu(menu.get(), client);
}

void GraphPanel::OnContextMenu(wxContextMenuEvent& e) {
    const wxPoint screen = e.GetPosition();
    const wxRect client(ClientToScreen(wxPoint(0, 0)), GetClientSize());
    std::optional<platform::Point> pointer;
    if (screen != wxDefaultPosition) pointer = platform::Point{screen.x, screen.y};
    const auto at = GraphViewModel::MenuPoint(
        pointer, {client.GetLeft(), client.GetTop(), client.GetLeft() + client.GetWidth(),
                  client.GetTop() + client.GetHeight()});
    if (!at) {
        e.Skip();
        return;
    }
    OpenMenuAt(ScreenToClient(wxPoint(at->x, at->y)));
}

void GraphPanel::OnKeyDown(wxKeyEvent& e) {
    const int key = e.GetKeyCode();
    const bool menuKey = key == WXK_WINDOWS_MENU || key == WXK_MENU || (key == WXK_F10 && e.ShiftDown());
    if (!menuKey) {
        e.Skip();
        return;
    }
    const wxSize size = GetClientSize();
    OpenMenuAt(wxPoint(size.x / 2, size.y / 2));
}

void GraphPanel::OnMenu(wxCommandEvent& e) { RunCommand(GraphCommandOfItem(e.GetId())); }

void GraphPanel::RunCommand(int command) {
    switch (view_.OnCommand(command)) {
        case GraphViewModel::CommandResult::Repaint: Refresh(true); break;
        case GraphViewModel::CommandResult::Help: ShowHelp(); break;
        case GraphViewModel::CommandResult::None: break;
    }
}

void GraphPanel::ShowHelp() {
    CContextMenuHelp dialog(this, view_.Row().helpTemplate);
    dialog.ShowModal();
}

CContextMenuHelp::CContextMenuHelp(wxWindow* parent, int templateId, platform::IHelp* help)
    : wxDialog(parent, wxID_ANY, wxString()), help_(help) {
    const GraphHelpPage* page = FindGraphHelp(templateId);
    auto* top = new wxBoxSizer(wxVERTICAL);
    if (page) {
        SetTitle(platform::ToWx(page->caption));
        for (const char* text : page->texts) {
            auto* label = new wxStaticText(this, wxID_ANY, platform::ToWx(text));
            label->Wrap(FromDIP(420));
            top->Add(label, 0, wxALL, FromDIP(8));
        }
    }
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* more = new wxButton(this, kReadMoreId, platform::ToWx(kGraphHelpButton));
    buttons->Add(more, 0, wxRIGHT, FromDIP(8));
    buttons->AddStretchSpacer();
    // OK is the default button and starts with the focus: Enter closes the
    // dialog, as Escape does.
    auto* ok = new wxButton(this, wxID_OK, "OK");
    buttons->Add(ok, 0);
    top->Add(buttons, 0, wxEXPAND | wxALL, FromDIP(8));
    SetSizerAndFit(top);
    SetEscapeId(wxID_OK);
    ok->SetDefault();
    ok->SetFocus();
    CentreOnParent();
    more->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        platform::IHelp& h = help_ ? *help_ : platform::DefaultHelp();
        h.ShowTopic(kGraphHelpPage, "");
    });
}

}  // namespace output
