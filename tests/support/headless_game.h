// A fixture that runs the whole game headless: a fresh user data folder, a
// 1920 x 1080 desktop, a clock set by hand and recorded message boxes.
// Only test programs that link the game include it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_map.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "persistence/custom_levels.h"
#include "play/play_input.h"
#include "tests/support/level_solver.h"
#include "tests/support/test_support.h"

class HeadlessGameTest : public ::testing::Test {
 protected:
  std::filesystem::path Home;  // stands for the platform's per-user data folder
  int Clock = 100000;

  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Home = std::filesystem::path(std::getenv("PLIMO_BINARY_DIR")) / "test-tmp" /
           (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(Home);
    std::filesystem::create_directories(Home);
    media_test::SetUserAppDataFolder(Home.string());
    media_test::SetDesktopSize(1920, 1080);
    media_test::SetClock(Clock);
    media_test::RecordMessages(true);
    media_test::SetUnpacedFrames(true);
    media_test::RecordedMessages().clear();
    ChooseEnglish();
  }
  void TearDown() override {
    media_test::RecordMessages(false);
    media_test::SetUnpacedFrames(false);
    media_test::SetUserAppDataFolder("");
    media_test::SetDesktopSize(0, 0);
    std::filesystem::remove_all(Home);
    // The editor's levels a run read or made stay in memory after it: the
    // next test's map starts without them.
    CustomLevels.clear();
  }
  // A player who chose English before: the start opens the main menu. The
  // path is that of the copy the start-up writes into the user data folder.
  void ChooseEnglish() { LanguageFile = (Home / "pLiMo" / "pLiMo_text_EN.txt").string(); }
  // A player who never chose a language: the start opens the flag screen.
  void FreshHome() { LanguageFile.clear(); }
  // The program's start-up, with no input left over from an earlier run.
  void Start() {
    media_test::SetClock(Clock);
    ASSERT_TRUE(StartUp());
    media_test::ResetInput();
  }
  // The program killed (kill -9): what it wrote as it went (the undo file
  // after every step, the records at a win) stays; the profile, written at
  // its end, is as it was before.
  void Kill() {
    const std::filesystem::path profile = Home / "pLiMo" / "pLiMo_User_Profile.txt";
    const bool had = std::filesystem::exists(profile);
    const std::string bytes = had ? test_support::ReadWholeFile(profile.string()) : "";
    Shutdown();
    if (had)
      test_support::WriteWholeFile(profile.string(), bytes);
    else
      std::filesystem::remove(profile);
  }
  // Runs frames `step` ms apart; false as soon as the frame loop would end.
  bool Frames(int count, int step = 16) {
    for (int i = 0; i < count; i++) {
      Clock += step;
      media_test::SetClock(Clock);
      if (!RunFrame()) return false;
    }
    return true;
  }
  // A key pressed and released, then one frame.
  bool PressKey(int key) {
    media_test::InjectKeyDown(key);
    media_test::InjectKeyUp(key);
    return Frames(1);
  }
  // The pointer over the centre of a board cell.
  static void PointerToCell(int x, int y) {
    media_test::InjectPointerMove(ScreenOffsetX + x * BlockSize + BlockSize / 2,
                                  ScreenOffsetY + y * BlockSize + BlockSize / 2);
  }
  // A move made with the mouse: a press on the shape holding `cell` (row
  // major), the pointer one cell on by (dx, dy), a release; after a colour
  // completes, frames until its blocks have vanished. False when the frame
  // loop ended.
  bool DragOneCell(int cell, int dx, int dy) {
    PointerToCell(cell % 10, cell / 10);
    media_test::InjectButtonDown(BUTTON_LEFT);
    if (!Frames(1)) return false;
    PointerToCell(cell % 10 + dx, cell / 10 + dy);
    if (!Frames(1)) return false;
    media_test::InjectButtonUp(BUTTON_LEFT);
    if (!Frames(1)) return false;
    for (int i = 0; i < 60 && std::any_of(Blocks.begin(), Blocks.end(), [](const auto& b) { return b->Timer != 0; }); ++i)
      if (!Frames(1)) return false;
    return true;
  }
  // The pointer at game-screen pixel (x, y).
  static void PointerAt(int x, int y) { media_test::InjectPointerMove(ScreenOffsetX + x, ScreenOffsetY + y); }
  // A click of the real mouse at game-screen pixel (x, y): press in one
  // frame, release in the next. False when the frame loop ended.
  bool ClickAt(int x, int y) {
    PointerAt(x, y);
    media_test::InjectButtonDown(BUTTON_LEFT);
    if (!Frames(1)) return false;
    media_test::InjectButtonUp(BUTTON_LEFT);
    return Frames(1);
  }
  // The centre of card n's cell on the level map as it is scrolled now.
  static void CardCentre(int n, int& x, int& y) {
    const int perRow = BOARD_COLUMNS * BlockSize / CardPitchX();
    x = CardMargin() + CardPitchX() * (n % perRow) + CardWidth() / 2;
    y = static_cast<int>(MapScroll) + CardMargin() + CardPitchY() * (n / perRow) + CardHeight() / 2;
  }
  // A click on card n of the level map; false when the frame loop ended.
  bool TapCard(int n) {
    int x, y;
    CardCentre(n, x, y);
    return ClickAt(x, y);
  }
  // A click on a side-bar icon, by its slot (0 at the top).
  bool ClickSideBarSlot(int slot) {
    return ClickAt(BOARD_COLUMNS * BlockSize + SIDE_BAR_WIDTH / 2, slot * BlockSize + BlockSize / 2);
  }
  // Ctrl+V pressed; false when the frame loop ended.
  // The display set up for a wanted resolution, in a window.
  static void AtResolution(const Resolution& r) {
    Wanted = r;
    ScreenMode = 0;
    SetupDisplay();
  }
  // One frame run with its draw calls recorded.
  std::vector<media_test::DrawCall> RecordedFrame() {
    media_test::StartRecording();
    EXPECT_TRUE(Frames(1));
    media_test::StopRecording();
    return media_test::RecordedDraws();
  }
  bool PasteKeys() {
    media_test::InjectKeyDown(KEY_CONTROL);
    media_test::InjectKeyDown('V');
    media_test::InjectKeyUp('V');
    const bool ran = Frames(1);
    media_test::InjectKeyUp(KEY_CONTROL);
    return ran;
  }
  // Runs frames until the zoom has ended in play (at most two seconds).
  bool WaitForPlay() {
    for (int i = 0; i < 125 && ScreenState != SCREEN_PLAY; ++i)
      if (!Frames(1)) return false;
    return ScreenState == SCREEN_PLAY;
  }
  // Plays the test solver's moves from the board as it is, then runs frames
  // until the victory screen shows; false when it does not.
  bool PlayToTheWin() {
    for (const test_support::Move& m : test_support::Solve(BoardCells()))
      if (!DragOneCell(m.Cell, m.Dx, m.Dy)) return false;
    for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i)
      if (!Frames(1)) return false;
    return ScreenState == SCREEN_VICTORY;
  }
  // A bank level's cells and the board's, as the test solver reads them.
  static test_support::Cells LevelCells(int level) {
    test_support::Cells g{};
    for (int i = 0; i < 80; ++i) g[i] = LevelCellByte(level, i % 10, i / 10);
    return g;
  }
  static test_support::Cells BoardCells() {
    test_support::Cells g{};
    for (const auto& b : Blocks) g[b->YMap * 10 + b->XMap] = b->Kind + 1;
    return g;
  }
  // The first block of a menu entry's caption bar, found by its caption's
  // text key; nullptr when the board shows no such entry.
  static T_BLOCK* MenuCaption(const std::string& key) {
    const std::string caption = GetText(key);
    for (const auto& b : Blocks) {
      if (b->Text == caption && b->Menu != -1) return b.get();
    }
    return nullptr;
  }
  // The caption-less handle of the entry whose caption bar is given.
  static T_BLOCK* MenuHandle(const T_BLOCK* caption) {
    for (const auto& b : Blocks) {
      if (b->Kind == caption->Kind && b->Text.empty() && b->Menu == caption->Menu) return b.get();
    }
    return nullptr;
  }
  // Runs frames until the chosen entry's action has been carried out (the
  // explosion is over); false when the frame loop ended on the way.
  bool WaitForChoice(int maxFrames = 600) {
    for (int i = 0; i < maxFrames && PendingAction != 0; ++i) {
      if (!Frames(1)) return false;
    }
    return PendingAction == 0;
  }
  // Chooses a menu entry as a player does with a quick click on its caption
  // bar (its last block), then waits for the next screen. False when the
  // entry is missing or the frame loop ended (the quit entry).
  bool ClickMenuEntry(const std::string& key) { return ClickCaption(GetText(key)); }
  // The same for a caption shown as it is (the block-size entries).
  bool ClickCaption(const std::string& text) {
    const T_BLOCK* caption = nullptr;
    for (const auto& b : Blocks) {
      if (b->Text == text && b->Menu != -1 && caption == nullptr) caption = b.get();
    }
    if (caption == nullptr) return false;
    int x = caption->XMap;
    while (BlockAt(x + 1, caption->YMap) != nullptr && BlockAt(x + 1, caption->YMap)->Menu == caption->Menu) ++x;
    PointerToCell(x, caption->YMap);
    media_test::InjectButtonDown(BUTTON_LEFT);
    if (!Frames(1)) return false;
    media_test::InjectButtonUp(BUTTON_LEFT);
    if (!Frames(1)) return false;
    return PendingAction != 0 && WaitForChoice();
  }
  // Chooses a menu entry by dragging its handle, which stands one empty cell
  // left of its caption bar, against the bar; then waits for the next screen.
  bool DragMenuEntry(const std::string& key) {
    const T_BLOCK* caption = MenuCaption(key);
    const T_BLOCK* handle = caption ? MenuHandle(caption) : nullptr;
    if (handle == nullptr || handle->YMap != caption->YMap || handle->XMap != caption->XMap - 2) return false;
    const int x = handle->XMap, y = handle->YMap;
    PointerToCell(x, y);
    media_test::InjectButtonDown(BUTTON_LEFT);
    if (!Frames(1)) return false;
    PointerToCell(x + 1, y);
    if (!Frames(1)) return false;
    media_test::InjectButtonUp(BUTTON_LEFT);
    return PendingAction != 0 && WaitForChoice();
  }
};
