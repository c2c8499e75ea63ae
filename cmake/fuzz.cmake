# libFuzzer targets: one executable per tests/fuzz/*Fuzz.cpp, named after the
# file; scripts/fuzz.sh runs each over its seeds in tests/fuzz/corpus/<name>.
file(GLOB VARNOK_FUZZ_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/fuzz/*Fuzz.cpp")
foreach(source IN LISTS VARNOK_FUZZ_SOURCES)
  get_filename_component(name "${source}" NAME_WE)
  add_executable(${name} "${source}")
  target_link_libraries(${name} PRIVATE varnok_fakes)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endforeach()
