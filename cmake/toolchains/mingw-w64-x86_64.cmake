# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
# The programs link statically, so a test program runs under wine, or on a Windows
# machine, without the compiler's DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(KNEEBRACE_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix flavour: its libstdc++ has std::thread and friends, which GoogleTest uses.
set(CMAKE_C_COMPILER ${KNEEBRACE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KNEEBRACE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KNEEBRACE_MINGW_TRIPLET}-windres)

# Libraries and packages come from the Windows sysroot only, never from the host;
# programs such as moc would come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KNEEBRACE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread go into each program instead of beside it as DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest starts the test programs through wine. Debian's wine64 package puts the loader
# in /usr/lib/wine, off PATH; its settings (prefix, quiet output) come from the caller.
find_program(KNEEBRACE_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(KNEEBRACE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KNEEBRACE_WINE})
endif()
