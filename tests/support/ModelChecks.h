// Shared by the model tests and benchmarks: a temporary output folder for
// the model's files, and checks of the invariants of a solved model.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>

#include "model/WeatheringCore.h"
#include "platform/Files.h"
#include "platform/NumText.h"
#include "tests/test_temp_dir.h"

namespace tavro_test {

// A fresh folder for the files of the models given to Use, removed with
// the object.
class TempOutputFolder {
public:
    TempOutputFolder() = default;
    TempOutputFolder(const TempOutputFolder&) = delete;
    TempOutputFolder& operator=(const TempOutputFolder&) = delete;

    std::string Path() const { return dir_.Path().string(); }
    // The model writes its files here.
    model::CWeatheringCore& Use(model::CWeatheringCore& c) const {
        c.outputFolder = Path();
        return c;
    }
    std::string File(const char* name) const { return platform::PathIn(Path(), name); }
    std::string Read(const char* name) const {
        std::string s;
        platform::ReadWholeFile(File(name), s);
        return s;
    }

private:
    TempDir dir_{"tavro_timeloop"};
};

inline int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size())) ++n;
    return n;
}

// ---- Invariants of a solved model; each returns "" when it holds ----------

inline double Best(const model::CWeatheringCore& c, int v, int at) {
    const double x = c.out[v][at + model::SLOT_BEST];
    return x == model::MISSING_VALUE_D ? 0.0 : x;
}

// remaining + evaporated + dispersed + burned + skimmed + beached = spilled
// at every step (best values), and every fate non-decreasing.
inline std::string MassBalanceError(const model::CWeatheringCore& c, double tol) {
    using namespace model;
    const int fates[] = {OUT_EVAPORATED, OUT_DISPERSED, OUT_BURNED, OUT_SKIMMED, OUT_BEACHED, OUT_SPILLED};
    for (int v = 0; v < c.nSteps; ++v) {
        const double spilled = Best(c, v, OUT_SPILLED);
        const double sum = Best(c, v, OUT_REMAINING) + Best(c, v, OUT_EVAPORATED) + Best(c, v, OUT_DISPERSED) +
                           Best(c, v, OUT_BURNED) + Best(c, v, OUT_SKIMMED) + Best(c, v, OUT_BEACHED);
        if (std::fabs(sum - spilled) > tol * std::max(spilled, 1e-300))
            return platform::Format("step %d: fates %.17g, spilled %.17g", v, sum, spilled);
        if (Best(c, v, OUT_REMAINING) < 0) return platform::Format("step %d: negative remaining", v);
        if (Best(c, v, OUT_CHEM_DISPERSED) > Best(c, v, OUT_DISPERSED) * (1 + 1e-12))
            return platform::Format("step %d: chemically dispersed above dispersed", v);
        if (v > 0)
            for (int at : fates)
                if (Best(c, v, at) < Best(c, v - 1, at))
                    return platform::Format("step %d: fate %d decreases", v, at);
    }
    return "";
}

// low <= best <= high for every property band and for remaining,
// evaporated, dispersed and spilled; physical limits of the properties.
inline std::string BandsError(const model::CWeatheringCore& c) {
    using namespace model;
    for (int v = 0; v < c.nSteps; ++v) {
        for (int at : {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER, OUT_BENZENE, OUT_REMAINING, OUT_EVAPORATED,
                       OUT_DISPERSED, OUT_SPILLED}) {
            const double hi = c.out[v][at + SLOT_HIGH], lo = c.out[v][at + SLOT_LOW], best = c.out[v][at + SLOT_BEST];
            if (best == MISSING_VALUE_D) continue;
            if (!(lo <= best && best <= hi))
                return platform::Format("step %d at %d: low %.17g best %.17g high %.17g", v, at, lo, best, hi);
        }
        const double y = c.out[v][OUT_WATER + SLOT_HIGH];
        if (y != MISSING_VALUE_D && (y < 0 || y > c.Ymax * 1.000001 + 1e-15 + (c.Ymax < 0 ? 1 : 0)))
            return platform::Format("step %d: water content %.17g", v, y);
        if (c.out[v][OUT_DENSITY + SLOT_HIGH] > c.waterDensity * (1 + 1e-12))
            return platform::Format("step %d: density above the water's", v);
        if (c.out[v][OUT_VISCOSITY + SLOT_LOW] < c.visc * 0.999)
            return platform::Format("step %d: viscosity below the fresh oil's", v);
        if (c.out[v][OUT_BENZENE + SLOT_LOW] < c.minBenzene * 0.998)
            return platform::Format("step %d: benzene below its floor", v);
    }
    return "";
}

// Every value of the used steps is finite or exactly the missing mark.
inline std::string FiniteError(const model::CWeatheringCore& c) {
    for (int v = 0; v < c.nSteps; ++v)
        for (int i = 0; i < model::STEP_OUTPUT_VALUES; ++i) {
            const double x = c.out[v][i];
            if (i >= model::OUT_EMULSIFIED && i < model::OUT_EMULSIFIED + 3) continue;
            if (i == model::OUT_SPARE || i == model::OUT_SPARE + 1) continue;
            if (!std::isfinite(x)) return platform::Format("step %d value %d is %g", v, i, x);
        }
    return "";
}

}  // namespace tavro_test
