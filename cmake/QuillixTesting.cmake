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

# quillix_add_test(<target> SOURCES <files...> LIBS <targets...> [DBUS | DESKTOP_BUS | XVFB])
# XVFB: on an X display of the test's own with a window manager instead of
# the offscreen platform (the tests skip, saying why, where there is none).
function(quillix_add_test target)
  cmake_parse_arguments(ARG "DBUS;DESKTOP_BUS;XVFB" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(ARG_DESKTOP_BUS)
    set(launcher ${QUILLIX_TEST_ENV} --dbus ${QUILLIX_DESKTOP_DBUS_CONFIG})
  elseif(ARG_DBUS)
    set(launcher ${QUILLIX_TEST_ENV} --dbus ${QUILLIX_DBUS_CONFIG})
  elseif(ARG_XVFB)
    set(launcher ${QUILLIX_TEST_ENV} --xvfb)
  else()
    set(launcher ${QUILLIX_TEST_ENV})
  endif()
  set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR ${launcher})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300 ENVIRONMENT "QUILLIX_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
endfunction()
