# Tests that run Windows programs inside a throw-away Wine session
# (scripts/wine-session.sh: private Xvfb, fresh copy of a template prefix,
# bounded time). Include this file from any test folder of a Windows build, or
# from the project of tests/cross.
# Every program of a test session runs with Wine's checking heap
# (QUENLARK_WINE_TEST_DEBUG), and a session in which any program faulted or
# misused its heap fails, whatever the test itself said.
#
#   QUENLARK_WINE_SESSION  the session command as a list, for use as a target's
#                          CROSSCOMPILING_EMULATOR so that add_test and
#                          gtest_add_tests wrap every test of that target.
#   quenlark_wine_session_target(<target> [DESKTOP WxH] [TIMEOUT s])
#                          sets that property on a test driver target.
#   quenlark_add_wine_test(NAME <name> COMMAND <exe or script> [args...]
#                          [DESKTOP WxH] [TIMEOUT s] [ENVIRONMENT var=value...]
#                          [SESSION <session command>] [LOCK <name>])
#                          one ctest test in its own session (of SESSION, else
#                          QUENLARK_WINE_SESSION).
#   QUENLARK_WINE_SLOT     the test properties that take a session slot; give
#                          them to every test of a suite that starts a session.
# A driver that exits with 77 is reported as skipped. A session takes one slot
# of the resource "wine" from the file QUENLARK_WINE_SLOTS, which the Makefile
# writes for every Wine build (WINE_SESSIONS): any ctest -j run of them runs at
# most that many sessions at once (each has its own screen and prefix). A test
# given LOCK holds that lock instead, and runs beside the suite.

include_guard(GLOBAL)

set(QUENLARK_WINE_ARCH "i686" CACHE STRING
    "The Windows programs the sessions run: i686, or x86_64 for an x86-64 build (scripts/bootstrap.sh's answer)")
set(QUENLARK_WINE_STATE "${CMAKE_BINARY_DIR}/wine" CACHE PATH
    "Template prefix and scratch prefixes of the Wine test sessions")
set(QUENLARK_WINE_TEST_DEBUG "-all,err+all,warn+heap" CACHE STRING
    "WINEDEBUG for the programs of the Wine test sessions (warn+heap: Wine's checking heap)")
set(QUENLARK_WINE_SLOTS "" CACHE FILEPATH
    "The file of Wine session slots that ctest hands out (written by the Makefile)")
set(QUENLARK_WINE_SLOT RESOURCE_GROUPS wine:1 CACHE INTERNAL "Test properties of a test that holds a session slot")
if(QUENLARK_WINE_SLOTS)
  set(CTEST_RESOURCE_SPEC_FILE ${QUENLARK_WINE_SLOTS})
endif()
if(NOT QUENLARK_WINE_ARCH MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "QUENLARK_WINE_ARCH is '${QUENLARK_WINE_ARCH}': i686 or x86_64")
endif()
# A cache entry, so that every folder sees it whichever folder included this first.
set(QUENLARK_WINE_SESSION "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-session.sh;--state;${QUENLARK_WINE_STATE};--winedebug;${QUENLARK_WINE_TEST_DEBUG};--arch;${QUENLARK_WINE_ARCH}"
    CACHE INTERNAL "Wine session command for CROSSCOMPILING_EMULATOR")

function(quenlark_wine_session_target target)
  cmake_parse_arguments(ARG "" "DESKTOP;TIMEOUT" "" ${ARGN})
  set(session ${QUENLARK_WINE_SESSION})
  if(ARG_DESKTOP)
    list(APPEND session --desktop ${ARG_DESKTOP})
  endif()
  if(ARG_TIMEOUT)
    list(APPEND session --timeout ${ARG_TIMEOUT})
  endif()
  set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "${session};--")
endfunction()

function(quenlark_add_wine_test)
  cmake_parse_arguments(ARG "" "NAME;DESKTOP;TIMEOUT;LOCK" "COMMAND;ENVIRONMENT;SESSION" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  if(NOT ARG_SESSION)
    set(ARG_SESSION ${QUENLARK_WINE_SESSION})
  endif()
  set(session ${ARG_SESSION} --timeout ${ARG_TIMEOUT})
  if(ARG_DESKTOP)
    list(APPEND session --desktop ${ARG_DESKTOP})
  endif()
  add_test(NAME ${ARG_NAME} COMMAND ${session} -- ${ARG_COMMAND})
  math(EXPR ctest_limit "${ARG_TIMEOUT} + 60")
  if(ARG_LOCK)
    set(slot RESOURCE_LOCK ${ARG_LOCK})
  else()
    set(slot ${QUENLARK_WINE_SLOT})
  endif()
  set_tests_properties(${ARG_NAME} PROPERTIES TIMEOUT ${ctest_limit} SKIP_RETURN_CODE 77
                       LABELS wine ${slot})
  if(ARG_ENVIRONMENT)
    set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
endfunction()
