// The output area of one scenario's workspace: the scenario form, one
// output window maximised, or every output window tiled. Output windows
// are built by the factory registered for their kind
// (output/OutputRegistry.h); a kind without one shows a placeholder
// with its title.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include <wx/panel.h>
#include <wx/scrolwin.h>

#include "document/Interfaces.h"
#include "document/SpillDoc.h"

namespace app {

// Smallest tile of the tiled layout.
inline constexpr int kMinTileWidth = 200;
inline constexpr int kMinTileHeight = 180;

// Columns and rows of n tiles: ceil(sqrt(n)) columns.
struct TileGrid {
    int cols = 0, rows = 0;
};
TileGrid GridFor(int n);

class OutputArea final : public wxScrolledWindow, public document::IOutputWindows {
public:
    OutputArea(wxWindow* parent, document::SpillDocCore& doc);
    ~OutputArea() override;

    // The scenario form (shown when no output is, or on ShowForm).
    void SetForm(wxWindow* form);

    bool Open(document::OutputKind kind) override;
    void Close(document::OutputKind kind) override;
    bool Exists(document::OutputKind kind) const override;
    void Tile() override;
    void Maximise(document::OutputKind kind) override;
    void ShowForm() override;

    // Repaints every open output (their contents come from the model).
    void RefreshOutputs();
    // The output window the user worked with last, or null (also after a
    // click in the form or the tree, which take the commands back).
    wxWindow* ActiveOutput() const;
    // The active output is a table (File > Save As saves it).
    bool ActiveTable() const;
    void ClearActive();
    // Ctrl+Tab (step 1) and Ctrl+Shift+Tab (-1): the next output in output
    // order becomes active (and the one shown when one is shown at a time)
    // and takes the keyboard; step 0 does so for the active or shown one.
    void ActivateNext(int step);
    // A tile's caption: its close box and a double-click, which shows the
    // tile alone over the area and, again, gives the tiles back.
    void CloseFromCaption(document::OutputKind kind);
    void ToggleZoom(document::OutputKind kind);
    bool Zoomed() const { return zoomed_; }
    wxWindow* CaptionOf(document::OutputKind kind) const;
    wxWindow* CloseBoxOf(document::OutputKind kind) const;
    // The content window of an open output, or null.
    wxWindow* OutputWindow(document::OutputKind kind) const;
    enum class Mode { Form, Maximised, Tiled };
    Mode CurrentMode() const { return mode_; }
    // The tiles shown, in layout order.
    std::vector<document::OutputKind> Shown() const;

private:
    struct TileWindows {
        wxPanel* frame = nullptr;    // caption strip and content
        wxPanel* caption = nullptr;
        wxWindow* title = nullptr;
        wxWindow* close = nullptr;
        wxWindow* content = nullptr;
    };
    // Places the form, the maximised output or the tiles, by the mode.
    void Arrange();
    void OnSize(wxSizeEvent& e);
    void Activate(document::OutputKind kind);
    // The active output's caption is highlighted.
    void ShowActive();

    document::SpillDocCore& doc_;
    wxWindow* form_ = nullptr;
    std::map<document::OutputKind, TileWindows> tiles_;
    std::vector<document::OutputKind> order_;  // opening order
    Mode mode_ = Mode::Form;
    document::OutputKind maximised_ = document::OutputKind::Budget;
    document::OutputKind active_ = document::OutputKind::Budget;
    bool hasActive_ = false;
    bool zoomed_ = false;  // tiled mode, the active tile alone
};

}  // namespace app
