// A project of 50 members: opening and saving it without the file system (the JSON
// read into the project and written back), and the engine's part of exporting its
// book, every member calculated afresh.
#include <benchmark/benchmark.h>

#include <string>

#include "catalogue/angle_catalogue.h"
#include "window/member_run.h"
#include "window/project_file.h"

namespace {

using namespace kneebrace;
using namespace kneebrace::window;

// Fifty braces of a building as an engineer would enter them: each rafter end its own
// section, grade, arrangement and size, with names and texts of ordinary length.
Project FiftyMembers() {
    Project p;
    p.name = "某厂房钢结构门式刚架";
    p.designer = "张三";
    const auto& sizes = AngleCatalogue();
    for (int i = 0; i < 50; ++i) {
        Member m;
        m.name = "YC-" + std::to_string(i + 1) + " 刚架梁" + std::to_string(i / 2 + 1) +
                 (i % 2 == 0 ? "左端" : "右端");
        m.texts.Text1 = std::to_string(400 + 10 * i) + "x200x6x" + std::to_string(10 + i % 6);
        m.gradeCode = static_cast<std::int16_t>(1 + i % 2);
        m.layoutCode = static_cast<std::int16_t>(1 + i / 25);
        m.angleSize = std::string(sizes[static_cast<std::size_t>(i) % 20].designation);
        AddMember(p, m);
    }
    return p;
}

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
