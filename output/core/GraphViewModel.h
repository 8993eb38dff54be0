// What the eleven graph windows do, without a toolkit: the family table
// (title, series, engine, unit labels, menu, help), the unit menu commands,
// the record fill and the drawing of one graph of a document on any canvas.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/Interfaces.h"
#include "document/Scenario.h"
#include "platform/Canvas.h"

namespace document {
class SpillDocCore;
}

namespace output {

enum class GraphEngine { Linear, Log, Budget };

// One item of a unit menu; command 0 is a separator.
struct GraphMenuItem {
    const char* text;
    int command;
};

// The fixed texts of a graph's help dialog.
struct GraphHelpPage {
    int templateId;
    const char* caption;
    std::vector<const char*> texts;
};
inline constexpr const char* kGraphHelpButton = "Read more about it in the online manual";
inline constexpr const char* kGraphHelpPage = "output";

// One graph view of the table: its window, series, engine, unit labels,
// menu and help.
struct GraphViewRow {
    document::OutputKind kind;
    document::EGraphWindow window;
    const char* className;
    const char* templateString;
    int seriesKind;  // model::EOutputKind; -1 for the budget
    GraphEngine engine;
    const char* (*unitLabel)(int index);
    int menuId;
    int helpCommand;
    int helpTemplate;
    bool fixedUnit;  // benzene: always unit 0, the document's index not read
};

// The view of a graph kind; null for the tables.
const GraphViewRow* FindGraphView(document::OutputKind kind);
const std::vector<GraphViewRow>& GraphViews();
const std::vector<GraphMenuItem>& GraphMenu(int menuId);
const GraphHelpPage* FindGraphHelp(int templateId);
// Unit index of a menu command (any menu); none for other commands.
std::optional<int> UnitOfCommand(int command);
// Every command of the unit menus, each once, in ascending order. A view
// whose toolkit limits menu ids (below the commands' own numbers) gives the
// command at position i the item id first + i.
const std::vector<int>& GraphMenuCommands();

class GraphViewModel {
public:
    GraphViewModel(document::OutputKind kind, document::SpillDocCore& doc);

    const GraphViewRow& Row() const { return *row_; }
    // The unit in force: the document's entry for this graph (benzene: 0).
    int UnitIndex() const;
    std::string UnitLabel() const;
    // Label of any index of this graph's list; empty outside the list.
    std::string LabelOf(int index) const;
    const std::vector<GraphMenuItem>& Menu() const { return GraphMenu(row_->menuId); }
    const GraphHelpPage& Help() const { return *FindGraphHelp(row_->helpTemplate); }

    enum class CommandResult { None, Repaint, Help };
    // A menu command: a new unit is written to the document (repaint), the
    // unit in force or a foreign command does nothing.
    CommandResult OnCommand(int command);

    // Where the unit menu opens, in screen coordinates: at a pointer inside
    // the client rectangle, at its centre for the keyboard (no point);
    // none for a pointer outside.
    static std::optional<platform::Point> MenuPoint(std::optional<platform::Point> pointer,
                                                    const platform::Rect& clientOnScreen);

    // The engine's title for the current unit ("Oil Density (g/cc)").
    std::string Title() const;
    void Draw(platform::Canvas& canvas, const platform::Rect& rect) const;

private:
    const GraphViewRow* row_;
    document::SpillDocCore& doc_;
};

// Draws one graph of the document in its current unit: the record is
// filled with the unit's label and drawn by the graph's engine.
void DrawGraphOutput(document::OutputKind kind, document::SpillDocCore& doc, platform::Canvas& canvas,
                     const platform::Rect& rect);

}  // namespace output
