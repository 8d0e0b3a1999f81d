# orbiquel_native_test(NAME SOURCES... LIBS ...): a GoogleTest executable for
# pure logic, built and run on the build machine.
function(orbiquel_native_test name)
  if(CMAKE_CROSSCOMPILING)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME native.${name} COMMAND ${name})
endfunction()

# orbiquel_win32_test(NAME SOURCES... LIBS ... [RESOURCES rc...]): a
# GoogleTest executable for Win32 code, run under Wine. Every test that runs
# Wine takes the one lock: two Wine processes starting at once on a cold
# server under the emulator can leave a desktop that never paints.
function(orbiquel_win32_test name)
  if(NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME win32.${name} COMMAND ${name})
  set_tests_properties(win32.${name} PROPERTIES
    FIXTURES_REQUIRED wineprefix RESOURCE_LOCK wine-desktop TIMEOUT 300)
endfunction()

# orbiquel_e2e_test(NAME SOURCES... [LIBS ...] [DPIS 120 ...] [LOCALE ja_JP] [FILE_DIALOGS]):
# a native GoogleTest executable that drives the real program under Wine
# through the harness in testing/harness (see testing/README.md). It takes the
# Wine desktop lock and needs the shared prefix; DPIS also the prefixes of
# those resolutions, LOCALE the prefix of that locale, FILE_DIALOGS the prefix
# for tests that open file dialogs, of that locale if one is given (tests/e2e).
function(orbiquel_e2e_test name)
  if(CMAKE_CROSSCOMPILING)
    return()
  endif()
  cmake_parse_arguments(T "FILE_DIALOGS" "LOCALE" "SOURCES;LIBS;DPIS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} e2e_harness GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME e2e.${name} COMMAND ${name})
  set(fixtures wineprefix)
  foreach(dpi IN LISTS T_DPIS)
    list(APPEND fixtures wineprefix${dpi})
  endforeach()
  if(T_LOCALE)
    list(APPEND fixtures wineprefix-${T_LOCALE})
  endif()
  if(T_FILE_DIALOGS AND T_LOCALE)
    list(APPEND fixtures wineprefix-${T_LOCALE}-dialogs)
  elseif(T_FILE_DIALOGS)
    list(APPEND fixtures wineprefix-dialogs)
  endif()
  set_tests_properties(e2e.${name} PROPERTIES
    FIXTURES_REQUIRED "${fixtures}" RESOURCE_LOCK wine-desktop TIMEOUT 900
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/testing/harness/leaks.supp")
endfunction()
