// The side bar: icon states, hover, the clicks of every icon (RESTART's
// confirmation, MUSIC's double click) and the drawing of icons and time digits.
#include <vector>

#include "app/assets.h"
#include "media/media_test.h"
#include "menus/side_bar.h"
#include "tests/play/board_fixture.h"
#include "tests/support/headless_game.h"
#include "tests/support/test_support.h"

namespace {

using media_test::DrawCall;

class SideBar : public BoardFixture {
 protected:
  void SetUp() override {
    BoardFixture::SetUp();
    ASSERT_TRUE(test_support::OpenTestDisplay(1024, 768));
    SetDrawOrigin(0, 0);
    if (IconStrip == nullptr) LoadStripAssets();
    if (SideBarBackground == nullptr) SideBarBackground = LoadSprite("incbin::Data/menu_barre_vide.png");
    ASSERT_NE(DigitStrip, nullptr);
    BlockSize = 96;
    ScreenWidth = 1024;
    ScreenHeight = 768;
    MusicTrack = 1;
    InitSideBar();
  }
  void TearDown() override {
    media_test::StopRecording();
    BoardFixture::TearDown();
  }

  // A level in play whose undo file holds `records` records.
  static void PlayLevel(int level, int records) {
    CurrentLevel = level;
    LoadLevel(level);
    StartLevel(1);
    for (int i = 1; i < records; ++i) PushUndo();
    UpdateIconStates();
  }
  // One frame of the side bar with the pointer on a slot, `after` ms later.
  static void Frame_(int slot, bool hit, int64_t after = 16) {
    Frame.Now += after;
    Frame.PointerX = 10 * BlockSize + 30;
    Frame.PointerY = slot * BlockSize + 40;
    Frame.LeftHit = hit;
    DoSideBar();
  }
  static void Click(int slot, int64_t after = 16) { Frame_(slot, true, after); }
  static std::vector<int> States() {
    std::vector<int> states;
    for (const T_ICON& icon : SideBarIcons) states.push_back(icon.State);
    return states;
  }
  static std::vector<DrawCall> DrawsOf(const Image* image) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : media_test::RecordedDraws())
      if (c.Img == image) out.push_back(c);
    return out;
  }
};

TEST_F(SideBar, UndoRestartAndLastFollowTheUndoRecordCount) {
  const int set[SIDE_BAR_SLOTS] = {ICON_UNDO, ICON_RESTART, ICON_LAST, ICON_TIME, ICON_MUSIC, ICON_MENU, ICON_BACK, 0};
  MusicFlag = true;
  UndoRecordCount = 0;
  LoadSideBarIcons(set);
  EXPECT_EQ(States(), (std::vector<int>{0, 0, 0, 0, 2, 1, 1, 1}));
  UndoRecordCount = 1;
  MusicFlag = false;
  UpdateIconStates();
  EXPECT_EQ(States(), (std::vector<int>{0, 0, 1, 0, 1, 1, 1, 1}));
  UndoRecordCount = 2;
  RecordTime = 30000;
  UpdateIconStates();
  EXPECT_EQ(States(), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1}));

  // The tutorial's script owns its UNDO icon.
  ScreenState = SCREEN_TUTORIAL;
  SideBarIcons[0].State = ICON_HIDDEN;
  UpdateIconStates();
  EXPECT_EQ(SideBarIcons[0].State, ICON_HIDDEN);
}

TEST_F(SideBar, HoverFollowsShownIconsAndHiddenOnesAreDead) {
  PlayLevel(0, 1);  // UNDO and RESTART hidden
  Frame_(6, false);
  EXPECT_EQ(HoveredSlot, 6);
  // Moving onto a hidden icon keeps the highlight where it was, and a click
  // there does nothing.
  Click(2);
  EXPECT_EQ(HoveredSlot, 6);
  EXPECT_EQ(SideBarIcons[2].State, ICON_HIDDEN);
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  // An empty slot ends the highlight.
  Frame_(1, false);
  EXPECT_EQ(HoveredSlot, -1);
  // The first pixel right of the strip is outside the side bar.
  Frame_(6, false);
  Frame.PointerX = 10 * BlockSize + 64;
  DoSideBar();
  EXPECT_EQ(HoveredSlot, -1);
}

TEST_F(SideBar, RestartNeedsASecondClickWithinTwoSeconds) {
  PlayLevel(2, 3);
  ASSERT_EQ(SideBarIcons[2].State, ICON_SHOWN);
  Click(2);
  EXPECT_EQ(SideBarIcons[2].State, ICON_BLINKING);
  EXPECT_EQ(RestartConfirmEnd, Frame.Now + 2000);
  EXPECT_EQ(UndoRecordCount, 3);
  Click(2, 1900);
  EXPECT_EQ(UndoRecordCount, 1);  // placed again, fresh history
  EXPECT_EQ(LevelTimer, 0);
  EXPECT_EQ(SideBarIcons[2].State, ICON_HIDDEN);
}

TEST_F(SideBar, ARestartClickAfterTwoSecondsOnlyAsksAgain) {
  PlayLevel(2, 3);
  Click(2);
  // The blink ends when its deadline has passed: the drawing puts it back.
  Frame.Now += 2001;
  DrawSideBar();
  EXPECT_EQ(SideBarIcons[2].State, ICON_SHOWN);
  EXPECT_EQ(RestartConfirmEnd, 0);
  Click(2);
  EXPECT_EQ(SideBarIcons[2].State, ICON_BLINKING);
  EXPECT_EQ(UndoRecordCount, 3);

  // A late click in the frame before the blink was drawn away also only asks.
  Click(2, 2100);
  EXPECT_EQ(SideBarIcons[2].State, ICON_BLINKING);
  EXPECT_EQ(UndoRecordCount, 3);
}

TEST_F(SideBar, MusicQuickSecondClickMovesToTheNextTrack) {
  MusicFlag = true;
  MusicTrack = 2;
  LoadSideBarIcons(ICON_SET_PLAY);
  Click(7);
  EXPECT_FALSE(MusicFlag);
  Click(7, 400);
  EXPECT_TRUE(MusicFlag);
  EXPECT_EQ(MusicTrack, 3);
  Click(7);
  Click(7, 300);
  EXPECT_EQ(MusicTrack, 1);  // after the tutorial's track comes the menu's
  // A slower second click starts the same track again.
  Click(7);
  Click(7, 600);
  EXPECT_TRUE(MusicFlag);
  EXPECT_EQ(MusicTrack, 1);
  // Off for a while, then on: same track.
  Click(7);
  Click(7, 5000);
  EXPECT_EQ(MusicTrack, 1);
  Frame_(7, false);
  EXPECT_EQ(SideBarIcons[7].State, ICON_LIT);
}

TEST_F(SideBar, MenuBackLastUndoAndTimeLeadWhereTheySay) {
  PlayLevel(1, 3);
  Click(0);  // UNDO
  EXPECT_EQ(UndoRecordCount, 2);
  const int64_t before = Frame.Now;
  Click(4, 1000);  // TIME shows the banner again
  EXPECT_EQ(SideBarIcons[4].State, ICON_HIDDEN);  // level 1 has no record
  RecordTime = 20000;
  Click(4);
  EXPECT_EQ(LevelBannerEnd, Frame.Now + 2000);
  EXPECT_GT(LevelBannerEnd, before + 2000);

  Click(6);  // MENU
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);

  LoadSideBarIcons(ICON_SET_SUB_SCREEN);
  ReturnState = SCREEN_OPTIONS_MENU;
  Click(0);  // BACK
  EXPECT_EQ(ScreenState, SCREEN_OPTIONS_MENU);

  // LAST resumes the saved board with its timer running on.
  ClearBoard();
  LevelTimer = 42000;
  LoadSideBarIcons(ICON_SET_SUB_SCREEN);
  Click(2);
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(UndoRecordCount, 2);
  EXPECT_FALSE(Blocks.empty());
  EXPECT_EQ(LevelStartTime, Frame.Now - 42000);
  EXPECT_EQ(SideBarIcons[0].Index, ICON_UNDO);
}

TEST_F(SideBar, DrawsEachShownIconInItsSlotWithHoverAndBlink) {
  PlayLevel(0, 2);
  MusicFlag = true;
  RecordTime = 0;
  UpdateIconStates();
  Frame_(6, false);  // hover MENU
  media_test::StartRecording();
  DrawSideBar();
  const std::vector<DrawCall> background = DrawsOf(SideBarBackground);
  ASSERT_EQ(background.size(), 1u);
  EXPECT_EQ(background[0].X, 960);
  EXPECT_EQ(background[0].W, 64);
  EXPECT_EQ(background[0].H, 768);

  const std::vector<DrawCall> normal = DrawsOf(IconStrip);
  ASSERT_EQ(normal.size(), 3u);  // UNDO, RESTART, MENU
  EXPECT_EQ(normal[0].Frame, ICON_UNDO - 1);
  EXPECT_EQ(normal[0].Y, 24);
  EXPECT_EQ(normal[1].Frame, ICON_RESTART - 1);
  EXPECT_EQ(normal[1].Y, 2 * 96 + 24);
  EXPECT_EQ(normal[2].Frame, ICON_MENU - 1);
  const std::vector<DrawCall> lit = DrawsOf(LitIconStrip);
  ASSERT_EQ(lit.size(), 2u);  // MENU's highlight, then MUSIC lit
  EXPECT_EQ(lit[0].Frame, ICON_MENU - 1);
  EXPECT_FLOAT_EQ(lit[0].Alpha, 0.5f);
  EXPECT_EQ(lit[1].Frame, ICON_MUSIC - 1);
  EXPECT_FLOAT_EQ(lit[1].Alpha, 1.0f);
  EXPECT_TRUE(DrawsOf(DigitStrip).empty());  // TIME hidden without a record

  // The blinking RESTART alternates every 128 ms.
  Click(2);
  Frame.Now = (Frame.Now | 255) + 1;  // bit 7 clear
  media_test::StartRecording();
  DrawSideBar();
  EXPECT_EQ(DrawsOf(LitIconStrip).size(), 3u);
  Frame.Now += 128;
  media_test::StartRecording();
  DrawSideBar();
  EXPECT_EQ(DrawsOf(LitIconStrip).size(), 2u);
}

TEST_F(SideBar, TimeDigitsShowMinutesAndSecondsUpToTheCap) {
  media_test::StartRecording();
  DrawTimeDigits(5999000, 960, 100);
  const std::vector<DrawCall> digits = DrawsOf(DigitStrip);
  ASSERT_EQ(digits.size(), 4u);
  const int frames[] = {9, 9, 5, 9}, xs[] = {965, 975, 990, 1000};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(digits[i].Frame, frames[i]);
    EXPECT_EQ(digits[i].X, xs[i]);
    EXPECT_EQ(digits[i].Y, 100);
  }
  // Nothing beyond the cap can ask for a digit frame that does not exist.
  media_test::StartRecording();
  DrawTimeDigits(int64_t{6000000} * 1000, 0, 0);
  ASSERT_EQ(DrawsOf(DigitStrip).size(), 4u);
  EXPECT_EQ(DrawsOf(DigitStrip)[0].Frame, 9);
}

TEST_F(SideBar, TimeCounterShowsTheTimeLeftOnlyWhileTheRecordCanBeBeaten) {
  LevelTimer = 65000;
  RecordTime = 90000;
  media_test::StartRecording();
  DrawTimeCounter(960, 400);
  std::vector<DrawCall> digits = DrawsOf(DigitStrip);
  ASSERT_EQ(digits.size(), 8u);
  std::vector<int> frames;
  for (const DrawCall& d : digits) frames.push_back(d.Frame);
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 0, 5, 0, 0, 2, 5}));
  EXPECT_EQ(digits[0].Y, 419);
  EXPECT_EQ(digits[4].Y, 440);

  LevelTimer = 90000;
  media_test::StartRecording();
  DrawTimeCounter(960, 400);
  EXPECT_EQ(DrawsOf(DigitStrip).size(), 4u);
}

// The play screen's empty slots hold the level's badge, the moves and the
// time, each inside its own slot of the bar at every block size.
TEST_F(SideBar, ThePlayScreenShowsLevelMovesAndTimeInItsEmptySlots) {
  for (const Resolution& r : RESOLUTIONS) {
    BlockSize = r.BlockSize;
    PlayLevel(1, 4);
    LevelTimer = 65000;
    media_test::StartRecording();
    DrawSideBar();
    const struct {
      std::string Text;
      int Slot;
    } expected[] = {{"82", INFO_LEVEL_SLOT}, {"3", INFO_MOVES_SLOT}, {"1'05\"", INFO_TIME_SLOT}};
    for (const auto& e : expected) {
      bool found = false;
      for (const DrawCall& c : media_test::RecordedDraws()) {
        if (c.Kind != media_test::DrawKind::Text || c.Text != e.Text) continue;
        found = true;
        EXPECT_GE(c.X, 10 * BlockSize + INFO_PADDING - 1) << e.Text << " at " << BlockSize;
        EXPECT_LE(c.X + c.W, 10 * BlockSize + SIDE_BAR_WIDTH - INFO_PADDING + 1) << e.Text << " at " << BlockSize;
        EXPECT_GE(c.Y, e.Slot * BlockSize) << e.Text << " at " << BlockSize;
        EXPECT_LE(c.Y + c.H, (e.Slot + 1) * BlockSize) << e.Text << " at " << BlockSize;
      }
      EXPECT_TRUE(found) << e.Text << " at " << BlockSize;
    }
  }
  // Other screens keep their slots empty.
  ScreenState = SCREEN_VICTORY;
  media_test::StartRecording();
  DrawSideBar();
  for (const DrawCall& c : media_test::RecordedDraws()) EXPECT_NE(c.Kind, media_test::DrawKind::Text) << c.Text;
}

}  // namespace

// The side bar in the running game: clicks arrive through the frame loop.

namespace {

class SideBarInGame : public HeadlessGameTest {
 protected:
  // A click on a slot of the side bar (window pixels), then one frame.
  bool ClickSlot(int slot) {
    media_test::InjectPointerMove(10 * BlockSize + 30, slot * BlockSize + BlockSize / 2);
    media_test::InjectButtonDown(BUTTON_LEFT);
    media_test::InjectButtonUp(BUTTON_LEFT);
    return Frames(1);
  }
  static std::vector<int> Indices() {
    std::vector<int> indices;
    for (const T_ICON& icon : SideBarIcons) indices.push_back(icon.Index);
    return indices;
  }
};

TEST_F(SideBarInGame, EachScreenShowsItsIconsAndTheyLeadWhereTheySay) {
  Start();
  const std::vector<int> mainMenu(std::begin(ICON_SET_MAIN_MENU), std::end(ICON_SET_MAIN_MENU));
  const std::vector<int> subScreen(std::begin(ICON_SET_SUB_SCREEN), std::end(ICON_SET_SUB_SCREEN));
  const std::vector<int> play(std::begin(ICON_SET_PLAY), std::end(ICON_SET_PLAY));
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_EQ(Indices(), mainMenu);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(SideBarIcons[2].State, ICON_HIDDEN);  // no saved game yet

  SetScreen(SCREEN_OPTIONS_MENU);
  EXPECT_EQ(Indices(), subScreen);
  SetScreen(SCREEN_DISPLAY_MENU);
  EXPECT_EQ(Indices(), subScreen);
  ASSERT_TRUE(ClickSlot(0));  // BACK: display menu -> options
  EXPECT_EQ(ScreenState, SCREEN_OPTIONS_MENU);
  ASSERT_TRUE(ClickSlot(0));  // BACK: options -> main menu
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);

  ASSERT_TRUE(PressKey(KEY_ENTER));  // the first level
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(Indices(), play);
  ASSERT_TRUE(Frames(30, 100));
  ASSERT_TRUE(ClickSlot(6));  // MENU
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  const int64_t timer = LevelTimer;
  ASSERT_TRUE(Frames(10, 100));
  EXPECT_EQ(SideBarIcons[2].State, ICON_SHOWN);
  ASSERT_TRUE(ClickSlot(2));  // LAST: the saved game, timer running on
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(CurrentLevel, 0);
  EXPECT_EQ(LevelStartTime, Clock - timer);
  EXPECT_EQ(Indices(), play);

  SetScreen(SCREEN_VICTORY);
  EXPECT_EQ(Indices(), std::vector<int>(std::begin(ICON_SET_VICTORY), std::end(ICON_SET_VICTORY)));
  SetScreen(SCREEN_LANGUAGE_FIRST);
  EXPECT_EQ(Indices(), std::vector<int>(std::begin(ICON_SET_LANGUAGE_FIRST), std::end(ICON_SET_LANGUAGE_FIRST)));
  Shutdown();
}

}  // namespace
