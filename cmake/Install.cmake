# What `cmake --install` puts where (GNU layout under CMAKE_INSTALL_PREFIX),
# and the Debian package CPack makes of it (`cpack -G DEB`). The installable
# files other than the program live in dist/.
set(PLIMO_APP_ID example.tilecraft.plimo)
set(dist "${PROJECT_SOURCE_DIR}/dist")

install(TARGETS plimo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${dist}/${PLIMO_APP_ID}.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${dist}/${PLIMO_APP_ID}.metainfo.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY "${dist}/icons/" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# The game finds the help page from its own place (cmake/HelpPage.cmake).
install(FILES "${dist}/plimo-help.html" DESTINATION ${CMAKE_INSTALL_DATADIR}/plimo)
install(FILES "${dist}/plimo.6" DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/licences/" DESTINATION ${CMAKE_INSTALL_DOCDIR}/licences)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plimo)
set(CPACK_PACKAGE_VERSION 1.3.4)
set(CPACK_PACKAGE_VENDOR Tilecraft)
set(CPACK_PACKAGE_CONTACT "Tilecraft <plimo@tilecraft.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile puzzle: slide coloured pieces together until the board is empty")
set(CPACK_PACKAGE_DESCRIPTION "Coloured pieces stand on a board of 10 by 8 cells. Pieces of the same colour
that touch join into one shape, and a colour whose pieces all form one shape
explodes; a level is won when the board is empty. Played with the mouse, a
touch screen, the keyboard or a gamepad.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
