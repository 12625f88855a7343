# Test registration for both builds.
#
# Native build: GoogleTest executables run directly under ctest.
# MinGW build: every test executable runs under Wine through
# scripts/wine-run.sh (the cross-compiling emulator), inside one Wine session
# per ctest run: the session fixture boots the private prefix once, keeps one
# wineserver (and Xvfb when there is no display) alive for the run and stops
# them at the end.
#
#   tavilo_add_test(NAME <name> SOURCES <src>... [LIBS <lib>...]
#                   [NATIVE_ONLY] [WINE_ONLY]
#                   [LOCALES <locale>...] [ARGS <arg>...] [TIMEOUT <s>])
#     LOCALES (Wine only) runs the same executable once per locale, with
#     LC_ALL set to it; the first locale keeps the plain test name, the others
#     get ".<locale without .UTF-8>" appended. Default: en_US.UTF-8.
#
#   tavilo_add_wine_script_test(NAME <name> COMMAND <cmd> [<arg>...]
#                               [LOCALE <locale>] [TIMEOUT <s>]
#                               [WORKING_DIRECTORY <dir>])
#     A plain command (an end-to-end script) that needs the Wine session.
#     It sees TAVILO_WINE_BUILD_DIR, TAVILO_WINE_LOCALE, TAVILO_SOURCE_DIR,
#     TAVILO_WINE_RUN (scripts/wine-run.sh) and, when the app is built,
#     TAVILO_EXE; sourcing scripts/wine-env.sh gives WINEPREFIX, DISPLAY,
#     WINELOADER and WINESERVER. Script tests never overlap each other.
#     Does nothing in the native build.

include_guard(GLOBAL)

option(TAVILO_BUILD_TESTS "Build and register the GoogleTest suites" ON)

set(TAVILO_GOOGLETEST_DIR /usr/src/googletest CACHE PATH
    "GoogleTest source tree (Debian package googletest)")
set(TAVILO_DEFAULT_WINE_LOCALE en_US.UTF-8)
set(TAVILO_WINE_TEST_TIMEOUT 300)
set(TAVILO_WINE_FIXTURE tavilo_wine_session)
set(TAVILO_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
set(TAVILO_WINE_SESSION ${PROJECT_SOURCE_DIR}/scripts/wine-session.sh)

if(TAVILO_BUILD_TESTS)
  if(NOT EXISTS ${TAVILO_GOOGLETEST_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${TAVILO_GOOGLETEST_DIR}"
                        " (install the Debian package googletest)")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${TAVILO_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest
                   EXCLUDE_FROM_ALL SYSTEM)

  if(WIN32 AND CMAKE_CROSSCOMPILING)
    # add_test(COMMAND <target>) prefixes the target with this wrapper.
    set(CMAKE_CROSSCOMPILING_EMULATOR bash ${TAVILO_WINE_RUN})

    add_executable(tavilo_wine_desktop_keeper
                   ${CMAKE_CURRENT_LIST_DIR}/wine/WineDesktopKeeper.cpp)

    add_test(NAME tavilo.wine_session.start
             COMMAND bash ${TAVILO_WINE_SESSION} start ${CMAKE_BINARY_DIR}
                     $<TARGET_FILE:tavilo_wine_desktop_keeper>)
    add_test(NAME tavilo.wine_session.stop
             COMMAND bash ${TAVILO_WINE_SESSION} stop ${CMAKE_BINARY_DIR})
    set_tests_properties(tavilo.wine_session.start PROPERTIES
                         FIXTURES_SETUP ${TAVILO_WINE_FIXTURE} TIMEOUT 180)
    set_tests_properties(tavilo.wine_session.stop PROPERTIES
                         FIXTURES_CLEANUP ${TAVILO_WINE_FIXTURE} TIMEOUT 60)
  endif()
endif()

# Properties shared by everything that runs inside the Wine session.
function(_tavilo_wine_test_properties test_name locale timeout)
  set_tests_properties(${test_name} PROPERTIES
    FIXTURES_REQUIRED ${TAVILO_WINE_FIXTURE}
    TIMEOUT ${timeout}
    ENVIRONMENT "TAVILO_WINE_BUILD_DIR=${CMAKE_BINARY_DIR};TAVILO_WINE_LOCALE=${locale};TAVILO_SOURCE_DIR=${PROJECT_SOURCE_DIR};TAVILO_WINE_RUN=${TAVILO_WINE_RUN}")
endfunction()

function(tavilo_add_test)
  cmake_parse_arguments(PARSE_ARGV 0 T "NATIVE_ONLY;WINE_ONLY" "NAME;TIMEOUT"
                        "SOURCES;LIBS;LOCALES;ARGS")
  if(NOT TAVILO_BUILD_TESTS)
    return()
  endif()
  if(NOT T_NAME OR NOT T_SOURCES)
    message(FATAL_ERROR "tavilo_add_test needs NAME and SOURCES")
  endif()
  if(T_NATIVE_ONLY AND T_WINE_ONLY)
    message(FATAL_ERROR "tavilo_add_test(${T_NAME}): NATIVE_ONLY and WINE_ONLY exclude each other")
  endif()
  if((T_NATIVE_ONLY AND WIN32) OR (T_WINE_ONLY AND NOT WIN32))
    return()
  endif()

  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)

  if(NOT WIN32)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
    if(T_TIMEOUT)
      set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
    endif()
    return()
  endif()

  if(NOT T_LOCALES)
    set(T_LOCALES ${TAVILO_DEFAULT_WINE_LOCALE})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${TAVILO_WINE_TEST_TIMEOUT})
  endif()
  list(GET T_LOCALES 0 first_locale)
  foreach(locale IN LISTS T_LOCALES)
    set(test_name ${T_NAME})
    if(NOT locale STREQUAL first_locale)
      string(REGEX REPLACE "\\.[Uu][Tt][Ff]-?8$" "" short_locale ${locale})
      set(test_name ${T_NAME}.${short_locale})
    endif()
    # One Wine process per executable, never one per test case.
    add_test(NAME ${test_name} COMMAND ${T_NAME} ${T_ARGS})
    _tavilo_wine_test_properties(${test_name} ${locale} ${T_TIMEOUT})
  endforeach()
endfunction()

function(tavilo_add_wine_script_test)
  cmake_parse_arguments(PARSE_ARGV 0 T "" "NAME;LOCALE;TIMEOUT;WORKING_DIRECTORY"
                        "COMMAND")
  if(NOT TAVILO_BUILD_TESTS OR NOT WIN32)
    return()
  endif()
  if(NOT T_NAME OR NOT T_COMMAND)
    message(FATAL_ERROR "tavilo_add_wine_script_test needs NAME and COMMAND")
  endif()
  if(NOT T_LOCALE)
    set(T_LOCALE ${TAVILO_DEFAULT_WINE_LOCALE})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${TAVILO_WINE_TEST_TIMEOUT})
  endif()
  if(NOT T_WORKING_DIRECTORY)
    set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()

  add_test(NAME ${T_NAME} COMMAND ${T_COMMAND}
           WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  _tavilo_wine_test_properties(${T_NAME} ${T_LOCALE} ${T_TIMEOUT})
  # Screenshots and synthetic input need the display to themselves.
  set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK tavilo_wine_display)
  if(TARGET tavilo)
    set_property(TEST ${T_NAME} APPEND PROPERTY
                 ENVIRONMENT "TAVILO_EXE=$<TARGET_FILE:tavilo>")
  endif()
endfunction()
