# Cross build of the Windows programs with Debian's MinGW-w64 in its win32
# threading variant: 32-bit x86, as shipped. The posix variant's static
# runtime brings in winpthreads, which imports GetTickCount64, and Windows XP
# lacks it. mingw-w64-x86_64.cmake sets QUENLARK_MINGW_ARCH to x86_64 first:
# the same sources for x86-64, which the Wine tests run on a host without
# 32-bit code under Wine's 64-bit loader.
if(NOT QUENLARK_MINGW_ARCH)
  set(QUENLARK_MINGW_ARCH i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QUENLARK_MINGW_ARCH})
set(CMAKE_C_COMPILER ${QUENLARK_MINGW_ARCH}-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER ${QUENLARK_MINGW_ARCH}-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER ${QUENLARK_MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUENLARK_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(QUENLARK_MINGW_ARCH STREQUAL x86_64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
