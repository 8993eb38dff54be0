// Run preparation and spreading of the heaviest run: 120 hours, about 480
// elements (a large first hour and a small release in every later hour),
// winds that change speed and direction from hour to hour.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "model/Triangulation.h"
#include "model/WeatheringCore.h"
#include "platform/Random.h"
#include "tests/support/ScenarioBuilder.h"

using namespace model;

namespace {

// The heaviest run through the setters; false, the benchmark skipped,
// without the standard library.
bool LoadHeaviest(benchmark::State& state, CWeatheringCore& c) {
    if (tavro_test::LoadSolveScenario(c, tavro_test::HeaviestScenario(), 2024)) return true;
    state.SkipWithError("standard oil library not found");
    return false;
}

void BM_PrepareAndSpreadHeaviest(benchmark::State& state) {
    auto c = std::make_unique<CWeatheringCore>();
    for (auto _ : state) {
        state.PauseTiming();
        if (!LoadHeaviest(state, *c)) return;
        state.ResumeTiming();
        if (c->PrepareRun() != CWeatheringCore::RUN_OK || c->Spread() != CWeatheringCore::RUN_OK) {
            state.SkipWithError("run failed");
            return;
        }
        benchmark::DoNotOptimize(c->le[0].area[MAX_HOURS - 1]);
    }
    state.counters["elements"] = c->leCount;
}
BENCHMARK(BM_PrepareAndSpreadHeaviest)->Unit(benchmark::kMillisecond);

void BM_SpreadOnlyHeaviest(benchmark::State& state) {
    auto c = std::make_unique<CWeatheringCore>();
    for (auto _ : state) {
        state.PauseTiming();
        if (!LoadHeaviest(state, *c)) return;
        c->PrepareRun();
        state.ResumeTiming();
        c->Spread();
        benchmark::DoNotOptimize(c->le[0].area[MAX_HOURS - 1]);
    }
}
BENCHMARK(BM_SpreadOnlyHeaviest)->Unit(benchmark::kMillisecond);

// 1000 points (the largest load) triangulated 120 times, with the Thiessen
// areas.
void BM_Triangulate1000x120(benchmark::State& state) {
    platform::CModelRandom r(7);
    const int n = 1000;
    std::vector<double> x(n), y(n), areas(n);
    std::vector<STriangleOut> tri(2 * n);
    for (int i = 0; i < n; ++i) {
        const double a = r.Uniform() * 6.283185307179586, d = std::sqrt(r.Uniform()) * 3000.0;
        x[i] = d * std::cos(a);
        y[i] = d * std::sin(a);
    }
    for (auto _ : state) {
        int count = 0;
        for (int k = 0; k < 120; ++k) ComputeThiessenAreas(x.data(), y.data(), n, areas.data(), tri.data(), &count);
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_Triangulate1000x120)->Unit(benchmark::kMillisecond);

}  // namespace
