# Test helpers. Every test program links the kesh library and GoogleTest and is
# registered test by test with CTest.
#
#   kesh_add_test(NAME SOURCES file... [GL] [SERIAL] [LIBS lib...] [LABEL label]
#                 [TIMEOUT seconds])
#
# Each test gets one label: the one given, else "gl" or "logic".
#
# SERIAL tests run alone: end-to-end tests start the real program and watch
# the display for its windows, which another test's windows would confuse.
# GL tests get a real GL context (a hidden-from-nobody GLUT window on the test
# display) before the first test runs; they need DISPLAY, which `make test`
# provides with its private Xvfb.
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(kesh_test_support STATIC ${CMAKE_SOURCE_DIR}/tests/support/temp_folder.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/support/files.cpp)
target_include_directories(kesh_test_support PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(kesh_test_support PRIVATE kesh_warnings)

add_library(kesh_gl_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/gl_test_main.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/support/gl_probe.cpp)
target_link_libraries(kesh_gl_test_main PUBLIC kesh kesh_tool_window GTest::gtest PRIVATE kesh_warnings)

function(kesh_add_test name)
  cmake_parse_arguments(T "GL;SERIAL" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE kesh kesh_test_support kesh_warnings GTest::gtest ${T_LIBS})
  if(T_GL)
    target_link_libraries(${name} PRIVATE kesh_gl_test_main)
    set(label gl)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    set(label logic)
  endif()
  if(T_LABEL)
    set(label ${T_LABEL})
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(serial FALSE)
  if(T_SERIAL)
    set(serial TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES LABELS ${label} TIMEOUT ${T_TIMEOUT} RUN_SERIAL ${serial})
endfunction()

# End-to-end tests: a shell script run against the real binaries in the build folder.
#   kesh_add_script_test(NAME SCRIPT [TIMEOUT seconds])
function(kesh_add_script_test name script)
  cmake_parse_arguments(T "" "TIMEOUT" "" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_test(NAME ${name} COMMAND bash ${script}
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES
    LABELS e2e TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "KESH_BUILD=${CMAKE_BINARY_DIR};KESH_SOURCE=${CMAKE_SOURCE_DIR}")
endfunction()
