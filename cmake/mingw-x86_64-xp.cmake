# 64-bit Windows release build for Windows XP x64 and later (see mingw-xp.cmake; the tests keep
# the posix model of mingw-x86_64.cmake).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-xp.cmake)
