// The level map in the running game: opened, scrolled into place, a card
// chosen with the mouse, the zoom into play.
#include "app/display.h"
#include "board/block.h"
#include "levels/level_lifecycle.h"
#include "levels/level_map.h"
#include "menus/screens.h"
#include "tests/support/headless_game.h"

namespace {

using MapGame = HeadlessGameTest;

TEST_F(MapGame, ACardClickedZoomsIntoThatLevel) {
  Start();
  SetScreen(REQ_LEVEL_MAP);
  ASSERT_EQ(ScreenState, SCREEN_LEVEL_MAP);
  ASSERT_TRUE(Frames(2));
  // The map slides up from below the screen.
  EXPECT_LT(MapScroll, 768);
  EXPECT_GT(MapScroll, 184);
  MapScroll = 184;
  ScrollVelocity = 0;

  media_test::InjectPointerMove(260 + 100, 204 + 80);
  media_test::InjectButtonDown(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  media_test::InjectButtonUp(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(CurrentLevel, 1);
  EXPECT_NE(ZoomEnd, 0);
  ASSERT_TRUE(Frames(30));
  EXPECT_EQ(ScreenState, SCREEN_LEVEL_MAP);
  ASSERT_TRUE(Frames(40));
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(Blocks.size(), 50u);
  Shutdown();
}

}  // namespace
