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
# A driver that exits with 77 is reported as skipped. The sessions of a suite
# run one at a time, also under ctest -j: they hold the resource lock
# QUENLARK_WINE_LOCK ("wine"), or LOCK; other tests run beside them.

include_guard(GLOBAL)

set(QUENLARK_WINE_ARCH "i686" CACHE STRING
    "The Wine loader the sessions need: i686, or x86_64 for an x86-64 build (the Makefile's answer)")
set(QUENLARK_WINE_STATE "${CMAKE_BINARY_DIR}/wine" CACHE PATH
    "Template prefix and scratch prefixes of the Wine test sessions")
set(QUENLARK_WINE_TEST_DEBUG "-all,err+all,warn+heap" CACHE STRING
    "WINEDEBUG for the programs of the Wine test sessions (warn+heap: Wine's checking heap)")
set(QUENLARK_WINE_LOCK wine CACHE INTERNAL "Resource lock the sessions of a suite hold")
set(session_options --state ${QUENLARK_WINE_STATE} --winedebug ${QUENLARK_WINE_TEST_DEBUG})
# The x86-64 build's programs run under Wine's 64-bit loader, in prefixes
# without a 32-bit half.
if(QUENLARK_WINE_ARCH STREQUAL "x86_64")
  list(APPEND session_options --wine64 --no-wow64)
elseif(NOT QUENLARK_WINE_ARCH STREQUAL "i686")
  message(FATAL_ERROR "QUENLARK_WINE_ARCH is '${QUENLARK_WINE_ARCH}': i686 or x86_64")
endif()
# A cache entry, so that every folder sees it whichever folder included this first.
set(QUENLARK_WINE_SESSION "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-session.sh;${session_options}"
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
  if(NOT ARG_LOCK)
    set(ARG_LOCK ${QUENLARK_WINE_LOCK})
  endif()
  set_tests_properties(${ARG_NAME} PROPERTIES TIMEOUT ${ctest_limit} SKIP_RETURN_CODE 77
                       LABELS wine RESOURCE_LOCK ${ARG_LOCK})
  if(ARG_ENVIRONMENT)
    set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
endfunction()
