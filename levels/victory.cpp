#include "levels/victory.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/paths.h"
#include "app/pointer.h"
#include "board/block.h"
#include "effects/effects.h"
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

// The card's lines in order: the level, the verdict against the record,
// the time and the best time (or the record this win beat).
struct CardLine {
  std::string Text;
  int Colour;
};

std::vector<CardLine> CardLines() {
  const bool record = RecordTime > 0;
  std::vector<CardLine> lines;
  if (SharedLevelOnBoard()) {
    lines.push_back({SharedLevelTitle(), 0});
  } else if (CurrentLevel == -1) {
    // A random level's win counts in the random levels' own records: the
    // title says how many were won; the record below is its tier's best.
    std::string title = GetText("Random Level");
    if (RandomLevelOnBoard() && RandomScores.Wins > 0) title += " #" + std::to_string(RandomScores.Wins);
    lines.push_back({title, 0});
  } else {
    lines.push_back({"- " + LevelLabel(CurrentLevel + 1) + " -", 0});
  }
  if (record && WonTime < RecordTime) {
    lines.push_back({GetText("Congratulations"), 3});
    lines.push_back({GetText("New Record"), 3});
  } else if (record) {
    lines.push_back({GetText("Can Do Better"), 2});
  } else {
    lines.push_back({GetText("Well Done"), 2});
  }
  lines.push_back({GetText("Time") + FormatTime(WonTime / 1000), 0});
  if (record && WonTime > RecordTime) lines.push_back({GetText("Record") + FormatTime(RecordTime / 1000), 0});
  if (record && WonTime <= RecordTime) lines.push_back({GetText("Old Record") + FormatTime(RecordTime / 1000), 0});
  return lines;
}

// Each line centred on the card, one row apart, still; a line wider than the
// card (or than its row) is drawn smaller.
void AddLines() {
  const std::vector<CardLine> lines = CardLines();
  const T_VICTORY_CARD card = VictoryCard(static_cast<int>(lines.size()));
  SelectFont(LargeFont);
  const int pad = std::max(8, BlockSize / 6);
  const float rowScale = std::min(1.0f, static_cast<float>(card.LineStep) / static_cast<float>(std::max(1, FontHeight())));
  for (size_t i = 0; i < lines.size(); i++) {
    T_VICTORY_LINE* line = T_VICTORY_LINE::Add(lines[i].Text, 1, card.FirstLine + static_cast<int>(i) * card.LineStep, 0,
                                               lines[i].Colour);
    const int width = StringWidth(line->Text);
    const int room = card.W - 2 * pad;
    line->Scale = width > room ? std::min(rowScale, static_cast<float>(room) / static_cast<float>(width)) : rowScale;
    line->cX = card.X + (card.W - static_cast<int>(static_cast<float>(width) * line->Scale)) / 2;
    line->fX = static_cast<float>(line->cX);
  }
}

// Where the buttons of the card stand: the map on the reading side's start,
// the next level on its end.
bool PointerOnButton(const std::string& caption, int centreX) {
  const T_VICTORY_CARD card = VictoryCard(static_cast<int>(VictoryLines.size()));
  return InsideButton(caption, centreX, card.ButtonY, card.ButtonWidth, Frame.PointerX, Frame.PointerY);
}

bool HoverNext = false, HoverMap = false;

// A click or Space: the next level when the keyboard plays, else the map.
void LeaveVictoryScreen() {
  if (KeyboardMode != 0) {
    NextLevel();
  } else {
    SetScreen(SCREEN_LEVEL_MAP);
  }
}

// A click on a button does what it says; a click anywhere else does what
// Space does.
void ClickVictoryScreen() {
  const T_VICTORY_CARD card = VictoryCard(static_cast<int>(VictoryLines.size()));
  if (PointerOnButton(NextLevelCaption(), card.NextX)) {
    PlayEffect(ClickSound);
    NextLevel();
  } else if (PointerOnButton(LevelMapCaption(), card.MapX)) {
    PlayEffect(ClickSound);
    SetScreen(SCREEN_LEVEL_MAP);
  } else {
    LeaveVictoryScreen();
  }
}

// A card button and, on the first frame the pointer is over it, the hover
// sound; a finger leaves no hover behind.
void DrawCardButton(const std::string& caption, int centreX, const T_VICTORY_CARD& card, bool& wasHovered) {
  const bool hovered = !TouchMode && PointerOnButton(caption, centreX);
  DrawButton(caption, centreX, card.ButtonY, hovered, card.ButtonWidth);
  if (hovered && !wasHovered) PlayEffect(HoverSound);
  wasHovered = hovered;
}

}  // namespace

std::string NextLevelCaption() { return GetTextOr("Next Level", "Next Level"); }
std::string LevelMapCaption() { return GetTextOr("Level Map", "Level Map"); }

T_VICTORY_CARD VictoryCard(int lines) {
  T_VICTORY_CARD card;
  const int cell = BlockSize;
  const int pad = std::max(8, cell / 6);
  const int gap = cell / 4;
  const int buttonHeight = cell * 4 / 5;
  // Below the logo's letters, above the two foot lines (code and par).
  SelectFont(SmallFont);
  const int foot = 2 * (FontHeight() + 6);
  SelectFont(nullptr);
  const int top = LogoHeight() - cell / 5;
  const int bottom = BOARD_ROWS * cell - foot - cell / 8;
  const int room = bottom - top;
  const int count = std::max(1, lines);
  card.LineStep = std::max(1, std::min(LargeFontPixels(), (room - 2 * pad - gap - buttonHeight) / count));
  card.H = 2 * pad + count * card.LineStep + gap + buttonHeight;
  card.W = 7 * cell;
  card.X = (BOARD_COLUMNS * cell - card.W) / 2;
  card.Y = top + std::max(0, (room - card.H) / 2);
  card.FirstLine = card.Y + pad;
  card.ButtonY = card.Y + card.H - pad - buttonHeight / 2;
  card.ButtonWidth = (card.W - 2 * pad - gap) / 2;
  const int left = card.X + pad + card.ButtonWidth / 2, right = card.X + card.W - pad - card.ButtonWidth / 2;
  const bool rtl = LanguageReadsRightToLeft();
  card.MapX = rtl ? right : left;
  card.NextX = rtl ? left : right;
  return card;
}

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
  SetDrawScale(Scale, Scale);
  SetDrawColour(0, 0, 0);
  DrawString(Text, fx + SHADOW * Scale, fy + SHADOW * Scale);
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
  // A short burst of confetti from the card's lower corners as it shows.
  const T_VICTORY_CARD card = VictoryCard(static_cast<int>(VictoryLines.size()));
  const float y = static_cast<float>(card.Y + card.H);
  ThrowConfetti(static_cast<float>(card.X), y, 50, -1);
  ThrowConfetti(static_cast<float>(card.X + card.W), y, 50, 1);
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

  if (Frame.LeftHit) ClickVictoryScreen();
}

void VictoryKey(const KeyPress& press) {
  VictorySharingKey(press);
  if (press.Char == ' ') LeaveVictoryScreen();
}

void DrawVictoryScreen() {
  // The replay dimmed under the logo and the card.
  const float boardW = static_cast<float>(BOARD_COLUMNS * BlockSize), boardH = static_cast<float>(BOARD_ROWS * BlockSize);
  SetBlendMode(BLEND_ALPHA);
  SetDrawScale(1, 1);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.5f);
  FillRect(0, 0, boardW, boardH);
  SetDrawAlpha(1);
  SetDrawColour(255, 255, 255);
  DrawSpriteStretched(VictoryPicture, 0, 0, boardW, boardH, 0);
  const T_VICTORY_CARD card = VictoryCard(static_cast<int>(VictoryLines.size()));
  DrawPanel(card.X, card.Y, card.W, card.H);
  SelectFont(LargeFont);
  for (const auto& line : VictoryLines) line->Draw();
  SelectFont(nullptr);
  SetDrawAlpha(1);
  SetDrawScale(1, 1);
  DrawCardButton(LevelMapCaption(), card.MapX, card, HoverMap);
  DrawCardButton(NextLevelCaption(), card.NextX, card, HoverNext);
  DrawVictorySharing();
  DrawBlinkingPointer();
}
