// What the player keeps in the user data folder survives a start: files they
// added, language copies they edited, and a font of their own is used.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/display.h"
#include "app/main_loop.h"
#include "media/media.h"
#include "tests/support/headless_game.h"
#include "tests/support/test_support.h"

namespace fs = std::filesystem;

namespace {

class UserFilesTest : public HeadlessGameTest {};

TEST_F(UserFilesTest, AddedFilesAndNewerEditsAreLeftAloneAndAUserFontIsUsed) {
  const fs::path folder = Home / "pLiMo";
  fs::create_directories(folder);
  const std::string font = test_support::ReadSourceFile("Data/a2.ttf");
  ASSERT_FALSE(font.empty());
  ASSERT_TRUE(test_support::WriteWholeFile((folder / "mine.ttf").string(), font));
  ASSERT_TRUE(test_support::WriteWholeFile((folder / "notes.txt").string(), "my notes"));
  // Edited after the program was built, so newer than the program file.
  ASSERT_TRUE(test_support::WriteWholeFile((folder / "pLiMo_text_EN.txt").string(), "my English"));

  Start();
  EXPECT_EQ(FontPath, (folder / "mine.ttf").string());
  ASSERT_NE(LargeFont, nullptr);
  SelectFont(LargeFont);
  EXPECT_GT(StringWidth("Play"), 0);
  SelectFont(nullptr);
  EXPECT_TRUE(Frames(3));
  Shutdown();

  EXPECT_EQ(test_support::ReadWholeFile((folder / "notes.txt").string()), "my notes");
  EXPECT_EQ(test_support::ReadWholeFile((folder / "pLiMo_text_EN.txt").string()), "my English");
  EXPECT_EQ(test_support::ReadWholeFile((folder / "mine.ttf").string()), font);
  // The other copies were written as usual.
  EXPECT_EQ(test_support::ReadWholeFile((folder / "pLiMo_text_FR.txt").string()),
            test_support::ReadSourceFile("Data/pLiMo_text_FR.txt"));
}

TEST_F(UserFilesTest, WithoutAUserFontTheEmbeddedOneIsUsed) {
  Start();
  EXPECT_EQ(FontPath, std::string(EMBEDDED_PREFIX) + "Data/a2.ttf");
  ASSERT_NE(LargeFont, nullptr);
  Shutdown();
}

}  // namespace
