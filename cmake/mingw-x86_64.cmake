# The same sources cross-compiled for 64-bit Windows, as a check tree only:
# on a machine that cannot execute 32-bit x86 programs, 32-bit Wine cannot
# start, but 64-bit Wine can run this tree's Wine suite. The deliverables are
# the 32-bit binaries of cmake/mingw-i686.cmake; what only they can show (the
# stdcall export, the 32-bit record offsets, the import list) is checked there.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and tools of this tree run under 64-bit Wine.
set(TARVEK_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../tools/wine64-run.sh)
