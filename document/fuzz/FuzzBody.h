// One run of the scenario file fuzz target: arbitrary bytes as a .tvr file,
// opened through the document as File > Open does, then what the program
// does next with an opened scenario: the tree and the printed summary, a
// save and a reopen, and Solve's load of the model (without the run).
// Shared by the libFuzzer target and the regression test that replays the
// stored scenarios and the inputs kept under tests/data/document/fuzz/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "document/Derive.h"
#include "document/ScenarioFile.h"
#include "document/ScenarioSummary.h"
#include "document/ScenarioTree.h"
#include "document/SpillDoc.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Messages.h"

namespace document_fuzz {

// Stops the run when an invariant of the open path does not hold.
inline void Require(bool ok) {
    if (!ok) std::abort();
}

// 2024-02-05 14:00 UTC: the document's "now".
inline constexpr std::time_t kNow = 1707141600;

inline void RunOnce(const std::uint8_t* data, std::size_t size, const std::filesystem::path& folder) {
    using namespace document;
    const std::string path = (folder / "Fuzz.tvr").string();
    if (!platform::WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(data), size))) return;

    platform::FixedClock clock(kNow);
    platform::RecordingMessages messages;
    NullStatus status;
    NullOutputWindows outputs;
    SpillDocCore doc(OilLibraries{}, DocPorts{.messages = &messages, .status = &status, .outputs = &outputs,
                                              .clock = &clock});
    doc.OnNewDocument();
    const std::vector<std::uint8_t> fresh = SaveScenario(doc.scenario);

    if (!doc.OnOpenDocument(path)) {
        // Refused: one message that names the file and gives a reason, and
        // the scenario as it was.
        Require(messages.Entries().size() == 1);
        const std::string prefix = "Cannot open " + path + ": ";
        const std::string& text = messages.Entries()[0].text;
        Require(text.rfind(prefix, 0) == 0 && text.size() > prefix.size() + 10);
        Require(SaveScenario(doc.scenario) == fresh);
        return;
    }

    // What the opened scenario shows.
    ScenarioTreeModel tree;
    tree.Refresh(doc);
    for (const SummaryLine& line : PrintSummary(doc)) Require(line.depth >= 0 && line.depth <= 2);

    // Saved and opened again, it reads the same.
    const std::vector<std::uint8_t> saved = SaveScenario(doc.scenario);
    const LoadResult again = LoadScenario(saved);
    Require(again.scenario.has_value());
    Require(SaveScenario(*again.scenario) == saved);

    // Solve's first steps: the timed records derived again and the model
    // loaded from the scenario.
    if (MissingInputsText(doc.scenario).empty()) {
        RederiveTimedRecords(doc.scenario, clock);
        doc.LoadModel();
    }
}

}  // namespace document_fuzz
