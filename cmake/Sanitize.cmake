# Initial cache for the sanitizer build of the whole test suite (./dev check):
#   cmake -S . -B build-asan -C cmake/Sanitize.cmake
# AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer, and the first
# report ends the test program. clang's UBSan also checks float-to-integer and
# double-to-float conversions that overflow.
set(CMAKE_CXX_COMPILER clang++ CACHE STRING "")
set(CMAKE_BUILD_TYPE Debug CACHE STRING "")
set(CMAKE_CXX_FLAGS_DEBUG "-O1 -g" CACHE STRING "")
set(CMAKE_CXX_FLAGS "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    CACHE STRING "")
set(KNEEBRACE_BUILD_BENCH OFF CACHE BOOL "")
