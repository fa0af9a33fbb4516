# The installer's platform-free logic, shared by setup.exe, the native unit
# tests and the fuzz targets.
set(SETUP_DIR ${CMAKE_CURRENT_LIST_DIR})
set(SETUP_CORE_SOURCES
  ${SETUP_DIR}/path_name.cpp
  ${SETUP_DIR}/file_item.cpp
  ${SETUP_DIR}/profile_file.cpp
  ${SETUP_DIR}/error_text.cpp
  ${SETUP_DIR}/setup_texts.cpp
  ${SETUP_DIR}/command_line.cpp
  ${SETUP_DIR}/installer_paths.cpp
  ${SETUP_DIR}/install_steps.cpp
  ${SETUP_DIR}/archive_stream.cpp)

if(NOT TARGET quenlark_setup_core)
  if(WIN32)
    set(SETUP_PLATFORM_SOURCES ${SETUP_DIR}/win32_platform.cpp ${SETUP_DIR}/file64.cpp)
  else()
    set(SETUP_PLATFORM_SOURCES ${SETUP_DIR}/native_platform.cpp)
  endif()
  add_library(quenlark_setup_core STATIC ${SETUP_CORE_SOURCES} ${SETUP_PLATFORM_SOURCES})
  target_include_directories(quenlark_setup_core PUBLIC ${SETUP_DIR})
endif()
