// Thousands of frames of seeded random input through the real input path:
// arrow keys, drags (some with an arrow key pressed while held), clicks,
// right clicks, the wheel, + and -, bursts of Escape (held, with repeats)
// and of Enter, undo keys (Backspace held), restarts of the level and of the
// program, with steps of the tests' solver mixed in so that levels are won.
// After every frame: the undo file holds whole records, as many as the
// count says, the first is a level's start, each is one step from the one
// before, the board on the play screen is the last one, and a level is won
// only after a record of the empty board.
//
// PLIMO_RANDOM_FRAMES and PLIMO_RANDOM_SEED (read by this test only) choose
// a longer run or another seed:
//   PLIMO_RANDOM_FRAMES=50000 build/tests/reliability_tests --gtest_filter='RandomInput.*'
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/paths.h"
#include "board/block.h"
#include "effects/effects.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "menus/screens.h"
#include "play/undo.h"
#include "tests/support/headless_game.h"
#include "tests/support/level_solver.h"

namespace fs = std::filesystem;

namespace {

using Record = std::array<uint8_t, 80>;

constexpr int DIR_X[4] = {1, 0, -1, 0};
constexpr int DIR_Y[4] = {0, 1, 0, -1};

int EnvironmentNumber(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

std::vector<Record> ReadHistory(const std::string& path, size_t& length, bool& exists) {
  std::ifstream in(path, std::ios::binary);
  exists = static_cast<bool>(in);
  std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  length = bytes.size();
  std::vector<Record> records(bytes.size() / 80);
  for (size_t r = 0; r < records.size(); ++r) std::copy_n(bytes.begin() + r * 80, 80, records[r].begin());
  return records;
}

bool IsEmpty(const Record& r) {
  for (uint8_t b : r)
    if (b != 0) return false;
  return true;
}

// Whether `b` is `a` after one step of one shape, by one cell: only one
// colour changed, and every cell it left and entered pairs up along one
// direction through the shape (or the colour completed and left).
bool OneStep(const Record& a, const Record& b) {
  int kind = 0;
  for (int i = 0; i < 80; ++i) {
    if (a[i] == b[i]) continue;
    for (int v : {a[i], b[i]}) {
      if (v == 0) continue;
      if (kind == 0) kind = v;
      if (v != kind) return false;
    }
  }
  if (kind == 0) return false;  // no change: a step that moved nothing
  bool anyLeft = false;
  for (int i = 0; i < 80; ++i) anyLeft |= b[i] == kind;
  if (!anyLeft) return true;  // the colour completed and exploded
  for (int d = 0; d < 4; ++d) {
    std::array<bool, 80> used{};
    int vacated = 0, filled = 0, paired = 0;
    bool ok = true;
    for (int i = 0; i < 80 && ok; ++i) {
      filled += b[i] == kind && a[i] != kind;
      if (!(a[i] == kind && b[i] != kind)) continue;
      ++vacated;
      int x = i % 10, y = i / 10;
      while (x + DIR_X[d] >= 0 && x + DIR_X[d] < 10 && y + DIR_Y[d] >= 0 && y + DIR_Y[d] < 8 &&
             a[(y + DIR_Y[d]) * 10 + x + DIR_X[d]] == kind) {
        x += DIR_X[d];
        y += DIR_Y[d];
      }
      x += DIR_X[d];
      y += DIR_Y[d];
      const int q = y * 10 + x;
      ok = x >= 0 && x < 10 && y >= 0 && y < 8 && b[q] == kind && a[q] != kind && !used[q];
      if (ok) {
        used[q] = true;
        ++paired;
      }
    }
    if (ok && vacated > 0 && paired == filled) return true;
  }
  return false;
}

std::string Show(const Record& r) {
  std::string s;
  for (int i = 0; i < 80; ++i) {
    s += r[i] ? static_cast<char>('0' + r[i]) : '.';
    if (i % 10 == 9) s += '\n';
  }
  return s;
}

struct Figures {
  int Frames = 0, Steps = 0, Undos = 0, Wins = 0, LevelStarts = 0, ProgramRestarts = 0, SolverMoves = 0;
  int EscapeBursts = 0, HeldKeySteps = 0, LongestHistory = 0;
};

class RandomInput : public HeadlessGameTest {
 protected:
  std::mt19937 Random;
  Figures Count;
  std::vector<Record> LevelStarts;
  std::vector<Record> Last;  // the history after the previous frame
  bool LastExists = false;

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Random); }
  bool Chance(int percent) { return Pick(100) < percent; }

  std::string UndoFile() const { return (Home / "pLiMo" / "pLiMo_Undo.bin").string(); }

  Record Board() const {
    Record r{};
    for (const auto& b : Blocks)
      if (b->Timer == 0) r[b->YMap * 10 + b->XMap] = static_cast<uint8_t>(b->Kind + 1);
    return r;
  }

  void PointerTo(int x, int y) { media_test::InjectPointerMove(ScreenOffsetX + x, ScreenOffsetY + y); }
  void PointerToCell(int cell) { PointerTo((cell % 10) * BlockSize + BlockSize / 2, (cell / 10) * BlockSize + BlockSize / 2); }
  void PointerAnywhere() {
    PointerTo(Pick(ScreenWidth + 40) - 20, Pick(ScreenHeight + 40) - 20);
  }

  void BeginLevel() {
    const int level = Pick(LevelCount);
    CurrentLevel = level;
    LoadLevel(level);
    StartLevel(1);
    ++Count.LevelStarts;
  }

  // One frame of the program; a program that ends is started again, as a
  // player would, and its level resumed.
  void OneFrame() {
    Clock += 16;
    media_test::SetClock(Clock);
    const bool running = RunFrame();
    ++Count.Frames;
    if (!running) {
      RestartProgram();
      return;
    }
    Check();
  }

  // The program ends and starts again; its level is resumed.
  void RestartProgram() {
    Shutdown();
    ++Count.ProgramRestarts;
    Start();
    Wanted = RESOLUTIONS[RESOLUTION_ROWS - 1];
    SetupDisplay();
    T_BLOCK::PosAllBlocks();
    if (ResumeFromUndo()) StartLevel(0);
    Last.clear();
    LastExists = false;
    Check();
  }

  void Check() {
    size_t length = 0;
    bool exists = false;
    const std::vector<Record> history = ReadHistory(UndoFile(), length, exists);
    ASSERT_EQ(length % 80, 0u) << "frame " << Count.Frames;
    ASSERT_EQ(UndoRecordCount, static_cast<int>(history.size())) << "frame " << Count.Frames;
    if (!history.empty()) {
      bool levelStart = false;
      for (const Record& start : LevelStarts) levelStart |= start == history[0];
      // With every level won, the game plays on with the board it has.
      for (const std::string& message : media_test::RecordedMessages())
        levelStart |= message.rfind("All levels are played", 0) == 0;
      ASSERT_TRUE(levelStart) << "record 0 is no level's start:\n" << Show(history[0]);
      for (size_t k = 1; k < history.size(); ++k) {
        ASSERT_TRUE(OneStep(history[k - 1], history[k]))
            << "frame " << Count.Frames << ", records " << k - 1 << " and " << k << ":\n"
            << Show(history[k - 1]) << "\n" << Show(history[k]);
        ASSERT_FALSE(IsEmpty(history[k - 1])) << "a record after the empty board";
      }
      if (ScreenState == SCREEN_PLAY) {
        ASSERT_EQ(Board(), history.back()) << "frame " << Count.Frames << ": the board is not the last record";
      }
    }
    // The history went away while the count was up: a win, which must
    // follow a record of the board emptied by play.
    if (LastExists && !Last.empty() && !exists) {
      ASSERT_TRUE(IsEmpty(Last.back())) << "frame " << Count.Frames << ": a level won with\n" << Show(Last.back());
      ++Count.Wins;
    }
    if (history.size() > Last.size()) Count.Steps += static_cast<int>(history.size() - Last.size());
    if (exists && history.size() < Last.size()) Count.Undos += static_cast<int>(Last.size() - history.size());
    Count.LongestHistory = std::max(Count.LongestHistory, static_cast<int>(history.size()));
    for (const std::string& message : media_test::RecordedMessages())
      ASSERT_EQ(message.find("pLiMo_Undo"), std::string::npos) << message;
    Last = history;
    LastExists = exists;
  }

  // A step of the solver, played as press, one cell, release.
  void SolverMove() {
    const Record board = Board();
    test_support::Cells cells{};
    for (int i = 0; i < 80; ++i) cells[i] = board[i];
    const std::vector<test_support::Move> moves = test_support::Solve(cells);
    if (moves.empty()) return;
    const test_support::Move& m = moves.front();
    ++Count.SolverMoves;
    PointerToCell(m.Cell);
    media_test::InjectButtonDown(BUTTON_LEFT);
    OneFrame();
    PointerToCell(m.Cell + m.Dy * 10 + m.Dx);
    OneFrame();
    media_test::InjectButtonUp(BUTTON_LEFT);
    OneFrame();
  }

  void Key(int key, int repeats = 0) {
    media_test::InjectKeyDown(key);
    for (int i = 0; i < repeats; ++i) media_test::InjectKeyRepeat(key);
    media_test::InjectKeyUp(key);
  }

  void Typed(int c) { media_test::InjectTypedChar(c); }

  void RandomDrag() {
    PointerToCell(Pick(80));
    media_test::InjectButtonDown(BUTTON_LEFT);
    OneFrame();
    for (int n = Pick(5); n >= 0; --n) {
      if (Chance(20)) {
        Key(KEY_LEFT + Pick(4));  // an arrow while the shape is held
        ++Count.HeldKeySteps;
      }
      if (Chance(85)) {
        int x = 0, y = 0;
        PointerPosition(x, y);
        const int d = Pick(4);
        PointerTo(x - ScreenOffsetX + DIR_X[d] * BlockSize * (1 + Pick(2)), y - ScreenOffsetY + DIR_Y[d] * BlockSize);
      } else {
        PointerAnywhere();
      }
      OneFrame();
    }
    media_test::InjectButtonUp(BUTTON_LEFT);
    OneFrame();
  }

  void RandomAction() {
    const bool playing = ScreenState == SCREEN_PLAY;
    const bool vanishing = std::any_of(Blocks.begin(), Blocks.end(), [](const auto& b) { return b->Timer != 0; });
    const int roll = Pick(100);
    if (roll < 40 && playing && !vanishing) {
      SolverMove();
    } else if (roll < 52) {
      for (int n = Pick(3); n >= 0; --n) Key(KEY_LEFT + Pick(4));
      OneFrame();
    } else if (roll < 64) {
      RandomDrag();
    } else if (roll < 69) {
      PointerAnywhere();
      media_test::InjectButtonDown(BUTTON_LEFT);
      media_test::InjectButtonUp(BUTTON_LEFT);
      OneFrame();
    } else if (roll < 71) {
      media_test::InjectButtonDown(BUTTON_RIGHT);
      media_test::InjectButtonUp(BUTTON_RIGHT);
      OneFrame();
    } else if (roll < 74) {
      media_test::InjectWheel(Pick(2) ? 1 : -1);
      OneFrame();
    } else if (roll < 76) {
      // Between the two smallest boards, which draw fastest.
      Typed(Wanted.Height == RESOLUTIONS[RESOLUTION_ROWS - 1].Height ? '+' : '-');
      OneFrame();
    } else if (roll < 78) {
      ++Count.EscapeBursts;
      for (int n = Pick(2); n >= 0; --n) {
        Key(KEY_ESCAPE, Pick(6));
        OneFrame();
      }
    } else if (roll < 83) {
      for (int n = Pick(3); n >= 0; --n) {
        Key(Pick(4) ? KEY_ENTER : KEY_SPACE);
        OneFrame();
      }
    } else if (roll < 88) {
      if (Pick(2)) {
        Key(KEY_BACKSPACE, Pick(3));
      } else {
        Typed(Pick(2) ? 'u' : 'U');
      }
      OneFrame();
    } else if (roll < 89) {
      Typed('r');
      OneFrame();
    } else if (roll < 90 && Chance(10)) {
      RestartProgram();
    } else {
      for (int n = 1 + Pick(20); n > 0; --n) OneFrame();
    }
  }
};

TEST_F(RandomInput, TheHistoryStaysWholeAndLevelsAreWonOnlyByPlay) {
  const int frames = EnvironmentNumber("PLIMO_RANDOM_FRAMES", 1500);
  const int seed = EnvironmentNumber("PLIMO_RANDOM_SEED", 20261209);
  Random.seed(static_cast<unsigned>(seed));
  Start();
  // The smallest board draws fastest; + and - then switch between the two
  // smallest.
  Wanted = RESOLUTIONS[RESOLUTION_ROWS - 1];
  SetupDisplay();
  T_BLOCK::PosAllBlocks();
  for (int n = 0; n < LevelCount; ++n) {
    Record r{};
    for (int i = 0; i < 80; ++i) r[i] = static_cast<uint8_t>(LevelCellByte(n, i % 10, i / 10));
    LevelStarts.push_back(r);
  }
  const auto start = std::chrono::steady_clock::now();
  int offPlay = 0;
  while (Count.Frames < frames && !HasFatalFailure()) {
    // The level is entered through the game's own start, not a menu: the
    // menus are not what this test is about.
    offPlay = ScreenState == SCREEN_PLAY ? 0 : offPlay + 1;
    if (offPlay > 40 || (ScreenState == SCREEN_PLAY && Blocks.empty() && Fragments.empty() && Chance(5))) {
      if (!Chance(30) || !ResumeFromUndo()) {
        BeginLevel();
      } else {
        StartLevel(0);
      }
      offPlay = 0;
      Check();
    }
    RandomAction();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::ostringstream figures;
  figures << "seed " << seed << ": " << Count.Frames << " frames in " << seconds << " s, " << Count.Steps
          << " recorded steps, " << Count.Undos << " undone, " << Count.SolverMoves << " solver moves, "
          << Count.HeldKeySteps << " arrows during drags, " << Count.EscapeBursts << " Escape bursts, "
          << Count.LevelStarts << " level starts, " << Count.Wins << " wins, " << Count.ProgramRestarts
          << " program restarts, longest history " << Count.LongestHistory << " records";
  std::cout << figures.str() << std::endl;
  RecordProperty("figures", figures.str());
  EXPECT_GT(Count.Steps, 0);
  Shutdown();
}

}  // namespace
