# 32-bit Windows release build for Windows XP SP3 and later (see mingw-xp.cmake).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-xp.cmake)
