// Entry point of every test program: runs SDL headless (offscreen video,
// dummy audio) and tells the tests where the source and build folders are,
// so a test program behaves the same under CTest and when run by hand.
#include <gtest/gtest.h>

#include <cstdlib>

#include "media/media_test.h"

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("PLIMO_SOURCE_DIR", PLIMO_SOURCE_DIR, 0);
  setenv("PLIMO_BINARY_DIR", PLIMO_BINARY_DIR, 0);
  setenv("XDG_DATA_HOME", PLIMO_BINARY_DIR "/test-xdg-data", 0);
  // The game refuses video drivers that show nothing; tests ask for them.
  media_test::AllowHeadlessVideo(true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
