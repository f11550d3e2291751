# 32-bit Windows with Debian's MinGW-w64.
set(QORM_MINGW_PROCESSOR i686)
set(QORM_WINEARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
