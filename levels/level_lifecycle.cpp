#include "levels/level_lifecycle.h"

#include <string>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/music.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/random_play.h"
#include "levels/shared_level.h"
#include "levels/victory.h"
#include "media/media.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "menus/tutorial.h"
#include "persistence/best_scores.h"
#include "play/play_input.h"
#include "play/undo.h"

int CurrentLevel = -1;
int64_t LevelTimer = 0;
int64_t LevelStartTime = 0;
int64_t WonTime = 0;
int64_t RecordTime = 0;
int64_t LevelBannerEnd = 0;

namespace {

constexpr int64_t BANNER_MS = 2000;

bool CurrentLevelInBank() { return CurrentLevel >= 0 && CurrentLevel < LevelCount; }

}  // namespace

void BeginLevel(int fresh) {
  const int64_t now = Frame.Now;
  // The board was just replaced: nothing may stay held.
  ReleaseGrab();
  if (fresh) {
    ResetUndo();
    LevelStartTime = now;
    LevelTimer = 0;
  } else {
    if (LevelTimer > LEVEL_TIMER_CAP) LevelTimer = LEVEL_TIMER_CAP;
    LevelStartTime = now - LevelTimer;
    // A resumed board is the saved board of the current level, or the
    // random level it started as.
    BoardLevel = CurrentLevel;
    if (CurrentLevel == -1) ResumeRandomLevel();
  }
  if (CurrentLevel != -1) LoadRecordTime();
  ScreenState = SCREEN_PLAY;
  // A menu choice still exploding (R pressed right after it) neither fires
  // nor slides the level's board away.
  PendingAction = 0;
  ExitScrollOn = false;
  ExitScrollOffset = 0;
  StopTutorial();
  LoadSideBarIcons(ICON_SET_PLAY);
  LevelBannerEnd = now + BANNER_MS;
}

void StartLevel(int fresh) {
  BeginLevel(fresh);
  SelectMusicTrack(2);
}

void RestartLevel() {
  if (SharedLevelOnBoard()) {
    PlaceSharedLevel(CurrentSharedLevel);
    BeginLevel(1);
    return;
  }
  if (RandomLevelOnBoard()) {
    PlaceRandomCells(CurrentRandomLevel);
    BeginLevel(1);
    return;
  }
  // With no level placed there is nothing to place again.
  if (!CurrentLevelInBank()) return;
  LoadLevel(CurrentLevel);
  BeginLevel(1);
}

void NextLevel() {
  for (int n = 0; n < LevelCount; ++n) {
    if (RecordLink(n) == 0) {
      CurrentLevel = n;
      LoadLevel(n);
      StartLevel(1);
      return;
    }
  }
  ShowMessage("All levels are played, Random mode activated");
  // The message waits for the player: the fresh start is timed from its
  // dismissal, not from the start of the frame.
  Frame.Now = ReadClock();
  RandomLevelStep();
  StartLevel(1);
}

void RandomLevelStep() {
  // A new level from the generator, for the player's tier: always solvable.
  PlaceRandomLevel();
}

void CheckLevelWon() {
  if (!Blocks.empty()) return;
  // Only a board placed from the bank as the current level may touch that
  // level's record (the switch of screens below builds another board).
  const bool levelWon = CurrentLevelInBank() && BoardLevel == CurrentLevel;
  const bool randomWon = RandomLevelOnBoard();
  WonTime = LevelTimer;
  // The victory jingle, or the short victory sound with the music off.
  if (MusicFlag) {
    SelectMusicTrack(0);
  } else {
    PlayEffect(LevelWonSound);
  }
  // The screen change turns the keyboard cursor off; a player on the
  // keyboard keeps it, so that Space goes on to the next level.
  const bool keyboardOn = KeyboardMode != 0;
  SetScreen(SCREEN_VICTORY);
  if (keyboardOn) KeyboardMode = 1;
  RecordTime = 0;
  if (levelWon) {
    RecordWin();
    SaveBestScores();
  }
  if (randomWon) RandomLevelWon(LevelTimer);
  if (SharedLevelOnBoard()) SharedLevelWon(LevelTimer, UndoRecordCount - 1);
  // The replay is read from the undo file, which goes right after.
  BuildVictoryScreen();
  DeleteUndoFile();
  LevelStartTime = 0;
}

void LoadRecordTime() {
  RecordTime = 0;
  if (!CurrentLevelInBank()) return;
  const int link = RecordLink(CurrentLevel);
  if (link <= 0) return;
  RecordTime = static_cast<int64_t>(RecordLastTime(link)) * 1000;
  const int best = RecordBestTime(link);
  if (best != 0) RecordTime = static_cast<int64_t>(best) * 1000;
}

void DrawLevelBanner() {
  if (LevelBannerEnd == 0 || CurrentLevel == -1) return;
  const int64_t now = Frame.Now;
  if (now > LevelBannerEnd) {
    LevelBannerEnd = 0;
    return;
  }
  const std::string text = LevelLabel(CurrentLevel + 1);
  const float alpha = static_cast<float>(LevelBannerEnd - now) / BANNER_MS;
  SelectFont(LargeFont);
  SetDrawScale(5, 5);
  const int w = StringWidth(text);
  const int h = FontHeight();
  const int x = (10 * BlockSize) / 2 - (5 * w) / 2;
  const int y = (8 * BlockSize) / 2 - (5 * h) / 2;
  SetBlendMode(BLEND_ALPHA);
  SetDrawAlpha(alpha);
  SetDrawColour(0, 0, 0);
  DrawString(text, x + 20, y + 20);
  SetDrawColour(255, 255, 255);
  DrawString(text, x, y);
  SelectFont(nullptr);
  SetDrawScale(1, 1);
  SetDrawAlpha(1);
}
