# Cross build of a Windows program with mingw-w64, for the processor that the
# including toolchain file names in PLIMEX_MINGW_TRIPLE. The posix thread
# model is the one GoogleTest builds with.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${PLIMEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PLIMEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PLIMEX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PLIMEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No DLL of mingw's is shipped: everything is linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests of the Windows build run under Wine of the program's width, which
# tests/CMakeLists.txt hands to wine-run.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run")
