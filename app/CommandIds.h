// Command ids of the menus, the toolbar and the form's buttons.
#pragma once

#include <wx/defs.h>
#include <wx/event.h>
#include <wx/window.h>

#include "document/Interfaces.h"

namespace app {

enum CommandId : int {
    ID_RELEASE = wxID_HIGHEST + 100,
    ID_STANDARD_OILS,
    ID_CUSTOM_OILS,
    ID_EMULSIFICATION,
    ID_WIND_WAVE,
    ID_WATER,
    ID_DISPERSANT,
    ID_IN_SITU_BURN,
    ID_MECHANICAL,
    ID_BEACHING,
    ID_OIL_BUTTON,  // the form's Oil button: standard or custom by the scenario's oil
    ID_SOLVE,
    ID_GRAPH_FIRST,  // the eleven graph toggles, in graph order
    ID_GRAPH_LAST = ID_GRAPH_FIRST + 10,
    ID_SINGLE_GRAPH,
    ID_MULTIPLE_GRAPHS,
    ID_SHOW_ALL_GRAPHS,
    ID_BUDGET_TABLE,
    ID_ICS_TABLE,
    ID_VIEW_TOOLBAR,
    ID_VIEW_STATUS_BAR,
    ID_VIEW_SCENARIO_TREE,
    ID_NEXT_PANE,
    ID_NEXT_OUTPUT,  // Ctrl+Tab and Ctrl+Shift+Tab: between the outputs
    ID_PREVIOUS_OUTPUT,
};

// The toggle command of a graph (EGraphWindow order).
inline constexpr int GraphCommand(int graph) { return static_cast<int>(ID_GRAPH_FIRST) + graph; }

// The input commands and the dialogs they run.
struct InputCommand {
    int id;
    document::DialogKind dialog;
};
inline constexpr InputCommand kInputCommands[] = {
    {ID_RELEASE, document::DialogKind::Release},
    {ID_STANDARD_OILS, document::DialogKind::StandardOils},
    {ID_CUSTOM_OILS, document::DialogKind::CustomOils},
    {ID_EMULSIFICATION, document::DialogKind::Emulsification},
    {ID_WIND_WAVE, document::DialogKind::WindWave},
    {ID_WATER, document::DialogKind::Water},
    {ID_DISPERSANT, document::DialogKind::Dispersant},
    {ID_IN_SITU_BURN, document::DialogKind::InSituBurn},
    {ID_MECHANICAL, document::DialogKind::Mechanical},
    {ID_BEACHING, document::DialogKind::Beaching},
};

// Sends a menu command from a window, as the menu would: to the window's
// top-level frame. False when the window has none.
inline bool SendMenuCommand(wxWindow* source, int id) {
    wxWindow* top = source ? wxGetTopLevelParent(source) : nullptr;
    if (!top) return false;
    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(source);
    top->GetEventHandler()->ProcessEvent(command);
    return true;
}

}  // namespace app
