#include "levels/victory.h"

#include <cmath>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/paths.h"
#include "app/pointer.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "levels/random_play.h"
#include "levels/share_screens.h"
#include "levels/shared_level.h"
#include "localisation/languages.h"
#include "menus/screens.h"
#include "persistence/random_scores.h"
#include "menus/text_box.h"
#include "play/play_input.h"
#include "play/undo.h"

std::list<std::unique_ptr<T_VICTORY_LINE>> VictoryLines;
ByteBuffer ReplayData;
int ReplayCount = 0;
int ReplayIndex = 0;
int ReplayDirection = 0;
int64_t NextStepTime = 0;

namespace {

constexpr int SLIDE_MS = 3000;
constexpr int64_t STEP_MS = 50;    // one replay record
constexpr int64_t PAUSE_MS = 1000; // at the start position and on the empty board
constexpr int SHADOW = 4;

double Sine(int64_t degrees) { return std::sin(static_cast<double>(degrees) * M_PI / 180.0); }

void AddLines() {
  const int step = ScreenWidth * 60 / 1024;  // the large font's size
  const int y0 = BOARD_ROWS * BlockSize / 2 - step;
  const bool record = RecordTime > 0;
  auto add = [](const std::string& text, int y, int colour) { T_VICTORY_LINE::Add(text, 3, y, 0, colour); };

  if (SharedLevelOnBoard()) {
    add(SharedLevelTitle(), y0, 0);
  } else if (CurrentLevel == -1) {
    // A random level's win counts in the random levels' own records: the
    // title says how many were won; the record below is its tier's best.
    std::string title = GetText("Random Level");
    if (RandomLevelOnBoard() && RandomScores.Wins > 0) title += " #" + std::to_string(RandomScores.Wins);
    add(title, y0, 0);
  } else {
    add("- " + LevelLabel(CurrentLevel + 1) + " -", y0, 0);
  }
  if (record && WonTime < RecordTime) {
    add(GetText("Congratulations"), y0 + step, 3);
    add(GetText("New Record"), y0 + 2 * step, 3);
  } else if (record) {
    add(GetText("Can Do Better"), y0 + 2 * step, 2);
  } else {
    add(GetText("Well Done"), y0 + 2 * step, 2);
  }
  add(GetText("Time") + FormatTime(WonTime / 1000), y0 + 3 * step, 0);
  if (record && WonTime > RecordTime) add(GetText("Record") + FormatTime(RecordTime / 1000), y0 + 4 * step, 0);
  if (record && WonTime <= RecordTime) add(GetText("Old Record") + FormatTime(RecordTime / 1000), y0 + 5 * step, 0);
}

// A click or Space: the next level when the keyboard plays, else the map.
void LeaveVictoryScreen() {
  if (KeyboardMode != 0) {
    NextLevel();
  } else {
    SetScreen(SCREEN_LEVEL_MAP);
  }
}

}  // namespace

T_VICTORY_LINE* T_VICTORY_LINE::Add(const std::string& text, int mode, int y, int x, int colour) {
  auto line = std::make_unique<T_VICTORY_LINE>();
  line->Text = text;
  line->Mode = mode;
  line->Timer = 0;
  line->Color = colour;
  if (mode == 0) {
    line->cX = x;
  } else {
    line->cX = (BOARD_COLUMNS * BlockSize - StringWidth(text)) / 2;
  }
  line->cY = y;
  if (mode == 2 || mode == 3) line->vX = static_cast<float>(ScreenWidth * 30 / 1024);
  if (mode == 3) {
    line->Time = SLIDE_MS;
    line->Timer = Frame.Now + SLIDE_MS;
  }
  line->fX = static_cast<float>(line->cX);
  line->fY = static_cast<float>(line->cY);
  VictoryLines.push_back(std::move(line));
  return VictoryLines.back().get();
}

void T_VICTORY_LINE::Draw() {
  const int64_t now = Frame.Now;
  int x = cX;
  if (Mode == 2 || Mode == 3) {
    const int64_t a = (now / 4 + cY) % 360;
    x = static_cast<int>(static_cast<float>(cX) + vX * static_cast<float>(Sine(a)));
  }
  if (Mode == 3) {
    if (Timer > now) {
      x = static_cast<int>(static_cast<double>(x) +
                           static_cast<double>(ScreenWidth) * static_cast<double>(Timer - now) / Time);
    } else {
      Timer = 0;
      Mode = 2;
    }
  }
  const float fx = static_cast<float>(x), fy = static_cast<float>(cY);
  SetDrawColour(0, 0, 0);
  DrawString(Text, fx + SHADOW, fy + SHADOW);
  const double pulse = Sine(now % 360);
  if (Color == 1) {
    SetDrawColour(255, 0, 0);
  } else if (Color == 2) {
    SetDrawColour(255 - static_cast<int>(127 + 64 * pulse), 255, 0);
  } else if (Color == 3) {
    SetDrawColour(255, 255 - static_cast<int>(127 + 127 * pulse), 0);
  } else {
    SetDrawColour(255, 255, 255);
  }
  DrawString(Text, fx, fy);
  SetDrawColour(255, 255, 255);
}

void BuildVictoryScreen() {
  // A missing undo file gives no records; a partial last record is left out.
  std::unique_ptr<ByteBuffer> undo = LoadBuffer(UndoPath);
  ReplayData.Bytes = undo ? std::move(undo->Bytes) : std::vector<uint8_t>();
  ReplayCount = BufferSize(ReplayData) / UNDO_RECORD_SIZE;
  ReplayIndex = ReplayCount - 1;

  PrepareVictorySharing();
  VictoryLines.clear();
  SelectFont(LargeFont);
  AddLines();
  SelectFont(nullptr);
}

void RestartReplay() {
  ReplayDirection = 0;
  NextStepTime = 0;
}

void ShowReplayRecord(int i) {
  ReleaseGrab();
  ClearBoard();
  if (i < 0 || i >= ReplayCount) return;
  const int start = UNDO_RECORD_SIZE * i;
  if (start + UNDO_RECORD_SIZE > BufferSize(ReplayData)) return;
  for (int y = 0; y < BOARD_ROWS; ++y) {
    for (int x = 0; x < BOARD_COLUMNS; ++x) {
      const int v = PeekUInt8(ReplayData, start + BOARD_COLUMNS * y + x);
      // Play boards hold the six colours only; other bytes are damage.
      if (v > 0 && v <= 6) T_BLOCK::addBlock(x, y, v - 1);
    }
  }
  T_BLOCK::ShapeAllBlocks();
}

void UpdateVictoryScreen() {
  const int64_t now = Frame.Now;
  if (NextStepTime != 0 && NextStepTime < now) NextStepTime = 0;
  if (NextStepTime == 0 && ReplayCount > 0) {
    if (ReplayDirection == 0) {
      if (ReplayIndex <= 0) {
        ShowReplayRecord(0);
        NextStepTime = now + PAUSE_MS;
        ReplayDirection = 1;
        ReplayIndex = 0;
      } else {
        ShowReplayRecord(ReplayIndex);
        NextStepTime = now + STEP_MS;
        ReplayIndex--;
      }
    } else if (ReplayIndex >= ReplayCount) {
      ReleaseGrab();
      ClearBoard();
      NextStepTime = now + PAUSE_MS;
      ReplayDirection = 0;
      ReplayIndex = ReplayCount - 1;
    } else {
      ShowReplayRecord(ReplayIndex);
      NextStepTime = now + STEP_MS;
      ReplayIndex++;
    }
  } else if (NextStepTime == 0 && !Blocks.empty()) {
    // Nothing to replay: the board stays empty.
    ReleaseGrab();
    ClearBoard();
  }

  if (Frame.LeftHit) LeaveVictoryScreen();
}

void VictoryKey(const KeyPress& press) {
  VictorySharingKey(press);
  if (press.Char == ' ') LeaveVictoryScreen();
}

void DrawVictoryScreen() {
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  DrawSpriteStretched(VictoryPicture, 0, 0, static_cast<float>(BOARD_COLUMNS * BlockSize),
                      static_cast<float>(BOARD_ROWS * BlockSize), 0);
  SetDrawScale(1, 1);
  SelectFont(LargeFont);
  for (const auto& line : VictoryLines) line->Draw();
  SelectFont(nullptr);
  SetDrawAlpha(1);
  SetDrawScale(1, 1);
  DrawVictorySharing();
  DrawBlinkingPointer();
}
