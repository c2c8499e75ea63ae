# Native build: the core with its in-memory adapters, unit-tested with GoogleTest
# (and, in the fuzz preset, driven by the libFuzzer targets too).
file(GLOB VARNOK_FAKE_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/fakes/*.cpp"
     "${CMAKE_SOURCE_DIR}/tests/common/*.cpp")

add_library(varnok_fakes STATIC ${VARNOK_FAKE_SOURCES})
target_include_directories(varnok_fakes PUBLIC "${CMAKE_SOURCE_DIR}/tests")
# The tests' zip writer (common/ZipWriter.cpp) deflates with zlib.
target_link_libraries(varnok_fakes PUBLIC varnok_core ZLIB::ZLIB)

enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB_RECURSE VARNOK_UNIT_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/unit/*.cpp")

add_executable(varnok_unit_tests ${VARNOK_UNIT_SOURCES})
target_link_libraries(varnok_unit_tests PRIVATE varnok_fakes GTest::gtest GTest::gmock GTest::gtest_main)
target_compile_definitions(varnok_unit_tests
                           PRIVATE VARNOK_EXAMPLE_REPLY_FILE="${VARNOK_PACKAGE_FILES}/Saves/example.vnk")
gtest_discover_tests(varnok_unit_tests DISCOVERY_MODE PRE_TEST)
# GoogleTest's and GoogleMock's headers parsed once for all the test files,
# not once each: the larger part of a test file's build time.
target_precompile_headers(varnok_unit_tests PRIVATE <gtest/gtest.h> <gmock/gmock.h>)

# Under the sanitizers the tests' own code is left unoptimised: it halves
# their build time, and the core they test keeps its -O1. Nor does it carry
# the fuzzer's coverage counters, which only the fuzz targets read.
if(VARNOK_SANITIZE)
  target_compile_options(varnok_unit_tests PRIVATE -O0)
endif()
if(VARNOK_FUZZ)
  target_compile_options(varnok_unit_tests PRIVATE -fno-sanitize=fuzzer-no-link)
endif()

# The timing of reading the game's texts from a large archive (scripts/bench.sh texts).
if(NOT VARNOK_SANITIZE)
  add_executable(varnok_texts_bench "${CMAKE_SOURCE_DIR}/tests/bench/GameStringsBench.cpp")
  target_link_libraries(varnok_texts_bench PRIVATE varnok_fakes)
endif()

if(VARNOK_FUZZ)
  include(cmake/fuzz.cmake)
endif()
