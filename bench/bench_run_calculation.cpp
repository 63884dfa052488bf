// Time of one Calculate press in the engine: the whole run with the report text, on
// the window's start-up inputs, from the start-up record.
#include <benchmark/benchmark.h>

#include "catalogue/angle_catalogue.h"
#include "core/calculation_run.h"
#include "core/number_text.h"

namespace {

using namespace kneebrace;

void BM_RunCalculationStartup(benchmark::State& state) {
    DesignState s = StartupDesignState();
    const InputTexts in = StartupInputTexts();
    for (auto _ : state) {
        RunCalculation(s, in);
        benchmark::DoNotOptimize(s.reportText.data());
    }
    state.counters["report_bytes"] = static_cast<double>(s.reportText.size());
}
BENCHMARK(BM_RunCalculationStartup);

// The same press after picking the largest size on one side: other branches, same work.
void BM_RunCalculationL125X14OneSide(benchmark::State& state) {
    DesignState s = StartupDesignState();
    SelectAngle(s, "L125X14");
    ChooseLayout(s, 2);
    const InputTexts in = StartupInputTexts();
    for (auto _ : state) {
        RunCalculation(s, in);
        benchmark::DoNotOptimize(s.reportText.data());
    }
}
BENCHMARK(BM_RunCalculationL125X14OneSide);

void BM_SelectAngle(benchmark::State& state) {
    DesignState s = StartupDesignState();
    for (auto _ : state) {
        SelectAngle(s, "L125X14");
        benchmark::DoNotOptimize(s.anglePropsText.data());
    }
}
BENCHMARK(BM_SelectAngle);

void BM_ToTextFormatFixed(benchmark::State& state) {
    float x = 6081.118f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ToText(x));
        benchmark::DoNotOptimize(FormatFixed(x, "0.0"));
    }
}
BENCHMARK(BM_ToTextFormatFixed);

}  // namespace

BENCHMARK_MAIN();
