# The same sources for x86-64 (not shipped): see mingw-w64.cmake.
set(QUENLARK_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
