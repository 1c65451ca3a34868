# The game for a web browser, built with Emscripten (emcmake cmake): the
# same game and embedded archive, with the browser front end of the media
# layer (media/web/) in place of SDL and the desktop codecs. Produces
# plimo.js and plimo.wasm; tools/web.sh puts them beside the page.
set(PLIMO_INSTALL_BINDIR games CACHE STRING "Folder of the installed program, under the prefix")
include(GNUInstallDirs)
include(cmake/EmbedArchive.cmake)
include(cmake/HelpPage.cmake)
include(cmake/GameLibrary.cmake)

# The header-only decoders of Debian's libstb-dev, by their own folder: the
# system's include folder itself would hide the WebAssembly C library.
set(PLIMO_STB_DIR /usr/include/stb CACHE PATH "Folder of the stb headers")
if(NOT EXISTS "${PLIMO_STB_DIR}/stb_image.h")
  message(FATAL_ERROR "stb headers not found in ${PLIMO_STB_DIR} (Debian: libstb-dev)")
endif()

# The desktop media files that build on the web stand-ins of SDL, FreeType
# and vorbisfile; the pictures are decoded by stb_image instead of libpng
# and libjpeg.
file(GLOB MEDIA_SOURCES CONFIGURE_DEPENDS media/*.cpp media/web/*.cpp)
list(REMOVE_ITEM MEDIA_SOURCES ${PROJECT_SOURCE_DIR}/media/picture_codec.cpp
  ${PROJECT_SOURCE_DIR}/media/test_hooks.cpp ${PROJECT_SOURCE_DIR}/media/web/main.cpp)
add_library(plimo_media STATIC ${MEDIA_SOURCES})
target_include_directories(plimo_media PRIVATE ${PROJECT_SOURCE_DIR}/media/web/include)
target_include_directories(plimo_media SYSTEM PRIVATE ${PLIMO_STB_DIR})
target_include_directories(plimo_media PUBLIC ${PROJECT_SOURCE_DIR})
# stb's decoders are third-party code: their warnings are not ours.
set_source_files_properties(media/web/picture_codec.cpp media/web/freetype_subset.cpp
  media/web/vorbisfile_subset.cpp PROPERTIES COMPILE_OPTIONS "-w")

plimo_add_game_library()

plimo_embed_archive(plimo_archive)

add_executable(plimo media/web/main.cpp)
target_link_libraries(plimo PRIVATE plimo_game plimo_archive)
set_target_properties(plimo PROPERTIES SUFFIX ".js")
target_link_options(plimo PRIVATE
  -sUSE_WEBGL2=1 -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 -lGL -lopenal -lidbfs.js
  -sFORCE_FILESYSTEM=1 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB -sTOTAL_STACK=8MB
  -sENVIRONMENT=web -sEXPORTED_RUNTIME_METHODS=ccall
  --post-js ${PROJECT_SOURCE_DIR}/media/web/storage.js)
set_property(TARGET plimo APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/media/web/storage.js)

# The page and its server beside the program.
configure_file(media/web/index.html ${CMAKE_CURRENT_BINARY_DIR}/index.html COPYONLY)
