#include "levels/level_lifecycle.h"

#include <algorithm>
#include <string>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/music.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_map.h"
#include "levels/random_play.h"
#include "levels/shared_level.h"
#include "levels/victory.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "menus/text_box.h"
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

// The text key of the message that a resumed game belongs to no level, and
// its English text for a language file of the player's own that lacks it.
const char* const UNRECORDED_KEY = "Unrecorded Level";
const char* const UNRECORDED_ENGLISH = "Unknown level: its win is not recorded";

// The starting board of the last history said to be no level's, so that
// the player is told once, not at every resume of it.
uint8_t ToldStart[UNDO_RECORD_SIZE];
bool Told = false;

bool CurrentLevelInBank() { return CurrentLevel >= 0 && CurrentLevel < LevelCount; }

// Makes the level a history belongs to current, from the history's first
// record: the bank level with those starting cells, else the random level
// kept with that start, else a shared level (a level made in the editor,
// the daily level...). With none, the board is no level's and the
// current level is none; the answer is then false.
bool TakeLevelOfHistory(const uint8_t start[UNDO_RECORD_SIZE]) {
  const int level = BankLevelWithCells(start);
  if (level >= 0) {
    CurrentLevel = level;
    BoardLevel = level;
    return true;
  }
  CurrentLevel = -1;
  BoardLevel = -1;
  return ResumeRandomLevel() || ResumeSharedLevel(start);
}

// The board resumed from the history is played as the level the history
// belongs to, not as the level last named in the profile: the profile is
// written at the end of the program, the history at every step, so after a
// crash they can tell different stories. A timer kept for another level is
// not this game's.
void TakeLevelOfResumedBoard() {
  const int before = CurrentLevel;
  uint8_t start[UNDO_RECORD_SIZE];
  if (!ReadFirstUndoRecord(start)) {
    // Nothing was resumed: the board on show belongs to no level.
    BoardLevel = -1;
    return;
  }
  if (!TakeLevelOfHistory(start) && !(Told && std::equal(start, start + UNDO_RECORD_SIZE, ToldStart))) {
    std::copy(start, start + UNDO_RECORD_SIZE, ToldStart);
    Told = true;
    ShowBoardMessage(GetTextOr(UNRECORDED_KEY, UNRECORDED_ENGLISH));
  }
  if (CurrentLevel != before) LevelTimer = 0;
}

}  // namespace

void BeginLevel(int fresh) {
  const int64_t now = Frame.Now;
  // The board was just replaced: nothing may stay held.
  ReleaseGrab();
  // A zoom still running on the map leads nowhere now.
  CancelLevelZoom();
  if (fresh) {
    // Another level starts: a random level still being made is not wanted.
    StopMakingRandomLevel();
    ResetUndo();
    Told = false;
    LevelStartTime = now;
    LevelTimer = 0;
  } else {
    TakeLevelOfResumedBoard();
    if (LevelTimer > LEVEL_TIMER_CAP) LevelTimer = LEVEL_TIMER_CAP;
    LevelStartTime = now - LevelTimer;
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
  StartLevel(1);
  RandomLevelStep();
}

void RandomLevelStep() {
  // A new level from the generator, for the player's tier: always solvable.
  // It is made over the next frames; the play screen starts it when placed.
  StartMakingRandomLevel();
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
  DrawLevelLabel(CurrentLevel, static_cast<float>(LevelBannerEnd - now) / BANNER_MS);
}

void DrawLevelLabel(int level, float alpha) {
  if (level == -1) return;
  const std::string text = LevelLabel(level + 1);
  // Five times the large font: the banner font at its own size when there is
  // one, so the digits stay sharp, else the large font scaled up.
  const float scale = BannerFont != nullptr ? 1.0f : static_cast<float>(BANNER_FONT_TIMES);
  SelectFont(BannerFont != nullptr ? BannerFont : LargeFont);
  SetDrawScale(scale, scale);
  const int w = static_cast<int>(static_cast<float>(StringWidth(text)) * scale);
  const int h = static_cast<int>(static_cast<float>(FontHeight()) * scale);
  const int x = (10 * BlockSize) / 2 - w / 2;
  const int y = (8 * BlockSize) / 2 - h / 2;
  SetBlendMode(BLEND_ALPHA);
  SetDrawAlpha(alpha);
  SetDrawColour(0, 0, 0);
  DrawString(text, static_cast<float>(x + 20), static_cast<float>(y + 20));
  SetDrawColour(255, 255, 255);
  DrawString(text, static_cast<float>(x), static_cast<float>(y));
  SelectFont(nullptr);
  SetDrawScale(1, 1);
  SetDrawAlpha(1);
}

void RecordWinLeftInHistory() {
  uint8_t start[UNDO_RECORD_SIZE];
  if (!UndoHistoryWon() || !ReadFirstUndoRecord(start)) return;
  if (TakeLevelOfHistory(start)) {
    // How long the game lasted died with the program: it is counted as the
    // longest time, which never claims a better time than was played.
    WonTime = LEVEL_TIMER_CAP;
    if (CurrentLevelInBank()) {
      RecordWin();
      SaveBestScores();
    } else if (SharedLevelOnBoard()) {
      SharedLevelWon(WonTime, UndoRecordCount - 1);
    } else {
      RandomLevelWon(WonTime);
    }
  }
  DeleteUndoFile();
}
