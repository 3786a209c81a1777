# Shared part of the mingw-w64 cross toolchains; the per-architecture files set
# OV_MINGW_TRIPLE and the processor, then include this one.
#
# The -posix compiler variants are used because only they provide std::thread,
# std::mutex and friends (through winpthread); the -win32 variants lack them.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${OV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${OV_MINGW_TRIPLE}-windres)

# Headers, libraries and packages come from the mingw sysroot only; programs run
# on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${OV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
