#include "document/OutputWindows.h"

namespace document {

const char* OutputTitle(OutputKind kind) {
    static constexpr const char* kTitles[kOutputKindCount] = {
        "Density", "Viscosity", "Water", "Benzene", "Oil Budget", "Evaporation", "Disperse",
        "Remain",  "Burn",      "Skim",  "Beach",   "Oil Budget Table", "ICS Table",
    };
    const int i = static_cast<int>(kind);
    return i >= 0 && i < kOutputKindCount ? kTitles[i] : "";
}

bool OutputWindowsLogic::AnyGraphOpen() const {
    for (int g = 0; g < kGraphCount; ++g)
        if (s_.m_bGraphOpen[g]) return true;
    return false;
}

bool OutputWindowsLogic::Open(OutputKind kind) {
    if (!w_.Open(kind)) return false;
    if (s_.m_bMultipleGraphs)
        w_.Tile();
    else
        w_.Maximise(kind);
    return true;
}

void OutputWindowsLogic::Close(OutputKind kind) {
    if (w_.Exists(kind)) w_.Close(kind);
}

void OutputWindowsLogic::CloseAll() {
    // A window without its flag (or the reverse) can only come from a
    // failed creation; close whatever exists.
    for (int g = 0; g < kGraphCount; ++g) Close(GraphKind(g));
    Close(OutputKind::BudgetTable);
    Close(OutputKind::IcsTable);
}

void OutputWindowsLogic::Retile() {
    for (int k = 0; k < kOutputKindCount; ++k) {
        if (w_.Exists(static_cast<OutputKind>(k))) {
            w_.Tile();
            break;
        }
    }
    if (!AnyGraphOpen()) w_.ShowForm();
}

void OutputWindowsLogic::ToggleGraph(int graph) {
    if (graph < 0 || graph >= kGraphCount) return;
    int& flag = s_.m_bGraphOpen[graph];
    flag = !flag;
    if (!s_.m_bMultipleGraphs) {
        CloseAll();
        for (int g = 0; g < kGraphCount; ++g)
            if (g != graph) s_.m_bGraphOpen[g] = 0;
    }
    if (flag) {
        Open(GraphKind(graph));
    } else {
        Close(GraphKind(graph));
        if (s_.m_bMultipleGraphs) Retile();
    }
}

void OutputWindowsLogic::SingleGraph() {
    s_.m_bMultipleGraphs = 0;
    CloseAll();
    int keep = -1;
    for (int g = 0; g < kGraphCount; ++g) {
        if (s_.m_bGraphOpen[g] && keep < 0)
            keep = g;
        else
            s_.m_bGraphOpen[g] = 0;
    }
    if (keep < 0) {
        keep = GraphDensity;
        s_.m_bGraphOpen[keep] = 1;
    }
    Open(GraphKind(keep));
}

void OutputWindowsLogic::MultipleGraphs() { s_.m_bMultipleGraphs = 1; }

void OutputWindowsLogic::ShowAllGraphs() {
    s_.m_bMultipleGraphs = 1;
    for (int g = 0; g < kGraphCount; ++g) {
        s_.m_bGraphOpen[g] = 1;
        Open(GraphKind(g));
    }
}

bool OutputWindowsLogic::RefreshAfterInputChange() {
    bool changed = false;
    for (int i = 0; i < kInputChangeFlags; ++i)
        if (s_.m_bChanged[i]) changed = true;
    if (!changed) return false;
    CloseAll();
    s_.m_bMultipleGraphs = s_.startMultipleGraphs;
    for (int& g : s_.m_bGraphOpen) g = 0;
    if (s_.m_bNotSolved == 0) {
        s_.m_bNewGraphsNotice = 1;
        s_.resultsStale = true;
    }
    return true;
}

void OutputWindowsLogic::UpdateHint(IStatus& status) const {
    const bool shown = status.Get() == kGraphUnitsHint;
    if (AnyGraphOpen() && !shown)
        status.Set(kGraphUnitsHint);
    else if (!AnyGraphOpen() && shown)
        status.Set(kReadyText);  // no graph left to right-click
}

}  // namespace document
