# Included at the end of the top-level CMakeLists.txt: the fuzz targets and the tests
# that replay their inputs, then the install rules and the Debian package.
option(KNEEBRACE_FUZZ "Build the libFuzzer targets (clang; see cmake/Fuzz.cmake)" OFF)

if(KNEEBRACE_FUZZ OR KNEEBRACE_BUILD_TESTS)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/../fuzz ${CMAKE_BINARY_DIR}/fuzz)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Packaging.cmake)
