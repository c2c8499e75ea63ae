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
# Media Foundation's functions are looked up at run time (MediaFoundation.cpp):
# only its GUIDs are linked (mfuuid), so the exe starts without mf.dll.
target_link_libraries(varnok_win32 PUBLIC varnok_core
                      user32 gdi32 comctl32 comdlg32 uxtheme ole32 oleaut32 strmiids mfuuid uuid)

add_executable(Varnok WIN32 "${CMAKE_SOURCE_DIR}/src/platform/win32/main.cpp"
                            "${CMAKE_SOURCE_DIR}/src/platform/win32/Varnok.rc")
target_link_libraries(Varnok PRIVATE varnok_win32)
configure_file("${CMAKE_SOURCE_DIR}/src/platform/win32/VarnokVersion.h.in"
               "${CMAKE_BINARY_DIR}/generated/VarnokVersion.h" @ONLY)
target_include_directories(Varnok PRIVATE "${CMAKE_BINARY_DIR}/generated")

# GoogleTest for the Windows test programs (the end-to-end tests and the
# adapter tests), built from its sources with this toolchain.
set(VARNOK_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources for the cross build")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory("${VARNOK_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
# At -O1 it builds in half the time; what the tests test keeps -O3.
target_compile_options(gtest PRIVATE -O1)

# What every Windows test program shares (the temporary folder, the zip writer).
file(GLOB VARNOK_TEST_COMMON_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/common/*.cpp")
add_library(varnok_test_common STATIC ${VARNOK_TEST_COMMON_SOURCES})
target_include_directories(varnok_test_common PUBLIC "${CMAKE_SOURCE_DIR}/tests")
target_link_libraries(varnok_test_common PUBLIC varnok_core ZLIB::ZLIB)

# How long songs take to open, and how long the loop's thread is held meanwhile
# (scripts/bench-media.sh).
add_executable(varnok_media_bench "${CMAKE_SOURCE_DIR}/tests/bench/MediaOpenBench.cpp")
target_link_libraries(varnok_media_bench PRIVATE varnok_win32)

foreach(sub tools/standin tools/deskwindows tests/e2e tests/win32)
  if(EXISTS "${CMAKE_SOURCE_DIR}/${sub}/CMakeLists.txt")
    add_subdirectory(${sub})
  endif()
endforeach()

include(cmake/package.cmake)
