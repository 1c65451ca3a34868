// A board in a throw-away user data folder, with no window: the platform is
// started for input and files, the level bank is loaded, the clock and the
// frame input are set by hand and message boxes are recorded.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/archive.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/music.h"
#include "app/paths.h"
#include "app/settings.h"
#include "board/block.h"
#include "effects/effects.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "persistence/best_scores.h"
#include "play/play_input.h"
#include "play/undo.h"

namespace fs = std::filesystem;

class BoardFixture : public ::testing::Test {
 protected:
  fs::path Home;

  void SetUp() override {
    ASSERT_TRUE(MediaInit());
    static bool registered = false;
    if (!registered) RegisterArchive();
    registered = true;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Home = fs::path(std::getenv("PLIMO_BINARY_DIR")) / "test-tmp" /
           (std::string(info->test_suite_name()) + "." + info->name());
    fs::remove_all(Home);
    fs::create_directories(Home);
    media_test::SetUserAppDataFolder(Home.string());
    BuildUserPaths();
    ASSERT_TRUE(CreateFolder(UserDataFolder));
    media_test::RecordMessages(true);
    media_test::RecordedMessages().clear();
    media_test::ResetInput();
    SoundFlag = false;
    MusicFlag = false;
    CustomCursor = false;
    ParticlesOn = false;
    LoadLevelBank();
    LoadBestScores();

    ReleaseGrab();
    ClearBoard();
    Fragments.clear();
    Frame = FrameInput();
    Frame.Now = 10000;
    KeyboardMode = 0;
    KeyboardCursorX = KeyboardCursorY = 0;
    PendingAction = 0;
    HoveredMenu = -1;
    UndoRecordCount = 0;
    CurrentLevel = -1;
    BoardLevel = -1;
    LevelTimer = LevelStartTime = WonTime = RecordTime = LevelBannerEnd = 0;
    ScreenState = SCREEN_PLAY;
  }

  void TearDown() override {
    media_test::UseRealClock();
    ReleaseGrab();
    ClearBoard();
    Fragments.clear();
    media_test::RecordMessages(false);
    media_test::SetUserAppDataFolder("");
    fs::remove_all(Home);
  }

  // Places a board drawn as 8 rows of 10 characters: '.' empty, '1'..'9'
  // a block of kind digit - 1. Blocks enter the list in row-major order.
  static void Place(const std::vector<std::string>& rows) {
    ClearBoard();
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
      for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
        if (rows[y][x] != '.') T_BLOCK::addBlock(x, y, rows[y][x] - '1');
      }
    }
    T_BLOCK::ShapeAllBlocks();
  }

  // The board as Place draws it; vanishing blocks show as '*'.
  static std::vector<std::string> BoardRows() {
    std::vector<std::string> rows(8, std::string(10, '.'));
    for (const auto& b : Blocks) rows[b->YMap][b->XMap] = b->Timer ? '*' : static_cast<char>('1' + b->Kind);
    return rows;
  }

  static std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

  static void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  // One frame of the pointer part of the play input, pointer on a cell's centre.
  static void PointerFrame(int cellX, int cellY, bool hit, bool down, int64_t step = 16) {
    Frame.Now += step;
    Frame.PointerX = cellX * BlockSize + BlockSize / 2;
    Frame.PointerY = cellY * BlockSize + BlockSize / 2;
    Frame.LeftHit = hit;
    Frame.LeftDown = down;
    UpdatePointerDrag();
  }
};
