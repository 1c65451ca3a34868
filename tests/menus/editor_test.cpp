// The editor's test run searches a slice per frame: the editor keeps drawing
// and says it is testing until the answer comes; a change stops the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "levels/level_par.h"
#include "menus/editor.h"
#include "tests/support/headless_game.h"

namespace {

class EditorTest : public HeadlessGameTest {
 protected:
  // Whether the frame drew the text.
  bool FrameShows(const std::string& text) {
    media_test::StartRecording();
    EXPECT_TRUE(Frames(1));
    media_test::StopRecording();
    const auto& draws = media_test::RecordedDraws();
    return std::any_of(draws.begin(), draws.end(), [&](const auto& c) {
      return c.Kind == media_test::DrawKind::Text && c.Text == text;
    });
  }
};

TEST_F(EditorTest, ATestRunSpreadsOverFramesAndAnswersThePar) {
  Start();
  ASSERT_TRUE(Frames(2));
  ASSERT_TRUE(ClickMenuEntry("Editor"));
  ASSERT_EQ(ScreenState, SCREEN_EDITOR);
  KindCells level;
  for (int c = 0; c < GRID_CELLS; ++c) level[c] = static_cast<int8_t>(LevelCellByte(0, c % 10, c / 10) - 1);
  EditLevelCells(level);
  const std::string testing = EditorMessage();
  ASSERT_TRUE(PressKey('T'));
  const std::string running = EditorMessage();
  EXPECT_NE(running, testing);
  EXPECT_EQ(running.find(GetText("Editor Solvable")), std::string::npos) << "answered within one frame";
  int frames = 0;
  while (EditorMessage() == running && frames < 400) {
    const bool shown = FrameShows(running);
    if (EditorMessage() == running) {
      ASSERT_TRUE(shown) << "the testing state is not drawn";
    }
    ++frames;
  }
  EXPECT_GT(frames, 5);
  EXPECT_EQ(EditorMessage(), GetText("Editor Solvable") + " " + std::to_string(SolvePar(level)));

  // S while a run is under way saves once it has answered; a change of a
  // cell stops the run and forgets its answer.
  ASSERT_TRUE(PressKey('1'));  // a piece more in the empty corner
  ASSERT_TRUE(PressKey('S'));
  EXPECT_EQ(EditorMessage(), running);
  for (int i = 0; i < 400 && EditorMessage() == running; ++i) ASSERT_TRUE(Frames(1));
  EXPECT_EQ(EditorMessage(), GetText("Editor Saved"));
  ASSERT_TRUE(PressKey('2'));
  ASSERT_TRUE(PressKey('T'));
  EXPECT_EQ(EditorMessage(), running);
  ASSERT_TRUE(PressKey('1'));
  EXPECT_TRUE(EditorMessage().empty());
  ASSERT_TRUE(Frames(400));
  EXPECT_TRUE(EditorMessage().empty()) << "a stopped run answered";
  Shutdown();
}

}  // namespace
