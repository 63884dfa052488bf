// Time of the sizing table: every catalogue size run against the window's start-up
// inputs, and the dialog's content built from it.
#include <benchmark/benchmark.h>

#include <optional>

#include "catalogue/angle_sizing.h"
#include "core/calculation_run.h"
#include "window/sizing_view.h"

namespace {

using namespace kneebrace;

// Argument 0: the seven checks only; 1: with the section to the current codes on every
// size. The two run side by side, so their medians compare on the same machine state.
void BM_SizeAnglesStartup(benchmark::State& state) {
    const DesignState s = StartupDesignState();
    const InputTexts in = StartupInputTexts();
    const std::optional<PurlinInputs> purlin =
        state.range(0) != 0 ? std::optional<PurlinInputs>(PurlinInputs{}) : std::nullopt;
    std::size_t passing = 0;
    for (auto _ : state) {
        const std::vector<SizingRow> rows = SizeAngles(s, in, purlin);
        passing = LightestPassing(rows).value_or(rows.size());
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["lightest_row"] = static_cast<double>(passing);
}
BENCHMARK(BM_SizeAnglesStartup)->ArgName("section")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The whole of the dialog's content: the runs, the cell texts and the inputs line; the
// argument as above, the section adding its three columns and their tips.
void BM_BuildSizingViewStartup(benchmark::State& state) {
    const DesignState s = StartupDesignState();
    const InputTexts in = StartupInputTexts();
    const std::optional<PurlinInputs> purlin =
        state.range(0) != 0 ? std::optional<PurlinInputs>(PurlinInputs{}) : std::nullopt;
    for (auto _ : state) {
        const SizingView view = BuildSizingView(s, in, purlin);
        benchmark::DoNotOptimize(view.rows.data());
    }
}
BENCHMARK(BM_BuildSizingViewStartup)
    ->ArgName("section")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
