# The installer's platform-free core: path texts and folder macros, file
# items, the setup.ini reading interface, texts, error texts, command lines
# and the order of the install steps. Shared by setup.exe, the native unit
# tests and the fuzz targets.
set(SETUP_CORE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(SETUP_CORE_SOURCES
  ${SETUP_CORE_DIR}/path_name.cpp
  ${SETUP_CORE_DIR}/path_rules.cpp
  ${SETUP_CORE_DIR}/file_item.cpp
  ${SETUP_CORE_DIR}/error_text.cpp
  ${SETUP_CORE_DIR}/setup_texts.cpp
  ${SETUP_CORE_DIR}/command_line.cpp
  ${SETUP_CORE_DIR}/installer_paths.cpp
  ${SETUP_CORE_DIR}/install_steps.cpp
  ${SETUP_CORE_DIR}/archive_stream.cpp)

# What the core asks of the system: the Win32 forms in setup/ for the
# program, native stand-ins beside the tests for the native build.
set(SETUP_NATIVE_DIR ${PROJECT_SOURCE_DIR}/tests/setup)
set(SETUP_NATIVE_SOURCES ${SETUP_NATIVE_DIR}/native_platform.cpp ${SETUP_NATIVE_DIR}/profile_file.cpp)

if(NOT TARGET quenlark_setup_core)
  if(WIN32)
    set(SETUP_PLATFORM_SOURCES ${PROJECT_SOURCE_DIR}/setup/win32_platform.cpp ${PROJECT_SOURCE_DIR}/setup/file64.cpp)
  else()
    set(SETUP_PLATFORM_SOURCES ${SETUP_NATIVE_SOURCES})
  endif()
  add_library(quenlark_setup_core STATIC ${SETUP_CORE_SOURCES} ${SETUP_PLATFORM_SOURCES})
  target_include_directories(quenlark_setup_core PUBLIC ${SETUP_CORE_DIR})
endif()
