# quenlark_program_file(<variable> <target or absolute path>): the program's
# file. A target may be defined later in another folder, so anything but an
# absolute path is taken as a target name.
function(quenlark_program_file variable program)
  if(IS_ABSOLUTE "${program}")
    set(${variable} ${program} PARENT_SCOPE)
  else()
    set(${variable} $<TARGET_FILE:${program}> PARENT_SCOPE)
  endif()
endfunction()

# quenlark_add_import_check(NAME <test> PROGRAM <target or absolute path> LIST <list file>
#                           [LABELS <label>...]
#                           [EXPECT <offender>...])
# Registers a test that runs scripts/check-imports.sh: it fails, naming each
# offender, if PROGRAM imports a function outside LIST's allowed entries, or
# if LIST sets a highest subsystem version and PROGRAM's PE header asks for
# more. With EXPECT, the test passes only if the offenders are exactly those
# names. The checks read the shipped files, so an x86-64 build of the same
# sources registers none; every check is labelled "static" (it runs no Wine).
function(quenlark_add_import_check)
  if(NOT QUENLARK_SHIPPED)
    return()
  endif()
  cmake_parse_arguments(ARG "" "NAME;PROGRAM;LIST" "EXPECT;LABELS" ${ARGN})
  if(NOT ARG_NAME OR NOT ARG_PROGRAM OR NOT ARG_LIST)
    message(FATAL_ERROR "quenlark_add_import_check: NAME, PROGRAM and LIST are required")
  endif()
  quenlark_program_file(program ${ARG_PROGRAM})
  set(options)
  if(ARG_EXPECT)
    list(JOIN ARG_EXPECT "," names)
    list(APPEND options --expect ${names})
  endif()
  add_test(NAME ${ARG_NAME}
           COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/check-imports.sh ${options}
                   ${CMAKE_OBJDUMP} ${ARG_LIST} ${program})
  set_tests_properties(${ARG_NAME} PROPERTIES LABELS "static;${ARG_LABELS}")
endfunction()
