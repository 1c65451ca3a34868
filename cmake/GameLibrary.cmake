# The game: every subsystem above the media layer, one library for the
# desktop program, its tests and the browser build alike.
function(plimo_add_game_library)
  file(GLOB sources CONFIGURE_DEPENDS
    app/*.cpp board/*.cpp play/*.cpp effects/*.cpp levels/*.cpp solver/*.cpp
    persistence/*.cpp menus/*.cpp localisation/*.cpp)
  list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/app/main.cpp)
  add_library(plimo_game STATIC ${sources})
  target_include_directories(plimo_game PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(plimo_game PUBLIC plimo_media)
  target_compile_definitions(plimo_game PRIVATE PLIMO_VERSION="${PROJECT_VERSION}" PLIMO_APP_ID="${PLIMO_APP_ID}")
  plimo_embed_help_page(plimo_game)
endfunction()
