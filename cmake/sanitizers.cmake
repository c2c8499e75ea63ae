# Sanitizer builds (the fuzz preset, clang): every target is built lean and
# stops at the first fault, so undefined behaviour fails a run instead of
# printing a warning.
set(VARNOK_SANITIZE "" CACHE STRING "Sanitizers of the native build, e.g. address,undefined")
option(VARNOK_FUZZ "Build the libFuzzer targets too" OFF)

if(VARNOK_SANITIZE)
  # Line tables alone keep file and line in the reports at a fraction of the
  # build time of full debug information.
  add_compile_options(-O1 -gline-tables-only -fno-omit-frame-pointer
                      -fsanitize=${VARNOK_SANITIZE} -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${VARNOK_SANITIZE})
endif()
if(VARNOK_FUZZ)
  # Coverage for the fuzzer everywhere, so the unit tests share the sanitized
  # core; the fuzzer's own main() goes into the fuzz targets alone.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
