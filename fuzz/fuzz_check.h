// What a fuzz target does when an invariant does not hold: say which and where, then
// abort, so that libFuzzer keeps the input and a replay test fails.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace kneebrace::fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* condition,
                              const std::string& detail) {
    std::fprintf(stderr, "%s:%d: invariant does not hold: %s\n", file, line, condition);
    if (!detail.empty()) std::fprintf(stderr, "  %s\n", detail.c_str());
    std::abort();
}

}  // namespace kneebrace::fuzz

#define FUZZ_REQUIRE(condition, detail)                                                    \
    do {                                                                                   \
        if (!(condition)) ::kneebrace::fuzz::Fail(__FILE__, __LINE__, #condition, detail); \
    } while (false)
