// What the scenario document needs from the program around it: the input
// dialogs, the message bar and busy cursor, and the output windows. The GUI
// implements them with windows; tests with fakes.
#pragma once

#include <string>
#include <string_view>

namespace document {

class SpillDocCore;

enum class DialogKind {
    Release,
    WindWave,
    Water,
    StandardOils,
    CustomOils,
    Emulsification,
    Dispersant,
    InSituBurn,
    Mechanical,
    Beaching,
};

// Runs one modal input dialog on the document; true when it ended with OK.
// The dialog writes the document's variables itself.
class IDialogRunner {
public:
    virtual ~IDialogRunner() = default;
    virtual bool Run(DialogKind kind, SpillDocCore& doc) = 0;
};

// The main frame's message bar and the busy cursor.
class IStatus {
public:
    virtual ~IStatus() = default;
    virtual std::string Get() = 0;
    // Sets and shows the text at once (the run blocks the event loop).
    virtual void Set(std::string_view text) = 0;
    virtual void Busy(bool on) = 0;
};

// The output windows of one scenario: the eleven graphs in EGraphWindow
// order, then the two tables.
enum class OutputKind : int {
    Density = 0, Viscosity, Water, Benzene, Budget, Evaporation, Disperse, Remain, Burn, Skim, Beach,
    BudgetTable, IcsTable,
};

class IOutputWindows {
public:
    virtual ~IOutputWindows() = default;
    virtual bool Open(OutputKind kind) = 0;
    virtual void Close(OutputKind kind) = 0;
    virtual bool Exists(OutputKind kind) const = 0;
    virtual void Tile() = 0;
    virtual void Maximise(OutputKind kind) = 0;
    virtual void ShowForm() = 0;
};

// The scenario tree's part of the idle-time refresh.
class ITreeRefresh {
public:
    virtual ~ITreeRefresh() = default;
    // Rebuilds the sections whose change flags are up and clears those flags
    // (not SolvedPrint).
    virtual void Refresh(SpillDocCore& doc) = 0;
};

// Caption and page titles of a removal sheet.
struct SheetTitles {
    const char* caption;
    const char* pages[5];
};
inline constexpr SheetTitles kDispersantSheet = {"Dispersant Use", {"Spray 1", "Spray 2", "Spray 3", "Spray 4", "Spray 5"}};
inline constexpr SheetTitles kInSituBurnSheet = {"In-SituBurn", {"Burn 1", "Burn 2", "Burn 3", "Burn 4", "Burn 5"}};
inline constexpr SheetTitles kMechanicalSheet = {
    "Mechanical Cleanup", {"Cleanup 1", "Cleanup 2", "Cleanup 3", "Cleanup 4", "Cleanup 5"}};

// Do-nothing ports for a document without windows.
class NullStatus final : public IStatus {
public:
    std::string Get() override { return text_; }
    void Set(std::string_view text) override { text_ = text; }
    void Busy(bool) override {}

private:
    std::string text_;
};

class NullOutputWindows final : public IOutputWindows {
public:
    bool Open(OutputKind) override { return true; }
    void Close(OutputKind) override {}
    bool Exists(OutputKind) const override { return false; }
    void Tile() override {}
    void Maximise(OutputKind) override {}
    void ShowForm() override {}
};

}  // namespace document
