# The browser version's test, registered only where Emscripten and Chromium
# are installed (tools/test.sh installs them): builds build-web/ with
# tools/web.sh, plays the desktop reference (reference.cpp), then the same
# way in headless Chromium (browser_play.py), comparing screens and files.
find_program(PLIMO_EMCMAKE emcmake)
find_program(PLIMO_CHROMIUM chromium)
if(PLIMO_EMCMAKE AND PLIMO_CHROMIUM AND NOT PLIMO_SANITIZE)
  add_executable(web_reference web/reference.cpp)
  target_link_libraries(web_reference PRIVATE plimo_game plimo_archive plimo_test_support plimo_test_main)
  add_test(NAME browser_play
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/web/browser_test.sh $<TARGET_FILE:web_reference>
      ${CMAKE_CURRENT_BINARY_DIR}/web-test)
  # The web build takes both cores: it runs alone.
  set_tests_properties(browser_play PROPERTIES TIMEOUT 1800 RUN_SERIAL TRUE)
endif()
