# Cross-compiles for 32-bit Windows with MinGW-w64. The compilers of the win32
# thread model, not the posix one: the posix model links winpthreads into
# every binary, and winpthreads imports functions that came with Windows XP
# and Vista (GetTickCount64, AddVectoredExceptionHandler), so the binaries
# would not load on Windows 2000. GoogleTest, the one user of std::mutex in
# this tree, gets it from tests/win32/support/GoogleTestMutex.h.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and tools of this tree run under Wine (see CMakeLists.txt for the prefix).
set(TARVEK_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
