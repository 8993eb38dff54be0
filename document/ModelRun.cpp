// The model run of Solve.
#include "document/SpillDoc.h"

namespace document {

int SpillDocCore::RunModel() {
    model::CWeatheringCore& m = *core_;
    using R = model::CWeatheringCore;
    m.Messages().Begin();
    int rc = m.PrepareRun();
    if (rc == R::RUN_OK && !m.fatalInput) rc = m.Spread();
    if (rc == R::RUN_OK && !m.fatalInput) rc = m.Solve(1);
    if (rc == R::RUN_OK && m.fatalInput) rc = R::RUN_FATAL_INPUT;
    return rc;
}

}  // namespace document
