# kestova_media_test(<name> SOURCES ... LIBS ... [ENV <VAR=value>...] [DISPLAY] [WEB_ENGINE] [SESSION_BUS]):
# as kestova_test, for the media player and web view tests. The environment
# comes in through /usr/bin/env in front of the test program, so that every
# variable of the list reaches the test (a property list hands gtest's test
# discovery the variables as separate arguments, and all but the first are
# lost). With DISPLAY the program runs through with-display, on a virtual X
# display of its own. WEB_ENGINE labels the tests "web-engine": they load the
# web engine, whose own code the sanitized run checks less strictly
# (scripts/check-sanitize). With SESSION_BUS the program runs on a private
# D-Bus session bus of its own (dbus-run-session).
set(KESTOVA_WITH_DISPLAY ${CMAKE_CURRENT_LIST_DIR}/with-display)

function(kestova_media_test name)
  cmake_parse_arguments(T "DISPLAY;WEB_ENGINE;SESSION_BUS" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set(launcher env ${T_ENV})
  if(T_SESSION_BUS)
    find_program(KESTOVA_DBUS_RUN_SESSION dbus-run-session REQUIRED)
    list(PREPEND launcher ${KESTOVA_DBUS_RUN_SESSION} --)
  endif()
  if(T_DISPLAY)
    list(PREPEND launcher ${KESTOVA_WITH_DISPLAY})
  endif()
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    CROSSCOMPILING_EMULATOR "${launcher}")
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main kestova_warnings)
  target_compile_definitions(${name} PRIVATE KESTOVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set(labels "")
  if(T_WEB_ENGINE)
    set(labels web-engine)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300 LABELS "${labels}")
endfunction()
