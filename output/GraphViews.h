// The eleven graph windows: one panel class driven by the graph table,
// painting its graph from the model at every paint in the unit chosen from
// its right-click menu, and the graph help dialog.
#pragma once

#include <wx/dialog.h>
#include <wx/panel.h>

#include "document/Interfaces.h"
#include "output/core/GraphViewModel.h"
#include "platform/Help.h"

class wxMenu;

namespace output {

// Registers the eleven graph windows with the workspaces' output area.
void RegisterGraphViews();

// The toolkit's id of the menu item of a unit-menu command, and back (0:
// not a unit-menu command or item).
int GraphMenuItemId(int command);
int GraphCommandOfItem(int itemId);

class GraphPanel final : public wxPanel {
public:
    GraphPanel(wxWindow* parent, document::OutputKind kind, document::SpillDocCore& doc);

    GraphViewModel& View() { return view_; }
    // The unit menu of this graph (the caller owns it); its items have the
    // ids GraphMenuItemId gives.
    wxMenu* MakeMenu() const;
    // Runs a command of the menu (by its own number): a new unit repaints,
    // Help shows the help dialog modally.
    void RunCommand(int command);
    void ShowHelp();
    // Opens the unit menu at a client point (the keyboard: the centre).
    void OpenMenuAt(wxPoint client);
    // Paints so far (tests wait for a repaint with it).
    int PaintCount() const { return paints_; }

private:
    void OnPaint(wxPaintEvent& e);
    void OnContextMenu(wxContextMenuEvent& e);
    void OnKeyDown(wxKeyEvent& e);
    void OnMenu(wxCommandEvent& e);

    GraphViewModel view_;
    int paints_ = 0;
};

// The graph help dialog: caption, fixed texts, a button that opens the
// output page of the help book, and OK.
class CContextMenuHelp final : public wxDialog {
public:
    static constexpr int kReadMoreId = 1162;
    // help: the help port (null: the program's default).
    CContextMenuHelp(wxWindow* parent, int templateId, platform::IHelp* help = nullptr);

private:
    platform::IHelp* help_;
};

}  // namespace output
