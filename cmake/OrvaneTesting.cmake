# One GoogleTest executable per test folder; each test case becomes a ctest test with a label.
if(CMAKE_CROSSCOMPILING)
  include(OrvaneCrossGTest)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

function(orvane_add_gtest name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    # Every test case of a cross build runs under Wine as a ctest test of its own, so a case
    # that skips is counted as skipped, never inside a passing whole. The list is read when
    # ctest starts, as reading it needs Wine too. A crash Wine reports is a failure whatever
    # the exit code says.
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
      ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      PROPERTIES LABELS wine TIMEOUT 120 FAIL_REGULAR_EXPRESSION "wine: Unhandled")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${ARG_LABEL} TIMEOUT 120)
  endif()
endfunction()

# A static library of the .cpp files in the calling folder (an interface library while the
# folder holds headers only).
function(orvane_add_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${ARGN})
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
  endif()
endfunction()

# Links a library made by orvane_add_library, whichever kind it is.
function(orvane_link name)
  get_target_property(type ${name} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()

# One test executable of the .cpp files in the calling folder, if there are any.
function(orvane_add_test_folder name label)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    orvane_add_gtest(${name} LABEL ${label} SOURCES ${sources} LIBS ${ARGN})
  endif()
endfunction()
