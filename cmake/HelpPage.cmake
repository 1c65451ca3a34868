# The help page (dist/plimo-help.html) built into the game, for a game run
# from its build folder, where no installed copy exists: an assembler file
# that .incbin's the page into plimo_game. PLIMO_HELP_FROM_BINDIR tells the
# game where the installed copy lies, seen from the installed program.
function(plimo_embed_help_page target)
  set(page "${PROJECT_SOURCE_DIR}/dist/plimo-help.html")
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/help_page/help_page.S")
  plimo_data_section(content)
  string(APPEND content
    "    .global plimo_help_page\n    .global plimo_help_page_end\n"
    "plimo_help_page:\n    .incbin \"${page}\"\nplimo_help_page_end:\n")
  plimo_wasm_sizes(content plimo_help_page "${page}")
  string(APPEND content "${PLIMO_ASM_TRAILER}")
  file(CONFIGURE OUTPUT "${asm}" CONTENT "${content}")
  set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${page}")
  target_sources(${target} PRIVATE "${asm}")

  file(RELATIVE_PATH from_bindir "${CMAKE_INSTALL_PREFIX}/${PLIMO_INSTALL_BINDIR}"
    "${CMAKE_INSTALL_FULL_DATADIR}/plimo/plimo-help.html")
  set_property(SOURCE "${PROJECT_SOURCE_DIR}/app/help_page.cpp" APPEND PROPERTY
    COMPILE_DEFINITIONS "PLIMO_HELP_FROM_BINDIR=\"${from_bindir}\"")
endfunction()
