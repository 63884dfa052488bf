// A project of 50 members: opening and saving it without the file system (the JSON
// read into the project and written back), and the engine's part of exporting its
// book, every member calculated afresh.
#include <benchmark/benchmark.h>

#include <string>

#include "fifty_members.h"
#include "window/member_run.h"
#include "window/project_file.h"

namespace {

using namespace kneebrace;
using namespace kneebrace::window;

void BM_SaveProject50(benchmark::State& state) {
    const Project p = FiftyMembers();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string file = WriteProject(p);
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveProject50);

void BM_OpenProject50(benchmark::State& state) {
    const std::string file = WriteProject(FiftyMembers());
    for (auto _ : state) {
        const ProjectReadResult read = ReadProject(file);
        if (!read.project) {
            state.SkipWithError(read.message.c_str());
            break;
        }
        benchmark::DoNotOptimize(read.project->members.data());
    }
}
BENCHMARK(BM_OpenProject50);

void BM_CalculateProject50(benchmark::State& state) {
    const Project p = FiftyMembers();
    std::size_t reportBytes = 0;
    int faults = 0;
    for (auto _ : state) {
        reportBytes = 0;
        faults = 0;
        for (const Member& m : p.members) {
            const MemberOutcome out = CalculateMember(m);
            reportBytes += out.report.size();
            faults += out.fault ? 1 : 0;
        }
        benchmark::DoNotOptimize(reportBytes);
    }
    state.counters["report_bytes"] = static_cast<double>(reportBytes);
    state.counters["faults"] = faults;
}
BENCHMARK(BM_CalculateProject50);

}  // namespace

BENCHMARK_MAIN();
