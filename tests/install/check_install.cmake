# Installs the build folder BUILD into a fresh PREFIX with `cmake --install`
# and checks that exactly the expected files arrive, and that the desktop
# entry names an installed program and icon and the window class.
#   cmake -DBUILD=<build folder> -DPREFIX=<scratch folder> -DID=<application id>
#         -DBINDIR=<program folder under the prefix> -P check_install.cmake
set(id ${ID})
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  ${BINDIR}/plimo
  share/applications/${id}.desktop
  share/metainfo/${id}.metainfo.xml
  share/icons/hicolor/48x48/apps/${id}.png
  share/icons/hicolor/64x64/apps/${id}.png
  share/icons/hicolor/128x128/apps/${id}.png
  share/icons/hicolor/256x256/apps/${id}.png
  share/plimo/plimo-help.html
  share/man/man6/plimo.6.gz
  share/doc/plimo/copyright
  share/doc/plimo/changelog.gz)
file(GLOB licences RELATIVE "${PREFIX}/share/doc/plimo" "${PREFIX}/share/doc/plimo/licences/fonts/*")
list(LENGTH licences licence_count)
if(licence_count LESS 5)
  message(FATAL_ERROR "licences missing: ${licences}")
endif()
foreach(licence IN LISTS licences)
  list(APPEND expected share/doc/plimo/${licence})
endforeach()

file(GLOB_RECURSE installed RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
  list(REMOVE_ITEM installed ${expected})
  set(missing ${expected})
  file(GLOB_RECURSE present RELATIVE "${PREFIX}" "${PREFIX}/*")
  list(REMOVE_ITEM missing ${present})
  message(FATAL_ERROR "unexpected: ${installed}\nmissing: ${missing}")
endif()

execute_process(COMMAND test -x "${PREFIX}/${BINDIR}/plimo" RESULT_VARIABLE not_executable)
if(not_executable)
  message(FATAL_ERROR "${BINDIR}/plimo is not executable")
endif()
file(STRINGS "${PREFIX}/share/applications/${id}.desktop" exec REGEX "^Exec=")
file(STRINGS "${PREFIX}/share/applications/${id}.desktop" icon REGEX "^Icon=")
file(STRINGS "${PREFIX}/share/applications/${id}.desktop" class REGEX "^StartupWMClass=")
if(NOT exec STREQUAL "Exec=plimo" OR NOT icon STREQUAL "Icon=${id}" OR NOT class STREQUAL "StartupWMClass=${id}")
  message(FATAL_ERROR "the desktop entry names another program, icon or class: ${exec} ${icon} ${class}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
message(STATUS "installed as expected: ${PREFIX}")
