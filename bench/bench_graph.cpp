// Drawing one 120-hour graph with its uncertainty band onto the recorder:
// the layout and band work of a paint, without a device.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "model/Series.h"
#include "output/core/DrawGraph.h"
#include "output/core/DrawGraphBudget.h"
#include "platform/RecordingCanvas.h"

namespace {

constexpr int kSteps = 240;  // 120 hours at two steps an hour

std::unique_ptr<model::SGraphData> BandRecord() {
    auto rec = std::make_unique<model::SGraphData>();
    model::CopySeriesLabel(rec->title, "Oil Evaporated");
    model::CopySeriesLabel(rec->units, "bbl");
    rec->count = kSteps;
    rec->hours = kSteps / 2;
    for (int i = 0; i < kSteps; ++i) {
        const double best = 400 * (1 - std::exp(-i / 30.0));
        rec->series[model::GRAPH_BEST][i] = best;
        rec->series[model::GRAPH_LOW][i] = best * 0.7;
        rec->series[model::GRAPH_HIGH][i] = best * 1.3;
        rec->series[model::GRAPH_BEST2][i] = -999;
    }
    rec->minValue = 0;
    rec->maxValue = 520;
    return rec;
}

void BM_BandGraphOnRecorder(benchmark::State& state) {
    const auto rec = BandRecord();
    platform::FixedClock clock(1769868000);
    const output::GraphContext ctx{kSteps, 2, 1769868000, &clock};
    for (auto _ : state) {
        platform::RecordingCanvas rc({96, 96, {800, 600}, false});
        output::CDrawGraph(rc, *rec, ctx, {0, 0, 800, 600}).Draw();
        benchmark::DoNotOptimize(rc.Pages().size());
    }
}
BENCHMARK(BM_BandGraphOnRecorder)->Unit(benchmark::kMicrosecond);

void BM_LogBandGraphOnRecorder(benchmark::State& state) {
    const auto rec = BandRecord();
    platform::FixedClock clock(1769868000);
    const output::GraphContext ctx{kSteps, 2, 1769868000, &clock};
    for (auto _ : state) {
        platform::RecordingCanvas rc({96, 96, {1600, 1200}, false});
        output::CDrawGraphLog(rc, *rec, ctx, {0, 0, 1600, 1200}).Draw();
        benchmark::DoNotOptimize(rc.Pages().size());
    }
}
BENCHMARK(BM_LogBandGraphOnRecorder)->Unit(benchmark::kMicrosecond);

}  // namespace
