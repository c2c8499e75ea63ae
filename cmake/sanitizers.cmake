# Sanitizer builds (the asan and fuzz presets, clang): every target, the core
# included, is built lean at -O1 and stops at the first fault, so undefined
# behaviour fails a run instead of printing a warning.
set(VARNOK_SANITIZE "" CACHE STRING "Sanitizers of the native build, e.g. address,undefined")
option(VARNOK_FUZZ "Build the libFuzzer targets too" OFF)

if(VARNOK_SANITIZE)
  add_compile_options(-O1 -fno-omit-frame-pointer -fsanitize=${VARNOK_SANITIZE}
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${VARNOK_SANITIZE})
endif()
if(VARNOK_FUZZ)
  # Coverage for the fuzzer everywhere, so the unit tests share the sanitized
  # core; the fuzzer's own main() goes into the fuzz targets alone.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
