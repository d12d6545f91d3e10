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
  # A short README of Windows' own, its options table taken from the
  # README's (which a test holds to the tool), and the licence and the
  # notices of what is linked in: all as Windows' editors read them.
  include(cmake/windows_readme.cmake)
  velmora_windows_readme(${CMAKE_BINARY_DIR}/README.txt)
  velmora_crlf_copy(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt)
  velmora_crlf_copy(${PROJECT_SOURCE_DIR}/packaging/NOTICES-windows.txt
                    ${CMAKE_BINARY_DIR}/NOTICES.txt)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE.txt
                ${CMAKE_BINARY_DIR}/NOTICES.txt DESTINATION .)
  set(VELMORA_WIN32_EXE "" CACHE FILEPATH "The 32-bit build's Velmora.exe, for the package")
  if(VELMORA_WIN32_EXE)
    install(FILES ${VELMORA_WIN32_EXE} DESTINATION 32-bit)
  endif()
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6 (>= 2.34), libstdc++6 (>= 12), libutf8proc2 (>= 2.5), libexiv2-27 (>= 0.27.6)")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmora developers <velmora@example.org>")
  set(CPACK_PACKAGE_DESCRIPTION
      "Photos and recordings whose times were lost in a copy, a download or a
cloud sync get back the time their names give ('2010-09-10 13.40.jpg'),
so that every viewer sorts them by when they were taken. It reads the
name shapes of phones and apps, Google Takeout's sidecars, and keeps a
journal by which any run is undone.")
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # Debian keeps a package's changelog compressed, as gzip -9n makes it.
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
  add_custom_target(velmora_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
  install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
include(CPack)
