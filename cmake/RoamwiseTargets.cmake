# Shared compile settings and helpers for the subsystem libraries.

add_library(roamwise_options INTERFACE)
target_compile_options(roamwise_options INTERFACE -Wall -Wextra)
target_include_directories(roamwise_options INTERFACE ${PROJECT_SOURCE_DIR})
# GCC 12 reports "literal" + std::string temporaries as overlapping copies when it
# inlines them at -O2 (GCC bug 105329); the warning is false, and GCC 13 drops it.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(roamwise_options INTERFACE -Wno-restrict)
endif()
if(ROAMWISE_SANITIZE)
  target_compile_options(roamwise_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(roamwise_options INTERFACE -fsanitize=address,undefined)
endif()
if(ROAMWISE_FUZZ)
  # Coverage for libFuzzer in every library; only the fuzz programs link the engine.
  target_compile_options(roamwise_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# roamwise_library(NAME DEPENDS... [EXCLUDE regex...]) builds every .cpp below the calling
# folder, except those whose path matches an EXCLUDE pattern, into one static library.
# Core libraries must never see Qt: none of them links it.
function(roamwise_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE relative_sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  # A qt/ folder holds the Qt side of a subsystem, built as its own target.
  list(FILTER relative_sources EXCLUDE REGEX "(^|/)qt/")
  list(TRANSFORM relative_sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE sources)
  foreach(pattern IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${pattern}")
  endforeach()
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC roamwise_options ${ARG_DEPENDS})
endfunction()

# roamwise_test(NAME DEPENDS...) builds every .cpp of the calling tests/ folder into
# one GoogleTest program and registers its cases with CTest.
function(roamwise_test name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE roamwise_testsupport ${ARG_DEPENDS} GTest::gtest GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "ROAMWISE_TEST_BIN=${CMAKE_BINARY_DIR}/bin")
endfunction()
