// What the graph engines read from the scenario besides the series record:
// the run's steps, its steps per hour and the spill time with the clock
// that shows it in local time.
#pragma once

#include "document/Scenario.h"
#include "platform/Clock.h"

namespace document {
class SpillDocCore;
}

namespace output {

struct GraphContext {
    int nSteps = 0;
    int stepsPerHour = 1;
    document::Time spillTime = 0;
    const platform::IClock* clock = nullptr;  // none: the process default

    const platform::IClock& Clock() const;
    // Model hour h as local time (the spill time plus h hours).
    std::tm LocalHour(int h) const;

    static GraphContext FromDocument(document::SpillDocCore& doc);
};

}  // namespace output
