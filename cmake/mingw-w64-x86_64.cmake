# Cross-build for 64-bit Windows with mingw-w64 (posix threads, for std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KVX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KVX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KVX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KVX_MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${KVX_MINGW_PREFIX}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${KVX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained binaries: an installer custom action or a program on a medium cannot rely
# on the compiler's run-time DLLs being found beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# At -O3 this GCC 12 reports false -Warray-bounds / -Wrestrict inside libstdc++'s inlined
# copies, and warnings are errors here; -O2 is what the native release builds use too.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags for Release builds")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags for Release builds")
