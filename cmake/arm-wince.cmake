# Cross build for Windows CE 3.0 on ARM (StrongARM, the handheld game):
# arm-wince/cc compiles with Debian's arm-none-eabi-gcc and assembles and
# links with binutils' arm-mingw32ce tools (scripts/build-ce-binutils.sh);
# the programs run here under the emulator in arm-wince/emu.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 3.0)
set(CMAKE_SYSTEM_PROCESSOR ARM)
set(QUENLARK_ARM_WINCE ON)

get_filename_component(_quenlark_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(QUENLARK_CE_BINUTILS "${_quenlark_root}/build/ce-binutils/bin" CACHE PATH
    "Folder of the arm-mingw32ce-* tools (binutils for Windows CE on ARM)")
# Try-compiles run this file again without the cache: hand the folder on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUENLARK_CE_BINUTILS)

set(CMAKE_C_COMPILER "${_quenlark_root}/arm-wince/cc")
set(CMAKE_CXX_COMPILER "${_quenlark_root}/arm-wince/cc")
# For the compiler checks; the build itself names the folder again in its
# compile and link options (the last one given counts), so that a changed
# QUENLARK_CE_BINUTILS reaches an existing build folder.
set(CMAKE_C_FLAGS_INIT "--ce-binutils=${QUENLARK_CE_BINUTILS}")
set(CMAKE_CXX_FLAGS_INIT "--ce-binutils=${QUENLARK_CE_BINUTILS}")
set(CMAKE_AR "${QUENLARK_CE_BINUTILS}/arm-mingw32ce-ar")
set(CMAKE_RANLIB "${QUENLARK_CE_BINUTILS}/arm-mingw32ce-ranlib")
set(CMAKE_OBJDUMP "${QUENLARK_CE_BINUTILS}/arm-mingw32ce-objdump")
set(CMAKE_RC_COMPILER "${QUENLARK_CE_BINUTILS}/arm-mingw32ce-windres")
# windres preprocesses resource scripts with the same compiler, as C.
set(CMAKE_RC_FLAGS_INIT "--preprocessor=${CMAKE_C_COMPILER} --preprocessor-arg=-E --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED")
set(QUENLARK_CE_DLLTOOL "${QUENLARK_CE_BINUTILS}/arm-mingw32ce-dlltool")

# A program needs the runtime of arm-wince/runtime, which the build makes:
# the compiler checks build libraries only.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# No desktop Windows libraries: the programs name COREDLL's import library.
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)

# ARM test programs run under the StrongARM emulator (Debian's python3, which
# has python3-unicorn).
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/python3 "${_quenlark_root}/arm-wince/emu/run.py")
