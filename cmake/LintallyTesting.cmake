if(CMAKE_CROSSCOMPILING)
  # No packaged GoogleTest exists for the target: build Debian's packaged sources.
  set(LINTALLY_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${LINTALLY_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# lintally_add_test(<name> SOURCES ... [DEPENDS ...])
# One GoogleTest executable per library; each test case becomes one CTest test, labelled
# with the executable's name so a run can pick executables (ctest -L).
# Tests find their fixtures through LINTALLY_TEST_DATA (tests/data).
function(lintally_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    LINTALLY_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${name})
endfunction()
