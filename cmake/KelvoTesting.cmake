# Test helpers: one test executable per area, registered with CTest under a
# label, and outside services started as CTest fixtures so that running a
# single test starts only what it needs.
if(CMAKE_CROSSCOMPILING)
  # Debian's GoogleTest is built for the machine; its sources (libgtest-dev)
  # are built again with the cross compiler.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

set(KELVO_SERVICE_ROOT ${CMAKE_BINARY_DIR}/services)

# Built for Windows, the tests run under Wine: TARGET_RUNNER is the command
# line in front of a program for tests that start one from a shell.
if(CMAKE_CROSSCOMPILING)
  string(JOIN " " KELVO_TARGET_RUNNER ${CMAKE_CROSSCOMPILING_EMULATOR})
else()
  set(KELVO_TARGET_RUNNER "")
endif()

# kelvo_wine_test(NAME [GTEST]) makes the test NAME of a Windows build wait
# for the Wine prefix (the "wine" fixture, whose set-up proves that a 32-bit
# program runs at all). A GoogleTest program must also print its summary
# line: a program that never ran prints nothing and may still exit 0.
function(kelvo_wine_test name)
  if(NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  cmake_parse_arguments(W "GTEST" "" "" ${ARGN})
  get_test_property(${name} FIXTURES_REQUIRED fixtures)
  if(NOT fixtures)
    set(fixtures "")
  endif()
  list(APPEND fixtures wine)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${fixtures}")
  if(W_GTEST)
    # With these the exit code no longer counts, so a failed test's line
    # and the emulator's note of a non-zero exit code fail it instead.
    set_tests_properties(${name} PROPERTIES
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ test"
      FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|wine-run: .* exited with code"
      # A program whose database client cannot be loaded skips every test
      # (GoogleTest counts them as passed then: CTest reports them skipped).
      # Only the reason counts: a program whose every test failed also
      # reports "0 tests" passed.
      SKIP_REGULAR_EXPRESSION "no Windows build of the [A-Za-z]+ client can be had")
  endif()
endfunction()
set(KELVO_SERVICE_SCRIPT ${PROJECT_SOURCE_DIR}/tests/services/service)

# kelvo_service(NAME) registers the fixture NAME: a setup test that runs
# tests/services/NAME.start and a cleanup test that stops it by PID.
function(kelvo_service name)
  # Fixtures are global to CTest: register each service once, whichever
  # folder's tests ask for it first.
  get_property(registered GLOBAL PROPERTY KELVO_SERVICES)
  if(name IN_LIST registered)
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY KELVO_SERVICES ${name})
  add_test(NAME service.${name}.start
           COMMAND ${KELVO_SERVICE_SCRIPT} start ${name} ${KELVO_SERVICE_ROOT})
  add_test(NAME service.${name}.stop
           COMMAND ${KELVO_SERVICE_SCRIPT} stop ${name} ${KELVO_SERVICE_ROOT})
  set_tests_properties(service.${name}.start PROPERTIES
    FIXTURES_SETUP ${name} LABELS integration TIMEOUT 120 RESOURCE_LOCK service.${name})
  set_tests_properties(service.${name}.stop PROPERTIES
    FIXTURES_CLEANUP ${name} LABELS integration TIMEOUT 60 RESOURCE_LOCK service.${name})
endfunction()

# kelvo_add_test(NAME LABEL unit|integration|gui SOURCES ... [LIBS ...]
#                [SERVICES ...] [ENV VAR=VALUE ...] [TIMEOUT seconds])
# Builds one GoogleTest executable and registers it as one CTest test.
# GUI tests get a QApplication on the offscreen platform.
function(kelvo_add_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS;SERVICES;ENV" ${ARGN})
  if(T_LABEL STREQUAL "gui" AND NOT KELVO_BUILD_GUI)
    return()
  endif()
  # Sources in a posix/ or windows/ folder belong to that platform only, as
  # in the layers: a test written against one platform's stand-in has its
  # counterpart beside it.
  # Only the folder that holds the file counts, not the checkout's path.
  if(WIN32)
    list(FILTER T_SOURCES EXCLUDE REGEX "(^|/)posix/[^/]+$")
  else()
    list(FILTER T_SOURCES EXCLUDE REGEX "(^|/)windows/[^/]+$")
  endif()
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(T_LABEL STREQUAL "gui")
    target_link_libraries(${name} PRIVATE kelvo_gui_test_main Qt6::Test GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE kelvo_test_support GTest::gtest_main GTest::gmock)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  kelvo_warnings(${name})

  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(env
    KELVO_SERVICES=${KELVO_SERVICE_ROOT}
    KELVO_SOURCE_DIR=${PROJECT_SOURCE_DIR}
    KELVO_BINARY_DIR=${CMAKE_BINARY_DIR}
    QT_QPA_PLATFORM=offscreen
    ${T_ENV})
  set_tests_properties(${name} PROPERTIES
    LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${env}")
  if(T_SERVICES)
    foreach(service ${T_SERVICES})
      kelvo_service(${service})
    endforeach()
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${T_SERVICES}")
  endif()
  kelvo_wine_test(${name} GTEST)
endfunction()
