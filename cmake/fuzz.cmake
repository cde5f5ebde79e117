# libFuzzer targets (Debian's clang): the configuration file, the command line and
# the output formats and the character finder's query, all under AddressSanitizer and UndefinedBehaviorSanitizer.
# Included before the core is defined, so the core is instrumented too: coverage
# inside PreferencesFile and the parsers is what steers the fuzzers.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "QUILLPAD_FUZZ needs clang++ (use the fuzz preset)")
endif()

add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
add_link_options(-fsanitize=address,undefined)

set(QP_FUZZ_TARGETS preferences command_line format find)
foreach(name IN LISTS QP_FUZZ_TARGETS)
  add_executable(fuzz_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/${name}_fuzz.cpp)
  target_link_libraries(fuzz_${name} PRIVATE quillpad_core qp_warnings)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endforeach()

# The whole Unicode range once, every mode: too regular a loop to leave to chance.
add_executable(format_sweep ${CMAKE_SOURCE_DIR}/tests/fuzz/format_sweep.cpp)
target_link_libraries(format_sweep PRIVATE quillpad_core qp_warnings)

add_custom_target(fuzzers DEPENDS fuzz_preferences fuzz_command_line fuzz_format fuzz_find format_sweep)
