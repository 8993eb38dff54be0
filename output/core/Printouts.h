// The printouts of a scenario as jobs on a canvas (platform/PrintJob.h):
// the whole scenario (its summary, then one page per open graph), the oil
// budget table and the ICS table. Each page carries the common header and
// footer; the canvas is a page of the device at its own resolution.
#pragma once

#include <optional>
#include <vector>

#include "document/Interfaces.h"
#include "output/core/BudgetTable.h"
#include "output/core/IcsTable.h"
#include "platform/Canvas.h"

namespace document {
class SpillDocCore;
struct SessionState;
}  // namespace document

namespace output {

inline constexpr const char* kBudgetPrintTitle = "Spill Scenario - Oil Budget Table";
inline constexpr const char* kIcsPrintTitle = "Spill Scenario - ICS 209-OS Box 3";

// One part of the whole-scenario printout: the summary (no graph), or the
// page of one graph.
struct ScenarioPage {
    std::optional<document::OutputKind> graph;
    bool operator==(const ScenarioPage&) const = default;
};
// The summary, then every graph whose window is open, in graph order.
std::vector<ScenarioPage> ScenarioPages(const document::SessionState& session);

// The whole scenario: the summary under the header "Spill Scenario" (on as
// many pages as it needs), then each open graph on a page of its own in the
// unit chosen on screen, with the same header and the footer.
void PrintScenario(platform::Canvas& canvas, document::SpillDocCore& doc);

// A table's header and text in the fixed-pitch font from one inch plus ten
// pixels across and eight tenths of an inch down, tabs to stops every 20
// pixels; a line that would end lower than one inch above the bottom goes
// to a new page with the same header and footer. "N/A" in the middle of the
// page without results.
void PrintBudgetTable(platform::Canvas& canvas, const document::SpillDocCore& doc, const BudgetChoices& choices);
void PrintIcsTable(platform::Canvas& canvas, const document::SpillDocCore& doc, const IcsChoices& choices);

}  // namespace output
