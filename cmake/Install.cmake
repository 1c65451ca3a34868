# What `cmake --install` puts where (GNU layout under CMAKE_INSTALL_PREFIX,
# the program in PLIMO_INSTALL_BINDIR), and the Debian package CPack makes
# of it (`cpack -G DEB`). The installable files other than the program live
# in dist/; the desktop entry and the listing are filled in with the identity
# of cmake/Identity.cmake, the man page and the changelog compressed as
# Debian wants them.
set(dist "${PROJECT_SOURCE_DIR}/dist")
set(generated "${PROJECT_BINARY_DIR}/dist")

# The listing's optional parts: present only when the packager set them.
string(REPLACE "&" "&amp;" PLIMO_DEVELOPER_NAME_XML "${PLIMO_DEVELOPER_NAME}")
string(REPLACE "<" "&lt;" PLIMO_DEVELOPER_NAME_XML "${PLIMO_DEVELOPER_NAME_XML}")
set(PLIMO_LISTING_URLS "")
if(PLIMO_HOMEPAGE)
  string(APPEND PLIMO_LISTING_URLS "  <url type=\"homepage\">${PLIMO_HOMEPAGE}</url>\n")
endif()
if(PLIMO_BUGTRACKER)
  string(APPEND PLIMO_LISTING_URLS "  <url type=\"bugtracker\">${PLIMO_BUGTRACKER}</url>\n")
endif()
set(PLIMO_LISTING_SCREENSHOTS "")
if(PLIMO_SCREENSHOT_URL)
  set(PLIMO_LISTING_SCREENSHOTS "  <screenshots>\n    <screenshot type=\"default\">\n      <caption>A level in play</caption>\n      <image>${PLIMO_SCREENSHOT_URL}</image>\n    </screenshot>\n  </screenshots>\n")
endif()
set(PLIMO_DESKTOP_FILE "${generated}/${PLIMO_APP_ID}.desktop")
set(PLIMO_METAINFO_FILE "${generated}/${PLIMO_APP_ID}.metainfo.xml")
configure_file("${dist}/plimo.desktop.in" "${PLIMO_DESKTOP_FILE}" @ONLY)
configure_file("${dist}/plimo.metainfo.xml.in" "${PLIMO_METAINFO_FILE}" @ONLY)
configure_file("${dist}/changelog.in" "${generated}/changelog" @ONLY)
configure_file("${dist}/copyright" "${generated}/copyright" COPYONLY)

# gzip -n: no name or time in the header, so the same sources give the same bytes.
add_custom_command(OUTPUT "${generated}/plimo.6.gz" "${generated}/changelog.gz"
  COMMAND gzip -9nc "${dist}/plimo.6" > "${generated}/plimo.6.gz"
  COMMAND gzip -9nc "${generated}/changelog" > "${generated}/changelog.gz"
  DEPENDS "${dist}/plimo.6" "${generated}/changelog" VERBATIM)
add_custom_target(plimo_docs ALL DEPENDS "${generated}/plimo.6.gz" "${generated}/changelog.gz")

install(TARGETS plimo RUNTIME DESTINATION ${PLIMO_INSTALL_BINDIR})
install(FILES "${PLIMO_DESKTOP_FILE}" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${PLIMO_METAINFO_FILE}" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 64 128 256)
  install(FILES "${dist}/icons/hicolor/${size}x${size}/apps/plimo.png"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME "${PLIMO_APP_ID}.png")
endforeach()
# The game finds the help page from its own place (cmake/HelpPage.cmake).
install(FILES "${dist}/plimo-help.html" DESTINATION ${CMAKE_INSTALL_DATADIR}/plimo)
install(FILES "${generated}/plimo.6.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES "${generated}/copyright" "${generated}/changelog.gz" DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY "${PROJECT_SOURCE_DIR}/licences/" DESTINATION ${CMAKE_INSTALL_DOCDIR}/licences)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plimo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${PLIMO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PLIMO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile puzzle: slide coloured pieces together until the board is empty")
set(CPACK_PACKAGE_DESCRIPTION "Coloured pieces stand on a board of 10 by 8 cells. Pieces of the same colour
that touch join into one shape, and a colour whose pieces all form one shape
explodes; a level is won when the board is empty. Played with the mouse, a
touch screen, the keyboard or a gamepad.")
if(PLIMO_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PLIMO_HOMEPAGE}")
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The help page opens in the web browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
# The libraries the program links, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
