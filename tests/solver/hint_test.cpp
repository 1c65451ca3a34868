// Hints in the running game: "?" or F1 on the play screen searches in slices over
// the frames, then shows the next step without moving anything; on a board
// with no way out the message says so and suggests undo.
#include <gtest/gtest.h>

#include <limits>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>

#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "localisation/languages.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "play/play_input.h"
#include "play/undo.h"
#include "solver/hint.h"
#include "tests/support/headless_game.h"

namespace {

class Hints : public HeadlessGameTest {
 protected:
  void StartLevel(int level) {
    CurrentLevel = level;
    LoadLevel(level);
    ::StartLevel(1);
    ASSERT_TRUE(Frames(1));
  }
  void AskForAHint() {
    media_test::InjectTypedChar('?');
    ASSERT_TRUE(Frames(1));
  }
  void PressF1() {
    media_test::InjectKeyDown(KEY_F1);
    media_test::InjectKeyUp(KEY_F1);
    ASSERT_TRUE(Frames(1));
  }
  // Two kinds side by side on every cell, each piece alone: nothing moves.
  static void PlaceBoardWithNoWayOut() {
    ClearBoard();
    for (int c = 0; c < 80; ++c) T_BLOCK::addBlock(c % 10, c / 10, (c % 10 + c / 10) % 2);
    T_BLOCK::ShapeAllBlocks();
  }
  static void PlaceBoard(const KindCells& board) {
    ClearBoard();
    for (int c = 0; c < 80; ++c) {
      if (board[c] >= 0) T_BLOCK::addBlock(c % 10, c / 10, board[c]);
    }
    T_BLOCK::ShapeAllBlocks();
  }
  // Frames until the search ends; how many it took.
  int FramesWhileSearching() {
    int frames = 0;
    while (Hint.State == HINT_SEARCHING && frames < 2000) {
      EXPECT_TRUE(Frames(1));
      ++frames;
    }
    return frames;
  }
};

TEST_F(Hints, TheNextStepIsShownAndNothingMoves) {
  Start();
  StartLevel(0);
  const KindCells board = KindCellsOfBoard();
  const int undoRecords = UndoRecordCount;
  AskForAHint();
  FramesWhileSearching();
  ASSERT_EQ(Hint.State, HINT_SHOWING);
  const std::vector<SolverMove> open = OpenMoves(board);
  EXPECT_TRUE(std::any_of(open.begin(), open.end(), [](const SolverMove& m) {
    return m.Cell == Hint.Move.Cell && m.Dx == Hint.Move.Dx && m.Dy == Hint.Move.Dy;
  }));
  // The pointer shows the step for a while, then goes; the board stays.
  ASSERT_TRUE(Frames(HINT_SHOW_MS / 16 / 2));
  EXPECT_EQ(Hint.State, HINT_SHOWING);
  ASSERT_TRUE(Frames(HINT_SHOW_MS / 16));
  EXPECT_EQ(Hint.State, HINT_IDLE);
  EXPECT_EQ(KindCellsOfBoard(), board);
  EXPECT_EQ(UndoRecordCount, undoRecords);
  Shutdown();
}

TEST_F(Hints, AHardBoardIsSearchedOverSeveralFramesAndAMoveDropsTheHint) {
  Start();
  StartLevel(3);
  AskForAHint();
  EXPECT_EQ(Hint.State, HINT_SEARCHING) << "the search must not end within one frame";
  EXPECT_GT(FramesWhileSearching(), 3);
  EXPECT_EQ(Hint.State, HINT_SHOWING);

  // An undo or a move changes the board: the hint is forgotten.
  AskForAHint();
  ClearBoard();
  T_BLOCK::addBlock(0, 0, 0);
  T_BLOCK::addBlock(5, 5, 0);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(Hint.State, HINT_IDLE);
  Shutdown();
}

TEST_F(Hints, ABoardWithNoWayOutSaysSoAndSuggestsUndo) {
  Start();
  StartLevel(0);
  PlaceBoardWithNoWayOut();
  AskForAHint();
  FramesWhileSearching();
  EXPECT_EQ(Hint.State, HINT_IDLE);
  EXPECT_EQ(Message.Text, NoSolutionText());
  EXPECT_NE(Message.Text.find("undo"), std::string::npos);
  EXPECT_GT(Message.EndTime, Clock);
  Shutdown();
}

// The message is the player's language's own: every shipped language file
// carries it; a language file of the player's own that lacks it shows the
// English text rather than a bare key.
TEST_F(Hints, TheNoWayOutMessageSpeaksThePlayersLanguage) {
  Start();
  const std::string english = NoSolutionText();
  EXPECT_EQ(english, "No way out from here: undo a few moves");
  std::set<std::string> texts;
  for (const char* code : {"FR", "EN", "NL", "PT", "ES", "PL", "DE", "HU", "IT", "CN", "HE", "BG", "SV", "ZA", "RO"}) {
    ASSERT_EQ(LoadLanguage((Home / "pLiMo" / ("pLiMo_text_" + std::string(code) + ".txt")).string()), 1) << code;
    const std::string text = GetText("No Solution");
    EXPECT_NE(text.front(), '@') << code << " lacks the message";
    EXPECT_EQ(NoSolutionText(), text) << code;
    EXPECT_NE(GetText("Random").front(), '@') << code;
    EXPECT_NE(GetText("No Hint").front(), '@') << code;
    EXPECT_EQ(NoHintText(), GetText("No Hint")) << code;
    texts.insert(text);
  }
  EXPECT_EQ(texts.size(), 15u) << "a language shows another one's text";

  // The board with no way out, in French.
  ASSERT_EQ(LoadLanguage((Home / "pLiMo" / "pLiMo_text_FR.txt").string()), 1);
  StartLevel(0);
  PlaceBoardWithNoWayOut();
  AskForAHint();
  FramesWhileSearching();
  EXPECT_EQ(Message.Text, GetText("No Solution"));

  const std::string own = (Home / "pLiMo_text_XX.txt").string();
  std::ofstream(own) << "{ a player's own language }\r\n\"Play\" = \"Jouer\"\r\n";
  ASSERT_EQ(LoadLanguage(own), 1);
  EXPECT_EQ(NoSolutionText(), english);
  Shutdown();
}

// Every bank level played to its win by hints alone: the first comes from
// the search started on the level's start board, the next ones at once from
// the solution it found, and so does one asked after every tenth step that
// left the solution (a step that can be taken back). Then, every fifteenth
// step along that game, a fresh search (the solution forgotten) answers:
// with a step, or by saying that it found none, never in silence. Every
// search is bounded by states alone, so a slow or sanitized build plays the
// same game (the sanitized one plays the first two levels).
TEST_F(Hints, EachBankLevelIsWonByFollowingTheHints) {
  Start();
  const int64_t savedMs = HintSearchMs;
  HintSearchMs = std::numeric_limits<int64_t>::max();
#ifdef __SANITIZE_ADDRESS__
  const int levels = std::min(LevelCount, 2);
#else
  const int levels = LevelCount;
#endif
  int fresh = 0, missed = 0, offPath = 0;
  for (int level = 0; level < levels; ++level) {
    SCOPED_TRACE(level);
    ForgetHintSolution();
    StartLevel(level);
    std::vector<KindCells> boards;
    while (!Blocks.empty() && boards.size() < 400) {
      boards.push_back(KindCellsOfBoard());
      AskForAHint();
      if (boards.size() == 1) FramesWhileSearching();
      ASSERT_EQ(Hint.State, HINT_SHOWING) << "no step after " << boards.size() - 1 << " steps: " << Message.Text;
      const SolverMove hinted = Hint.Move;
      if (boards.size() % 10 == 0) {
        const KindCells board = KindCellsOfBoard();
        for (const SolverMove& m : OpenMoves(board)) {
          const SolverMove back{m.Cell + m.Dx + 10 * m.Dy, -m.Dx, -m.Dy};
          if ((m.Dx == 0 && m.Dy == 0) || (m.Cell == hinted.Cell && m.Dx == hinted.Dx && m.Dy == hinted.Dy) ||
              ApplyMove(ApplyMove(board, m), back) != board) {
            continue;
          }
          ASSERT_TRUE(DragOneCell(m.Cell, m.Dx, m.Dy));
          AskForAHint();
          EXPECT_EQ(Hint.State, HINT_SHOWING) << "off the solution after " << boards.size() << " steps";
          ++offPath;
          break;
        }
        FramesWhileSearching();
        ASSERT_EQ(Hint.State, HINT_SHOWING) << Message.Text;
      }
      ASSERT_TRUE(DragOneCell(Hint.Move.Cell, Hint.Move.Dx, Hint.Move.Dy));
    }
    EXPECT_TRUE(Blocks.empty());
    for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
    EXPECT_NE(ScreenState, SCREEN_PLAY) << "the win was not taken";

    StartLevel(level);
    for (size_t at = 7; at < boards.size(); at += 15) {
      ForgetHintSolution();
      PlaceBoard(boards[at]);
      Message.Text.clear();
      AskForAHint();
      FramesWhileSearching();
      ++fresh;
      if (Hint.State == HINT_SHOWING) continue;
      EXPECT_EQ(Message.Text, NoHintText()) << "step " << at << ": the hint gave up silently";
      ++missed;
    }
  }
  EXPECT_GT(offPath, levels * 3);
  EXPECT_GE(fresh, levels * 3);
  EXPECT_LE(missed * 10, fresh) << "more than one fresh hint in ten found nothing";
  HintSearchMs = savedMs;
  Shutdown();
}

// A search that runs out of time says so, in words other than those of a
// board with no way out.
TEST_F(Hints, ASearchOutOfTimeSaysNoHintWasFound) {
  Start();
  const int64_t savedMs = HintSearchMs;
  HintSearchMs = 0;
  ForgetHintSolution();
  StartLevel(3);
  CancelHint();  // not the search from the start board, which has more time
  AskForAHint();
  FramesWhileSearching();
  EXPECT_EQ(Hint.State, HINT_IDLE);
  EXPECT_EQ(Message.Text, NoHintText());
  EXPECT_NE(NoHintText(), NoSolutionText());
  HintSearchMs = savedMs;
  Shutdown();
}

// "?" and F1 both ask on the play screen; elsewhere neither does, and an
// F1 pressed on a menu is not kept for the next level.
TEST_F(Hints, BothKeysAskOnThePlayScreenOnly) {
  Start();
  ASSERT_NE(ScreenState, SCREEN_PLAY);
  AskForAHint();
  EXPECT_EQ(Hint.State, HINT_IDLE);
  PressF1();
  EXPECT_EQ(Hint.State, HINT_IDLE);
  StartLevel(3);
  ASSERT_TRUE(Frames(2));
  EXPECT_EQ(Hint.State, HINT_IDLE) << "an F1 from the menu started a search";
  PressF1();
  EXPECT_EQ(Hint.State, HINT_SEARCHING);
  CancelHint();
  AskForAHint();
  EXPECT_EQ(Hint.State, HINT_SEARCHING);
  Shutdown();
}

}  // namespace
