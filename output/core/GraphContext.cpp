#include "output/core/GraphContext.h"

#include "document/SpillDoc.h"

namespace output {

const platform::IClock& GraphContext::Clock() const { return clock ? *clock : platform::DefaultClock(); }

std::tm GraphContext::LocalHour(int h) const {
    return Clock().Local(static_cast<std::time_t>(spillTime + static_cast<document::Time>(h) * 3600));
}

GraphContext GraphContext::FromDocument(document::SpillDocCore& doc) {
    GraphContext ctx;
    ctx.nSteps = doc.Model().nSteps;
    ctx.stepsPerHour = doc.Model().stepsPerHour;
    ctx.spillTime = doc.scenario.SpillTime;
    ctx.clock = &doc.Clock();
    return ctx;
}

}  // namespace output
