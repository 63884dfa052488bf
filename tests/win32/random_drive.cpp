// The Win32 window driven at random under wine for as long as asked: mingw has no
// sanitizers, so this runner stands where libFuzzer stands for the Qt window. Every
// Calculate is checked against a fresh engine run (windowtest::RandomDrive).
//   win32_random_drive SEED ACTIONS [SECONDS]
// drives a fresh window with ACTIONS actions of SEED, then of SEED+1, SEED+2 ... until
// SECONDS have passed (without SECONDS: SEED only). Prints each seed's outcome; exits 1
// at the first failure, which names the seed and action to replay.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/window_scenarios.h"
#include "win32_probe.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: win32_random_drive SEED ACTIONS [SECONDS]\n");
        return 2;
    }
    const auto first = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    const int actions = std::atoi(argv[2]);
    const double seconds = argc > 3 ? std::atof(argv[3]) : 0;
    const auto start = std::chrono::steady_clock::now();
    long long done = 0;
    for (std::uint32_t seed = first;; ++seed) {
        std::vector<std::string> failures;
        {
            win32test::Win32Probe window;
            failures = windowtest::RandomDrive(window, seed, actions);
        }
        if (!failures.empty()) {
            std::printf("FAULT %s\n", failures.front().c_str());
            return 1;
        }
        done += actions;
        std::printf("seed %u: %d actions, no fault\n", seed, actions);
        std::fflush(stdout);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        if (spent.count() >= seconds) break;
    }
    std::printf("%lld actions, no fault\n", done);
    return 0;
}
