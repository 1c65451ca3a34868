// The menus played through the real input path: injected pointer and keys,
// a clock set by hand, the whole frame loop.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/display.h"
#include "app/main_loop.h"
#include "localisation/languages.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "menus/text_box.h"
#include "board/block.h"
#include "play/play_input.h"
#include "tests/support/headless_game.h"

namespace {

using MenuWalk = HeadlessGameTest;

TEST_F(MenuWalk, OptionsByItsHandleCreditsByAClickBackWithEscapeAndQuit) {
  Start();
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  ASSERT_TRUE(Frames(2));

  ASSERT_TRUE(DragMenuEntry("Options"));
  EXPECT_EQ(ScreenState, SCREEN_OPTIONS_MENU);
  EXPECT_EQ(ReturnState, SCREEN_MAIN_MENU);
  ASSERT_NE(MenuCaption("Credits"), nullptr);

  ASSERT_TRUE(ClickMenuEntry("Credits"));
  EXPECT_EQ(ScreenState, SCREEN_CREDITS);
  EXPECT_EQ(ReturnState, SCREEN_OPTIONS_MENU);
  EXPECT_EQ(CreditsText, GetText("Credits Text"));

  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  ASSERT_NE(MenuCaption("Quit"), nullptr);

  // The quit entry ends the frame loop once its explosion is over.
  EXPECT_FALSE(ClickMenuEntry("Quit"));
  EXPECT_TRUE(QuitRequested);
  EXPECT_EQ(ScreenState, REQ_QUIT);
  EXPECT_FALSE(std::filesystem::exists(Home / "pLiMo" / "pLiMo_User_Profile.txt"));
  Shutdown();
  EXPECT_TRUE(std::filesystem::exists(Home / "pLiMo" / "pLiMo_User_Profile.txt"));
}

// Draws of a caption's letters (its halo, drawn fainter, does not count).
int CaptionDraws(const std::string& text) {
  int count = 0;
  for (const auto& call : media_test::RecordedDraws())
    count += call.Kind == media_test::DrawKind::Text && call.Text == text && call.Alpha == 1.0f;
  return count;
}

TEST_F(MenuWalk, AHoveredCaptionTremblesAndTheHandleHoversNothing) {
  Start();
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  const T_BLOCK* options = MenuCaption("Options");
  ASSERT_NE(options, nullptr);
  PointerToCell(options->XMap + 2, options->YMap);
  media_test::StartRecording();
  ASSERT_TRUE(Frames(1));
  media_test::StopRecording();
  EXPECT_EQ(HoveredMenu, SCREEN_OPTIONS_MENU);
  EXPECT_EQ(CaptionDraws(GetText("Options")), 2);
  EXPECT_EQ(CaptionDraws(GetText("Play")), 1);

  PointerToCell(MenuHandle(options)->XMap, options->YMap);
  media_test::StartRecording();
  ASSERT_TRUE(Frames(1));
  media_test::StopRecording();
  EXPECT_EQ(HoveredMenu, -1);
  EXPECT_EQ(CaptionDraws(GetText("Options")), 1);
  Shutdown();
}

TEST_F(MenuWalk, TheOptionsMenuShowsTheWebSiteRowAndAClickOpensThePage) {
  Start();
  ASSERT_TRUE(ClickMenuEntry("Options"));
  ASSERT_EQ(ScreenState, SCREEN_OPTIONS_MENU);
  media_test::RecordedWebPages().clear();
  media_test::InjectPointerMove(ScreenOffsetX + 5 * BlockSize, ScreenOffsetY + BlockSize / 2);
  media_test::InjectButtonDown(BUTTON_LEFT);
  media_test::InjectButtonUp(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  ASSERT_EQ(media_test::RecordedWebPages().size(), 1u);
  EXPECT_EQ(ScreenState, SCREEN_OPTIONS_MENU);
  Shutdown();
}

}  // namespace
