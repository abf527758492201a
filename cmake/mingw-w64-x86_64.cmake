# Cross-building the Windows program with mingw-w64 on Linux; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The thread model of the compilers. The tests need std::thread and std::mutex, which only the
# posix flavour has. The program ships with the win32 one: it links no winpthreads, which brings
# SuspendThread, GetThreadContext, SetThreadContext and SetSystemTime into the .exe, imports that
# antivirus heuristics hold against an unsigned program.
set(LV_MINGW_THREADS posix CACHE STRING "Thread model of the mingw-w64 compilers: posix or win32")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LV_MINGW_THREADS)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-${LV_MINGW_THREADS})
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-${LV_MINGW_THREADS})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every Windows API name means its UTF-16 form.
set(CMAKE_CXX_FLAGS_INIT "-DUNICODE -D_UNICODE")

# One self-contained .exe: no compiler runtime DLLs to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# A Wine prefix of the build's own, so a clean machine tests in a fresh one.
set(LV_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine ${LV_WINEPREFIX})
