# Unit tests of the portable core, run by CTest.
enable_testing()
# The core decodes the panel's PNG pictures; natively it uses the system libpng.
find_package(PNG REQUIRED)
target_link_libraries(quillpad_core PUBLIC PNG::PNG)
# The character finder's table is stored zlib-compressed.
find_package(ZLIB REQUIRED)
target_link_libraries(quillpad_core PUBLIC ZLIB::ZLIB)
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB QP_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${QP_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE quillpad_core GTest::gtest GTest::gmock GTest::gtest_main qp_warnings)
target_compile_definitions(unit_tests PRIVATE QP_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)

# Checks that need Python tools rather than C++ (generated tables, embedded font coverage).
file(GLOB QP_SCRIPT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*_check.sh)
foreach(script IN LISTS QP_SCRIPT_TESTS)
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME ${name} COMMAND bash ${script} WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endforeach()

find_package(benchmark QUIET)
file(GLOB QP_MICRO_BENCH CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
if(benchmark_FOUND AND QP_MICRO_BENCH)
  add_executable(micro_bench ${QP_MICRO_BENCH})
  target_link_libraries(micro_bench PRIVATE quillpad_core benchmark::benchmark benchmark::benchmark_main)
endif()
