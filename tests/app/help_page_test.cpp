// The options menu's web-site row opens the help page: the copy installed
// beside the program when there is one, else the copy built into the program,
// written into the user data folder. Either way the address names a file
// that exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/help_page.h"
#include "app/main_loop.h"
#include "app/paths.h"
#include "board/block.h"
#include "localisation/languages.h"
#include "menus/text_box.h"
#include "menus/screens.h"
#include "play/play_input.h"
#include "tests/support/headless_game.h"
#include "tests/support/test_support.h"

namespace fs = std::filesystem;

namespace {

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class HelpPage : public HeadlessGameTest {
 protected:
  void TearDown() override {
    media_test::SetProgramFilePath("");
    media_test::SetNoBrowser(false);
    media_test::RecordedWebPages().clear();
    HeadlessGameTest::TearDown();
  }
  const std::string SourcePage = test_support::ReadSourceFile("dist/plimo-help.html");

  // A click on the options menu's row of the help page.
  void ClickTheHelpRow() {
    SetScreen(SCREEN_OPTIONS_MENU);
    ASSERT_TRUE(Frames(2));
    media_test::InjectPointerMove(ScreenOffsetX + 5 * BlockSize, ScreenOffsetY + BlockSize / 2);
    ASSERT_TRUE(Frames(1));
    media_test::InjectButtonDown(BUTTON_LEFT);
    media_test::InjectButtonUp(BUTTON_LEFT);
  }
};

TEST_F(HelpPage, FromTheBuildFolderTheBuiltInCopyIsWrittenAndOpened) {
  Start();
  ASSERT_FALSE(SourcePage.empty());
  const fs::path written = Home / "pLiMo" / HELP_PAGE_FILE;
  EXPECT_EQ(HelpPageAddress(), "file://" + written.string());
  EXPECT_EQ(FileText(written), SourcePage);

  // A damaged copy is replaced; no temporary file stays behind.
  { std::ofstream(written, std::ios::binary) << "<html>old"; }
  EXPECT_EQ(HelpPageAddress(), "file://" + written.string());
  EXPECT_EQ(FileText(written), SourcePage);
  for (const auto& entry : fs::directory_iterator(Home / "pLiMo"))
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  Shutdown();
}

TEST_F(HelpPage, AnInstalledGameOpensTheInstalledPage) {
  Start();
  // The installed layout: <prefix>/games/plimo and the page under <prefix>/share.
  const fs::path prefix = Home / "prefix with space";
  fs::create_directories(prefix / "games");
  fs::create_directories(prefix / "share" / "plimo");
  { std::ofstream(prefix / "share" / "plimo" / "plimo-help.html") << "<html>installed"; }
  media_test::SetProgramFilePath((prefix / "games" / "plimo").string());
  EXPECT_EQ(HelpPageAddress(), "file://" + Home.string() + "/prefix%20with%20space/share/plimo/plimo-help.html");
  EXPECT_FALSE(fs::exists(Home / "pLiMo" / HELP_PAGE_FILE));

  // An empty or missing installed page falls back on the built-in copy.
  { std::ofstream(prefix / "share" / "plimo" / "plimo-help.html", std::ios::trunc); }
  EXPECT_EQ(HelpPageAddress(), "file://" + (Home / "pLiMo" / HELP_PAGE_FILE).string());
  Shutdown();
}

TEST_F(HelpPage, FileAddressesEscapeWhatAUrlCannotHold) {
  EXPECT_EQ(FileAddress("/home/a b/x#1%?.html"), "file:///home/a%20b/x%231%25%3F.html");
  EXPECT_EQ(FileAddress("/d\xC3\xA9j\xC3\xA0/Help-1_~.html"), "file:///d%C3%A9j%C3%A0/Help-1_~.html");
}

TEST_F(HelpPage, ClickingTheWebRowOnTheOptionsMenuOpensThePage) {
  Start();
  media_test::RecordedWebPages().clear();
  ASSERT_NO_FATAL_FAILURE(ClickTheHelpRow());
  ASSERT_TRUE(Frames(1));
  ASSERT_EQ(media_test::RecordedWebPages().size(), 1u);
  const std::string address = media_test::RecordedWebPages()[0];
  ASSERT_EQ(address.rfind("file://", 0), 0u) << address;
  EXPECT_TRUE(fs::exists(address.substr(7))) << address;
  Shutdown();
}

// Without a web browser the click says so on the screen, in the player's
// language, instead of doing nothing.
TEST_F(HelpPage, WithoutABrowserTheClickSaysSo) {
  Start();
  ASSERT_EQ(LoadLanguage(UserDataFolder + "/pLiMo_text_FR.txt"), 1);
  media_test::RecordedWebPages().clear();
  media_test::SetNoBrowser(true);
  ASSERT_NO_FATAL_FAILURE(ClickTheHelpRow());
  ASSERT_TRUE(Frames(2));
  media_test::SetNoBrowser(false);
  EXPECT_TRUE(media_test::RecordedWebPages().empty());
  EXPECT_EQ(Message.Text, "Aucun navigateur web n'a pu ouvrir la page d'aide");
  EXPECT_LT(Message.StartTime, Frame.Now);
  EXPECT_GT(Message.EndTime, Frame.Now);
  Shutdown();
}

// The row is a golden button with a near-black caption (over 10:1); under
// the mouse it lifts, and a finger's last position does not count as a hover.
TEST_F(HelpPage, TheWebRowButtonLiftsUnderTheMouseButNotAfterATouch) {
  Start();
  SetScreen(SCREEN_OPTIONS_MENU);
  ASSERT_TRUE(Frames(2));
  auto captionTop = [&]() {
    media_test::StartRecording();
    EXPECT_TRUE(Frames(1));
    media_test::StopRecording();
    int count = 0;
    float y = 0;
    for (const auto& call : media_test::RecordedDraws()) {
      if (call.Text != WebRowCaption()) continue;
      ++count;
      y = call.Y;
      EXPECT_EQ(call.R, CAPTION_DARK);
      EXPECT_GE(test_support::ContrastRatio(call.R, call.G, call.B, BUTTON_RED, BUTTON_GREEN, BUTTON_BLUE), 7.0);
    }
    EXPECT_EQ(count, 1);
    return y;
  };
  media_test::InjectPointerMove(ScreenOffsetX + 5 * BlockSize, ScreenOffsetY + BlockSize * 3);
  const float resting = captionTop();
  media_test::InjectPointerMove(ScreenOffsetX + 5 * BlockSize, ScreenOffsetY + BlockSize / 2);
  const float hovered = captionTop();
  EXPECT_LT(hovered, resting);

  const float x = static_cast<float>(ScreenOffsetX + 5 * BlockSize), y = static_cast<float>(ScreenOffsetY + 10);
  media_test::InjectTouchDown(1, x, y);
  ASSERT_TRUE(Frames(1));
  media_test::InjectTouchUp(1);
  ASSERT_TRUE(Frames(1));
  ASSERT_TRUE(TouchMode);
  EXPECT_EQ(captionTop(), resting);
  Shutdown();
}

}  // namespace
