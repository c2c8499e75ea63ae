# The package a player downloads: Varnok.exe, the player's README.txt and a
# reply file to start from in Saves, zipped by CPack as
# Varnok-<version>-win64.zip (scripts/package.sh). The stand-in and the test
# programs are not installed and stay out of it.
install(TARGETS Varnok RUNTIME DESTINATION .)
install(FILES "${VARNOK_PACKAGE_FILES}/README.txt" DESTINATION .)
install(FILES "${VARNOK_PACKAGE_FILES}/Saves/example.vnk" DESTINATION Saves)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}-win64")
# Unpacked where the player likes: the exe, README.txt and Saves side by side.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
