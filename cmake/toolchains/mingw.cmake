# Windows with Debian's MinGW-w64 for QORM_MINGW_PROCESSOR (i686 or x86_64), included by the toolchain
# file of each processor. The -posix compilers carry std::thread and the timed mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QORM_MINGW_PROCESSOR})
set(CMAKE_C_COMPILER ${QORM_MINGW_PROCESSOR}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${QORM_MINGW_PROCESSOR}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${QORM_MINGW_PROCESSOR}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QORM_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# SSE2 arithmetic: x87 excess precision would give other bits than the native build (x86_64 has SSE
# arithmetic by default; saying so keeps both targets on the same footing).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Tests run under Wine, in a prefix of the matching kind: a 32-bit prefix cannot start 64-bit programs.
set(CMAKE_CROSSCOMPILING_EMULATOR env QORM_WINEARCH=${QORM_WINEARCH} ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run)
