# 32-bit Windows, the architecture the plug-in ships for.
set(OV_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
# Floating point in SSE2 registers, as the host's compiler does for 32-bit code: the x87
# unit's 80-bit intermediates would round differently, and a table entry truncated from a
# double could then differ from the one the 64-bit builds compute.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
