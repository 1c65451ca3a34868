#include "levels/share_screens.h"

#include <algorithm>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "board/tile_styles.h"
#include "levels/code_card.h"
#include "levels/daily.h"
#include "levels/level_bank.h"
#include "levels/level_code.h"
#include "levels/level_lifecycle.h"
#include "levels/level_map.h"
#include "levels/level_par.h"
#include "levels/shared_level.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/editor.h"
#include "menus/text_box.h"
#include "persistence/custom_levels.h"
#include "persistence/daily_scores.h"
#include "play/undo.h"

namespace {

constexpr int64_t NOTICE_MS = 4000;
constexpr int WHOLE_CELL_FRAME = 29;
constexpr int PAR_COLOUR[3] = {150, 220, 255};  // a light blue, apart from the white times

std::string Notice;
int64_t NoticeEnd = 0;
std::string VictoryCode, VictoryResult;
int VictoryPar = 0, VictoryMoves = 0;

void Copy(const std::string& text) {
  if (!text.empty() && SetClipboardText(text)) ShowSharingNotice(GetText("Copied") + " " + text);
}

KindCells BankCells(int n) {
  KindCells cells{};
  for (int c = 0; c < GRID_CELLS; ++c) cells[c] = static_cast<int8_t>(LevelCellByte(n, c % 10, c / 10) - 1);
  return cells;
}

std::string ParText(int par) { return par > 0 ? GetText("Par") + " " + std::to_string(par) : ""; }

}  // namespace

void DrawFootLine(const std::string& text, int fromBottom) {
  SelectFont(SmallFont);
  const int w = StringWidth(text);
  const int h = FontHeight();
  const int boardWidth = BOARD_COLUMNS * BlockSize;
  const int y = BOARD_ROWS * BlockSize - (h + 6) * fromBottom;
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.6f);
  FillRect(0, static_cast<float>(y - 3), static_cast<float>(boardWidth), static_cast<float>(h + 6));
  SetDrawAlpha(1);
  if (w > boardWidth - 20) SetDrawScale(static_cast<float>(boardWidth - 20) / static_cast<float>(w), 1);
  const int x = std::max(10, (boardWidth - w) / 2);
  SetDrawColour(255, 255, 255);
  DrawString(text, static_cast<float>(x), static_cast<float>(y));
  SetDrawScale(1, 1);
  SelectFont(nullptr);
}

int64_t Today() { return UtcDayNumber(); }

void ShowSharingNotice(const std::string& text) {
  Notice = text;
  NoticeEnd = Frame.Now + NOTICE_MS;
}

void ClearSharingNotice() { NoticeEnd = 0; }

std::string CardCode(int n) {
  if (n >= 0 && n < LevelCount) return LevelCode(BankCells(n));
  if (IsDailyCard(n)) return LevelCode(DailyLevel(Today()).Cells);
  if (CustomCard(n) >= 0) return LevelCode(CustomLevels[CustomCard(n)].Cells);
  return "";
}

int CardPar(int n) {
  if (n >= 0 && n < LevelCount) return BankPar(n);
  if (IsDailyCard(n)) return SolutionSteps(DailyLevel(Today()).Solution);
  if (CustomCard(n) >= 0) return CustomLevels[CustomCard(n)].Par;
  return 0;
}

bool MapSharingKey(const KeyPress& press, int card) {
  const bool control = press.Control;
  if (press.Key == 'V' && control) {
    const std::string message = OpenLevelCode(GetClipboardText());
    if (message.empty()) return true;
    ShowSharingNotice(message);
  }
  if (press.Key == 'C' && card >= 0) Copy(CardCode(card));
  const int custom = CustomCard(card);
  if (press.Key == 'E' && custom >= 0) EditLevelCells(CustomLevels[custom].Cells);
  if (press.Key == 'D' && custom >= 0) {
    DeleteCustomLevel(custom);
    ShowSharingNotice(GetText("Editor Deleted"));
  }
  return false;
}

void DrawMapSharing(int card) {
  if (NoticeEnd > Frame.Now) {
    DrawFootLine(Notice, 1);
    return;
  }
  // The daily card's level is made only when it is played or copied.
  std::string line = GetText("Paste Hint");
  if (IsCodeCard(card) || CodeEntryOpen()) line = GetText("Code Entry Hint");
  if (CustomCard(card) >= 0) line = GetText("Custom Hint") + "   " + line;
  if ((card >= 0 && card < LevelCount) || CustomCard(card) >= 0) {
    line = ParText(CardPar(card)) + "   " + GetText("Code") + " " + CardCode(card) + "   " + GetText("Copy Hint") +
           "   " + line;
  }
  DrawFootLine(line, 1);
}

void DrawCardPar(int par, int x, int y) {
  if (par <= 0) return;
  const std::string text = ParText(par);
  // In the top-right corner, at the card's scale.
  SelectFont(SmallFont);
  const float s = CardTextScale();
  const float w = std::min(static_cast<float>(StringWidth(text)) * s, static_cast<float>(CardWidth()) / 2);
  const float tx = static_cast<float>(x + CardWidth()) - 8 * CardScale() - w, ty = static_cast<float>(y) + 8 * CardScale();
  SetDrawScale(w / static_cast<float>(std::max(1, StringWidth(text))), s);
  SetDrawColour(0, 0, 0);
  DrawString(text, tx + 2, ty + 2);
  SetDrawColour(PAR_COLOUR[0], PAR_COLOUR[1], PAR_COLOUR[2]);
  DrawString(text, tx, ty);
  SetDrawScale(1, 1);
  SetDrawColour(255, 255, 255);
  SelectFont(nullptr);
}

void DrawCustomCard(int x, int y, int i, int jx, int jy) {
  const CustomLevel& level = CustomLevels[i];
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  const bool current = SharedLevelOnBoard() && CurrentSharedLevel.Board == CUSTOM_BOARD && CurrentSharedLevel.Custom == i;
  DrawCardFrame(x, y, current);
  for (int cell = 0; cell < GRID_CELLS; ++cell) {
    if (level.Cells[cell] < 0) continue;
    DrawSpriteStretched(KindImage(level.Cells[cell]), static_cast<float>(x + CardThumbCell() * (cell % GRID_COLUMNS)),
                        static_cast<float>(y + CardThumbCell() * (cell / GRID_COLUMNS)), CardThumbCell(), CardThumbCell(),
                        WHOLE_CELL_FRAME);
  }
  DrawCardLabel(GetText("Editor") + " " + std::to_string(i + 1), x + jx, y + jy - CardHeight() / 5);
  if (level.BestTime > 0) {
    SelectFont(SmallFont);
    DrawCardLine(GetText("Best Time") + " " + FormatTime(level.BestTime), x + jx, y + jy + CardHeight() / 2 + static_cast<int>(10 * CardScale()));
  }
  DrawCardPar(level.Par, x + jx, y + jy);
  SetDrawColour(255, 255, 255);
  SelectFont(nullptr);
}

void DrawDailyCard(int x, int y, bool highlighted) {
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  DrawCardFrame(x, y, highlighted);
  // A calendar page of the six colours.
  for (int cell = 0; cell < GRID_CELLS; ++cell) {
    const int cx = cell % GRID_COLUMNS, cy = cell / GRID_COLUMNS;
    if (cx == 0 || cx == 9 || cy == 0 || cy == 7 || (cx + cy) % 2 != 0) continue;
    DrawSpriteStretched(KindImage((cx + cy * 3) % 6), static_cast<float>(x + CardThumbCell() * cx),
                        static_cast<float>(y + CardThumbCell() * cy), CardThumbCell(), CardThumbCell(), WHOLE_CELL_FRAME);
  }
  const int64_t today = Today();
  DrawCardLabel(GetText("Daily"), x, y - CardHeight() / 5);
  SelectFont(SmallFont);
  DrawCardLine(DayText(today), x, y + CardHeight() / 2 + static_cast<int>(10 * CardScale()));
  const DailyRecord record = DailyRecordOf(today);
  if (record.BestTime > 0) DrawCardLine(GetText("Best Time") + " " + FormatTime(record.BestTime), x, y + CardHeight() / 2 + static_cast<int>(40 * CardScale()));
  SelectFont(nullptr);
  SetDrawColour(255, 255, 255);
}

void PrepareVictorySharing() {
  KindCells cells{};
  VictoryCode = CurrentLevelCells(cells) ? LevelCode(cells) : "";
  VictoryPar = CurrentLevelPar();
  VictoryMoves = UndoRecordCount > 0 ? UndoRecordCount - 1 : 0;
  VictoryResult.clear();
  if (SharedLevelOnBoard() && CurrentSharedLevel.Board == DAILY_BOARD) {
    VictoryResult = DailyResultLine(CurrentSharedLevel.Day, VictoryMoves, WonTime / 1000);
  }
  NoticeEnd = 0;
}

void VictorySharingKey(const KeyPress& press) {
  if (press.Key == 'C') Copy(VictoryResult.empty() ? VictoryCode : VictoryResult);
}

void DrawVictorySharing() {
  if (NoticeEnd > Frame.Now) {
    DrawFootLine(Notice, 1);
  } else if (!VictoryResult.empty()) {
    DrawFootLine(VictoryResult + "   " + GetText("Copy Hint"), 1);
  } else if (!VictoryCode.empty()) {
    DrawFootLine(GetText("Code") + " " + VictoryCode + "   " + GetText("Copy Hint"), 1);
  }
  if (VictoryPar <= 0) return;
  std::string par = ParText(VictoryPar) + "   " + GetText("Moves") + " " + std::to_string(VictoryMoves);
  if (VictoryMoves < VictoryPar) par += "   " + GetText("Par Beaten");
  if (VictoryMoves == VictoryPar) par += "   " + GetText("Par Matched");
  DrawFootLine(par, 2);
}

const std::string& SharingNotice() { return Notice; }
