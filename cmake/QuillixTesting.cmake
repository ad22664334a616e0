# Tests run through tests/harness/test-env.sh: a fresh temporary XDG_CONFIG_HOME,
# XDG_DATA_HOME and XDG_RUNTIME_DIR per test process, QT_QPA_PLATFORM=offscreen,
# and, for tests declared with DBUS, a private session bus of their own (with
# DESKTOP_BUS, one with the limits of a desktop's session bus).
find_package(GTest REQUIRED)
include(GoogleTest)

set(QUILLIX_TEST_ENV ${CMAKE_SOURCE_DIR}/tests/harness/test-env.sh)
set(QUILLIX_DBUS_CONFIG ${CMAKE_BINARY_DIR}/tests/harness/session-bus.conf)
set(QUILLIX_DBUS_SERVICE_DIR ${CMAKE_BINARY_DIR}/dbus-services)
file(MAKE_DIRECTORY ${QUILLIX_DBUS_SERVICE_DIR})
set(QUILLIX_DESKTOP_DBUS_CONFIG ${CMAKE_BINARY_DIR}/tests/harness/desktop-session-bus.conf)
configure_file(${CMAKE_SOURCE_DIR}/tests/harness/session-bus.conf.in ${QUILLIX_DBUS_CONFIG} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/tests/harness/desktop-session-bus.conf.in ${QUILLIX_DESKTOP_DBUS_CONFIG} @ONLY)

# ctest runs each test in a process of its own. With QUILLIX_TEST_WHOLE_PROGRAMS
# each test program also runs whole, once, as the test WholeProgram.<target>
# (in the same sandbox), so that a test that passes only alone shows.
option(QUILLIX_TEST_WHOLE_PROGRAMS "Also run every test program whole as one test" OFF)

# quillix_add_test(<target> SOURCES <files...> LIBS <targets...> [DBUS | DESKTOP_BUS] [XVFB])
# XVFB: each test process also gets an X display of its own with a window
# manager (tests/harness/xvfb-session.sh); without Xvfb its tests skip.
function(quillix_add_test target)
  cmake_parse_arguments(ARG "DBUS;DESKTOP_BUS;XVFB" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(ARG_DESKTOP_BUS)
    set(launcher ${QUILLIX_TEST_ENV} --dbus ${QUILLIX_DESKTOP_DBUS_CONFIG})
  elseif(ARG_DBUS)
    set(launcher ${QUILLIX_TEST_ENV} --dbus ${QUILLIX_DBUS_CONFIG})
  else()
    set(launcher ${QUILLIX_TEST_ENV})
  endif()
  if(ARG_XVFB)
    list(APPEND launcher ${CMAKE_SOURCE_DIR}/tests/harness/xvfb-session.sh)
  endif()
  set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR ${launcher})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300 ENVIRONMENT "QUILLIX_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  if(QUILLIX_TEST_WHOLE_PROGRAMS)
    add_test(NAME WholeProgram.${target} COMMAND ${launcher} $<TARGET_FILE:${target}>)
    # Started first (a high cost): a whole program runs longest.
    set_tests_properties(WholeProgram.${target} PROPERTIES
      TIMEOUT 600 COST 1000 ENVIRONMENT "QUILLIX_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  endif()
endfunction()
