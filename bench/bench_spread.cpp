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

// The oil comes from the standard library the program ships.
#include "tests/solve_scenarios.h"

using namespace model;

namespace {

void FillHeaviest(CWeatheringCore& c, const InputOil& oil) {
    c.Reset();
    c.SetSeed(2024);
    c.SetOil(oil);
    InputWindAndWave w;
    w.num = MAX_HOURS;
    w.speedUnits = SPEED_CODE_MS;
    for (int h = 0; h < MAX_HOURS; ++h) {
        w.speed[h] = 4.0 + 3.0 * std::sin(h * 0.3);
        w.direction[h] = std::fmod(20.0 + 25.0 * h, 360.0);
    }
    w.fetchUnits = 2;
    w.fetchN = 40;
    w.fetchE = 15;
    w.fetchS = 60;
    w.fetchW = 25;
    c.SetWindAndWave(w);
    InputWater water;
    water.temperature = 12.0;
    water.tempUnits = WTEMP_C;
    water.speed = 0.3;
    water.speedUnits = SPEED_CODE_MS;
    water.direction = 120.0;
    c.SetWater(water);
    InputInstant in;
    in.flag = 1;
    in.startHour = 1;
    in.vol = 1000.0;
    in.volUnits = RVOL_CUM;
    c.SetInstantRelease(in);
    InputContinuous cont;
    cont.flag = 1;
    cont.startHour = 1;
    cont.endHour = MAX_HOURS;
    cont.startRate = cont.endRate = 0.05;
    cont.rateUnits = 3;
    c.SetContinuousRelease(cont);
    c.SetUncertainty(InputUncertainty{});
}

// The heaviest run's oil; false, the benchmark skipped, without the library.
bool LoadBenchOil(benchmark::State& state, InputOil& oil) {
    if (tavro_test::LoadLibraryOil("West Texas Intermediate", oil)) return true;
    state.SkipWithError("standard oil library not found");
    return false;
}

void BM_PrepareAndSpreadHeaviest(benchmark::State& state) {
    InputOil oil;
    if (!LoadBenchOil(state, oil)) return;
    auto c = std::make_unique<CWeatheringCore>();
    for (auto _ : state) {
        state.PauseTiming();
        FillHeaviest(*c, oil);
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
    InputOil oil;
    if (!LoadBenchOil(state, oil)) return;
    auto c = std::make_unique<CWeatheringCore>();
    for (auto _ : state) {
        state.PauseTiming();
        FillHeaviest(*c, oil);
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
