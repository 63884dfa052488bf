// The window's first paint as the user waits for it: the whole process, from its start
// (loading Qt included) until the window has been painted once, against the same for a
// bare window with the same widgets, fonts and geometry but no style sheet, translator
// or artwork: each run starts bench_window --first-paint and waits for it to end, on the
// platform the environment names (./dev bench: offscreen). Beside the wall time, the
// process's own processor time, which other load on the machine changes less.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

extern char** environ;

namespace {

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

// The child's processor time in seconds; negative when it did not paint its window.
double RunOnce(bool bare) {
    std::vector<char*> argv{const_cast<char*>(BENCH_WINDOW), const_cast<char*>("--first-paint")};
    if (bare) argv.push_back(const_cast<char*>("--bare"));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;  // Qt's notes on stderr would swamp the table
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, BENCH_WINDOW, &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// Each iteration starts the window and the bare window in turn, so that load on the
// machine that comes and goes weighs on both alike: the time is the window's; `bare_ms`
// is the baseline's, `ratio` the window's over the baseline's, and `cpu_ratio` the same
// for the processor time.
void FirstPaint(benchmark::State& state) {
    double wall[2] = {0, 0};
    double cpu[2] = {0, 0};
    for (auto _ : state) {
        for (const bool bare : {false, true}) {
            const auto start = std::chrono::steady_clock::now();
            const double used = RunOnce(bare);
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (used < 0) {
                state.SkipWithError("bench_window did not paint its window");
                return;
            }
            if (!bare) state.SetIterationTime(seconds);
            wall[bare ? 1 : 0] += seconds;
            cpu[bare ? 1 : 0] += used;
        }
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["bare_ms"] = wall[1] * 1e3 / n;
    state.counters["ratio"] = wall[0] / wall[1];
    state.counters["cpu_ms"] = cpu[0] * 1e3 / n;
    state.counters["bare_cpu_ms"] = cpu[1] * 1e3 / n;
    state.counters["cpu_ratio"] = cpu[0] / cpu[1];
}

}  // namespace

BENCHMARK(FirstPaint)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(6.0);

BENCHMARK_MAIN();
