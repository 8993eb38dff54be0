// The full solve as the program runs it (Reset, setters, PrepareRun,
// Spread, Solve with the dump files) for a typical and for the heaviest
// scenario.
#include <benchmark/benchmark.h>

#include <memory>

#include "tests/support/ModelChecks.h"
#include "tests/support/ScenarioBuilder.h"

namespace {

using tavro_test::SolveScenario;

// 120 hours, one instantaneous release of 1000 m3 (239 elements), no
// uncertainty.
SolveScenario Typical() {
    SolveScenario s;
    s.name = "typical";
    s.hours = 120;
    return s;
}

// 120 hours, a large first hour and a release in every later hour (about
// 450 elements), all three uncertainty switches (nine turns).
SolveScenario Worst() {
    SolveScenario s = Typical();
    s.name = "worst";
    s.tailRate = 1.0;
    s.windUnc = 2.0;
    s.volUnc = 20.0;
    s.emulUnc = 10.0;
    return s;
}

void Run(benchmark::State& state, const SolveScenario& s, bool parallel) {
    tavro_test::TempOutputFolder folder;
    auto core = std::make_unique<model::CWeatheringCore>();
    folder.Use(*core);
    int elements = 0;
    for (auto _ : state) {
        core->parallelTurns = parallel;
        const int r = tavro_test::RunSolveScenario(*core, s, 42, true);
        if (r != 0) {
            state.SkipWithError("solve failed");
            break;
        }
        elements = core->leCount;
        benchmark::DoNotOptimize(core->out[0]);
    }
    state.counters["elements"] = elements;
}

void BM_SolveTypical(benchmark::State& state) { Run(state, Typical(), true); }
void BM_SolveTypicalSequential(benchmark::State& state) { Run(state, Typical(), false); }
void BM_SolveWorstParallel(benchmark::State& state) { Run(state, Worst(), true); }
void BM_SolveWorstSequential(benchmark::State& state) { Run(state, Worst(), false); }

}  // namespace

BENCHMARK(BM_SolveTypical)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SolveTypicalSequential)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveWorstParallel)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SolveWorstSequential)->Unit(benchmark::kMillisecond);
