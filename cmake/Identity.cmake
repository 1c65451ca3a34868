# Who publishes this build of the game. A packager sets these for the place
# the game is published from; the defaults claim nothing: the id is a
# placeholder under the reserved example domain, and the addresses are left
# out of the listing when they are not set.
set(PLIMO_APP_ID "org.example.plimo" CACHE STRING
  "Reverse-DNS id of the desktop entry, the AppStream listing, the icon and the window class")
set(PLIMO_DEVELOPER_NAME "The pLiMo lite contributors" CACHE STRING "Developer name in the AppStream listing")
set(PLIMO_MAINTAINER "pLiMo lite packager <packager@example.org>" CACHE STRING
  "Maintainer of the Debian package: Name <address>")
set(PLIMO_HOMEPAGE "" CACHE STRING "Home page address (left out when empty)")
set(PLIMO_BUGTRACKER "" CACHE STRING "Bug tracker address (left out when empty)")
set(PLIMO_SCREENSHOT_URL "" CACHE STRING
  "Address where dist/screenshots/plimo-play.png is published (no screenshot in the listing when empty)")

if(NOT PLIMO_APP_ID MATCHES "^[A-Za-z][A-Za-z0-9_-]*(\\.[A-Za-z0-9_-]+)+$")
  message(FATAL_ERROR "PLIMO_APP_ID must be a reverse-DNS name such as org.example.plimo: ${PLIMO_APP_ID}")
endif()
