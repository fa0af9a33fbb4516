# Helpers of the ARM Windows CE build (cmake/arm-wince.cmake).

# quenlark_ce_import_library(NAME DEF_FILE): the import library of a DLL from
# its .def file, as INTERFACE target NAME to link. Imports go by name.
function(quenlark_ce_import_library name definition)
  set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${name}.a)
  add_custom_command(OUTPUT ${library}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${library}
    COMMAND ${QUENLARK_CE_DLLTOOL} -m arm-wince -d ${definition} -l ${library}
    DEPENDS ${definition}
    COMMENT "Import library ${name}")
  add_custom_target(${name}_file DEPENDS ${library})
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE ${library})
  add_dependencies(${name} ${name}_file)
endfunction()

# quenlark_add_ce_program_check(NAME <test> PROGRAM <target or absolute path>
#                               [REJECTED <regular expression>])
# The program file's PE header (ARM, Windows CE GUI 3.00, relocations) and
# its code (no Thumb or BX instruction), by check-program.py. With REJECTED,
# the test passes only if the check rejects the program with a summary that
# matches: the way to prove it catches a bad one.
function(quenlark_add_ce_program_check)
  cmake_parse_arguments(ARG "" "NAME;PROGRAM;REJECTED" "" ${ARGN})
  if(NOT ARG_NAME OR NOT ARG_PROGRAM)
    message(FATAL_ERROR "quenlark_add_ce_program_check: NAME and PROGRAM are required")
  endif()
  quenlark_program_file(program ${ARG_PROGRAM})
  add_test(NAME ${ARG_NAME}
           COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/arm-wince/check-program.py ${CMAKE_OBJDUMP} ${program})
  set_tests_properties(${ARG_NAME} PROPERTIES LABELS arm)
  if(ARG_REJECTED)
    set_tests_properties(${ARG_NAME} PROPERTIES PASS_REGULAR_EXPRESSION "rejected: ${ARG_REJECTED}")
  endif()
endfunction()
