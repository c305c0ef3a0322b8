# GoogleTest from Debian's source package, built for the cross target.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found: run tools/setup.sh")
endif()
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# One test executable per library; CTest runs each under Wine.
# Everything in the tree's own prefix takes turns (one registry, one
# display); tests with prefixes of their own run beside them.
function(add_wine_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest test_main)
  target_link_libraries(${name} PRIVATE project_options)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK shared_wine_prefix)
  get_directory_property(armed WINE_TEST_WATCHDOGS_ARMED)
  if(NOT armed)
    set_directory_properties(PROPERTIES WINE_TEST_WATCHDOGS_ARMED ON)
    cmake_language(DEFER CALL arm_wine_test_watchdogs)
  endif()
endfunction()

# A small program that a script runs under Wine and judges by what it
# prints or returns: the test runs `bash <script> <wine-run.sh> <program>`.
function(add_wine_script_test name program source script)
  add_executable(${program} ${source})
  target_link_libraries(${program} PRIVATE ${ARGN})
  add_test(NAME ${name} COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/${script}
                                 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${program}>)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK shared_wine_prefix)
endfunction()

# Runs at the end of a directory that adds test programs, when every test's
# time-out is known: the hang watchdog (tests/support/hang_watchdog.h) fires
# this many seconds before CTest would kill the program, so its dump is
# written whole. Tests without a time-out of their own keep its default.
set(WINE_TEST_WATCHDOG_MARGIN 25)
function(arm_wine_test_watchdogs)
  get_directory_property(tests TESTS)
  foreach(test IN LISTS tests)
    get_test_property(${test} TIMEOUT timeout)
    if(timeout)
      math(EXPR limit "${timeout} - ${WINE_TEST_WATCHDOG_MARGIN}")
      set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "TEST_WATCHDOG_SECONDS=${limit}")
    endif()
  endforeach()
endfunction()
