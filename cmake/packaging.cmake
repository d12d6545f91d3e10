# Packages, made by cpack: on Linux a Debian package (the tool, its man
# page, its bash completion and the README); from the Windows build a .zip
# with Velmora.exe and a README in CR LF text, and, given the 32-bit
# build's executable (-DVELMORA_WIN32_EXE=...), that one beside it.
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "the Velmora developers")
set(CPACK_PACKAGE_CONTACT "the Velmora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "sets files' last-modified times from the dates and times in their names")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME velmora-${PROJECT_VERSION}-windows)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  # The README as Windows' editors read it.
  file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
  string(REPLACE "\r\n" "\n" readme "${readme}")
  string(REPLACE "\n" "\r\n" readme "${readme}")
  file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${readme}")
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
  set(VELMORA_WIN32_EXE "" CACHE FILEPATH "The 32-bit build's Velmora.exe, for the package")
  if(VELMORA_WIN32_EXE)
    install(FILES ${VELMORA_WIN32_EXE} DESTINATION 32-bit)
  endif()
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libstdc++6 (>= 12), libutf8proc2 (>= 2.5)")
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
include(CPack)
