// Time of one Calculate press in the engine: the whole run with the report text, on
// the window's start-up inputs, from the start-up record; and of the supplementary
// section to the current codes that follows it, with its text.
#include <benchmark/benchmark.h>

#include "catalogue/angle_catalogue.h"
#include "checks/current_codes_check.h"
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

// The section after the start-up run: the items and their text, on the record the run
// left. Meant to be read beside BM_RunCalculationStartup: the section should add little.
void BM_CheckCurrentCodesStartup(benchmark::State& state) {
    DesignState s = StartupDesignState();
    RunCalculation(s, StartupInputTexts());
    const PurlinInputs purlin;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const CurrentCodesResult r = CheckCurrentCodes(s, purlin);
        const std::string text = CurrentCodesText(s, r);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["section_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CheckCurrentCodesStartup);

// The published example that fails S1: other lines (the advisory, a failing conclusion).
void BM_CheckCurrentCodesPublishedExample(benchmark::State& state) {
    DesignState s = StartupDesignState();
    ChooseGrade(s, 2);
    SelectAngle(s, "L50X4");
    InputTexts in = StartupInputTexts();
    in.Text1 = "800x250x8x10";
    in.Text6 = "12";
    in.Text9 = "30";
    RunCalculation(s, in);
    const PurlinInputs purlin;
    for (auto _ : state) {
        const CurrentCodesResult r = CheckCurrentCodes(s, purlin);
        const std::string text = CurrentCodesText(s, r);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_CheckCurrentCodesPublishedExample);

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
