# Initial cache for the fuzz build (./dev fuzz):
#   cmake -S . -B build-fuzz -C cmake/Fuzz.cmake
# The engine is built with libFuzzer's coverage hooks and the address and
# undefined-behaviour sanitizers; any report stops the fuzzer on the input. Every
# division by zero counts as well: the engine tests each divisor before it divides.
set(CMAKE_CXX_COMPILER clang++ CACHE STRING "")
set(CMAKE_BUILD_TYPE Debug CACHE STRING "")
set(CMAKE_CXX_FLAGS_DEBUG "-O2 -g" CACHE STRING "")
set(CMAKE_CXX_FLAGS
    "-fsanitize=fuzzer-no-link,address,undefined,float-divide-by-zero -fno-sanitize-recover=all -fno-omit-frame-pointer"
    CACHE STRING "")
set(KNEEBRACE_FUZZ ON CACHE BOOL "")
set(KNEEBRACE_BUILD_TESTS OFF CACHE BOOL "")
set(KNEEBRACE_BUILD_BENCH OFF CACHE BOOL "")
set(KNEEBRACE_BUILD_UI OFF CACHE BOOL "")
