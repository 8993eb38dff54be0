// Which output windows of a scenario are open and how they are laid out:
// one maximised (single-graph mode) or all tiled (multiple-graphs mode).
// Works on the session's flags and drives the windows through
// IOutputWindows, so it runs headless.
#pragma once

#include <string>

#include "document/Interfaces.h"
#include "document/Scenario.h"

namespace document {

inline constexpr const char* kGraphUnitsHint = "Click the right mouse button to change output graph units";
inline constexpr const char* kReadyText = "Ready";  // the message bar at rest

// Window titles, by OutputKind.
const char* OutputTitle(OutputKind kind);
inline constexpr int kOutputKindCount = 13;
inline OutputKind GraphKind(int graph) { return static_cast<OutputKind>(graph); }

class OutputWindowsLogic {
public:
    OutputWindowsLogic(SessionState& session, IOutputWindows& windows) : s_(session), w_(windows) {}

    // Finds or creates the window, then tiles (multiple-graphs mode) or
    // maximises it (single). False when it could not be created; the open
    // flag is left as the caller set it.
    bool Open(OutputKind kind);
    void Close(OutputKind kind);
    // Every open graph in EGraphWindow order, then the two tables; the
    // flags stay.
    void CloseAll();
    // Tiles what is open; with no graph flag set, shows the form.
    void Retile();

    // ---- Commands ----
    void ToggleGraph(int graph);
    void SingleGraph();
    void MultipleGraphs();
    void ShowAllGraphs();
    bool OpenTable(OutputKind table) { return Open(table); }

    // ---- Enabling and checks ----
    // Graph, mode and table commands: only with current results.
    bool OutputsEnabled() const { return s_.m_bNotSolved == 0 && !s_.resultsStale; }
    bool GraphChecked(int graph) const { return graph >= 0 && graph < kGraphCount && s_.m_bGraphOpen[graph] != 0; }
    bool SingleChecked() const { return s_.m_bMultipleGraphs == 0; }
    bool MultipleChecked() const { return s_.m_bMultipleGraphs != 0; }
    bool AnyGraphOpen() const;

    // The idle-time refresh after an input change: when any input change
    // flag is up, closes every output window, goes back to the starting
    // mode (single-graph unless the user chose otherwise) and clears the
    // open flags; a solved scenario then raises the
    // re-solve notice and marks its results stale. The flags stay up (the
    // tree clears them). True when it acted.
    bool RefreshAfterInputChange();

    // Puts the graph-units hint in the message bar while a graph is open
    // and takes it away ("Ready") when none is; writes only on a change.
    void UpdateHint(IStatus& status) const;

private:
    SessionState& s_;
    IOutputWindows& w_;
};

}  // namespace document
