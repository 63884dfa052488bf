// Time of the sizing table: every catalogue size run against the window's start-up
// inputs, and the dialog's content built from it.
#include <benchmark/benchmark.h>

#include "catalogue/angle_sizing.h"
#include "core/calculation_run.h"
#include "window/sizing_view.h"

namespace {

using namespace kneebrace;

void BM_SizeAnglesStartup(benchmark::State& state) {
    const DesignState s = StartupDesignState();
    const InputTexts in = StartupInputTexts();
    std::size_t passing = 0;
    for (auto _ : state) {
        const std::vector<SizingRow> rows = SizeAngles(s, in);
        passing = LightestPassing(rows).value_or(rows.size());
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["lightest_row"] = static_cast<double>(passing);
}
BENCHMARK(BM_SizeAnglesStartup)->Unit(benchmark::kMicrosecond);

// The whole of the dialog's content: the runs, the cell texts and the inputs line.
void BM_BuildSizingViewStartup(benchmark::State& state) {
    const DesignState s = StartupDesignState();
    const InputTexts in = StartupInputTexts();
    for (auto _ : state) {
        const SizingView view = BuildSizingView(s, in);
        benchmark::DoNotOptimize(view.rows.data());
    }
}
BENCHMARK(BM_BuildSizingViewStartup)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
