# Windows build: the core, the Win32 adapters and Varnok.exe, statically linked
# so that the exe needs no DLL beside it. The game console stand-in and the
# end-to-end tests are built here too, when their folders define them.
enable_language(RC)
add_link_options(-static -static-libgcc -static-libstdc++)

# The resource script (manifest, version) belongs to the exe alone: resources
# inside a static library would not be linked in.
file(GLOB VARNOK_WIN32_SOURCES CONFIGURE_DEPENDS
     "${CMAKE_SOURCE_DIR}/src/platform/win32/*.cpp")
list(FILTER VARNOK_WIN32_SOURCES EXCLUDE REGEX "/(main|SystemText)\\.cpp$")

add_library(varnok_win32 STATIC ${VARNOK_WIN32_SOURCES})
target_compile_definitions(varnok_win32 PUBLIC _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX STRICT)
target_link_libraries(varnok_win32 PUBLIC varnok_core
                      user32 gdi32 comctl32 comdlg32 uxtheme ole32 oleaut32 strmiids uuid)

add_executable(Varnok WIN32 "${CMAKE_SOURCE_DIR}/src/platform/win32/main.cpp"
                            "${CMAKE_SOURCE_DIR}/src/platform/win32/Varnok.rc")
target_link_libraries(Varnok PRIVATE varnok_win32)
configure_file("${CMAKE_SOURCE_DIR}/src/platform/win32/VarnokVersion.h.in"
               "${CMAKE_BINARY_DIR}/generated/VarnokVersion.h" @ONLY)
target_include_directories(Varnok PRIVATE "${CMAKE_BINARY_DIR}/generated")

# Checks of the adapters against real windows; run under Wine by
# scripts/win32-checks.sh.
add_executable(varnok_win32_checks "${CMAKE_SOURCE_DIR}/src/platform/win32/checks/Win32AdapterChecks.cpp")
target_link_libraries(varnok_win32_checks PRIVATE varnok_win32)

foreach(sub tools/standin tools/deskwindows tests/e2e)
  if(EXISTS "${CMAKE_SOURCE_DIR}/${sub}/CMakeLists.txt")
    add_subdirectory(${sub})
  endif()
endforeach()

include(cmake/package.cmake)
