# The files a player's package carries beside Varnok.exe, made from the
# sources under package/ with CR LF line ends, as Windows' own editors and
# Varnok's file readers expect. Both builds make them: the unit tests load the
# example reply file, the windows build packs them.
set(VARNOK_PACKAGE_FILES "${CMAKE_BINARY_DIR}/package")
configure_file("${CMAKE_SOURCE_DIR}/package/README.txt.in" "${VARNOK_PACKAGE_FILES}/README.txt"
               @ONLY NEWLINE_STYLE CRLF)
configure_file("${CMAKE_SOURCE_DIR}/package/Saves/example.vnk.in"
               "${VARNOK_PACKAGE_FILES}/Saves/example.vnk" @ONLY NEWLINE_STYLE CRLF)
