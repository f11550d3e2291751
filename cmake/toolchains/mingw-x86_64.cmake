# 64-bit Windows with Debian's MinGW-w64.
set(QORM_MINGW_PROCESSOR x86_64)
set(QORM_WINEARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
