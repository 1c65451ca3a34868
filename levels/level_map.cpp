#include "levels/level_map.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/main_loop.h"
#include "app/pointer.h"
#include "app/settings.h"
#include "board/block.h"
#include "board/tile_styles.h"
#include "levels/code_card.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "levels/random_play.h"
#include "levels/level_par.h"
#include "levels/share_screens.h"
#include "levels/shared_level.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "menus/text_box.h"
#include "persistence/best_scores.h"
#include "persistence/custom_levels.h"
#include "persistence/random_scores.h"
#include "play/play_input.h"

float MapScroll = 0;
float ScrollVelocity = 0;
int MapDragging = 0;
int HoveredCard = -1;
int MapKeyCard = -1;
int64_t ZoomEnd = 0;
int ZoomCard[4] = {0, 0, 0, 0};
int ZoomLevel = -1;

namespace {

constexpr int TAP_DISTANCE = 8;        // a press moving this far is a drag
constexpr int64_t TAP_MS = 400;        // a press held this long is a drag
constexpr int WEB_ROW = 6;             // the web-site row, below few levels, above the foot line
constexpr int WEB_ROW_LEVELS = 10;     // shown while the bank has fewer levels
constexpr int WHOLE_CELL_FRAME = 29;   // the unshaped miniature of a tile strip
constexpr float WHEEL_STEP = 40;
constexpr float KEY_STEP = 20;
constexpr float PAGE_STEP = 200;
constexpr int RANDOM_COLOURS = 6;      // colours on the random card's picture

int PressX = 0, PressY = 0;
int PressScroll = 0;
int LastPointerY = 0;
std::string LastTimeText, BestTimeText;
// The random level the random card's zoom leads to, made after the choice.
RandomLevel ZoomRandomLevel;
// The random card whose level is being made, a slice a frame, before its
// zoom; -1 for none.
int MakingCard = -1;

// A card chosen is zooming or has its level made: no other choice now.
bool ChoiceUnderWay() { return ZoomEnd != 0 || MakingCard >= 0; }

int BoardWidth() { return BOARD_COLUMNS * BlockSize; }
int BoardHeight() { return BOARD_ROWS * BlockSize; }

// Mouse flush: queued presses, held buttons and the wheel, and this frame's
// copy of the button.
void FlushMouse() {
  ClearButtons();
  Frame.LeftHit = 0;
  Frame.LeftDown = false;
}

void ScrollByKeys(int lowest) {
  if (IsKeyDown(KEY_HOME)) MapScroll = 0;
  if (IsKeyDown(KEY_END)) MapScroll = static_cast<float>(lowest);
  if (IsKeyDown(KEY_DOWN)) MapScroll -= KEY_STEP;
  if (IsKeyDown(KEY_UP)) MapScroll += KEY_STEP;
  if (IsKeyDown(KEY_PAGE_DOWN)) MapScroll -= PAGE_STEP;
  if (IsKeyDown(KEY_PAGE_UP)) MapScroll += PAGE_STEP;
}

// Inertia, then the springs that pull the map back between its two rests.
void Coast(int lowest) {
  if (ScrollVelocity != 0) {
    MapScroll += ScrollVelocity;
    ScrollVelocity /= 1.05f;
    if (std::abs(ScrollVelocity) < 0.01f) ScrollVelocity = 0;
  }
  if (MapScroll >= 0) {
    if (ScrollVelocity > -MapScroll / 11) ScrollVelocity -= MapScroll / 220;
    if (MapScroll + ScrollVelocity < 0) ScrollVelocity = -MapScroll;
  }
  const float low = static_cast<float>(lowest);
  if (MapScroll <= low) {
    if (ScrollVelocity < (low - MapScroll) / 11) ScrollVelocity += (low - MapScroll) / 220;
    if (MapScroll + ScrollVelocity > low) ScrollVelocity = low - MapScroll;
  }
}

void StartDrag() {
  PressX = Frame.PointerX;
  PressY = Frame.PointerY;
  PressScroll = static_cast<int>(MapScroll);
  MapDragging = 1;
  ScrollVelocity = 0;
  LastPointerY = Frame.PointerY;
  PressTime = Frame.Now;
}

// The hover follows the pointer with a sound per new card. A finger leaves
// no hover behind, and with sounds off the cards stay still.
void UpdateHover() {
  const int n = CardAt(Frame.PointerX, Frame.PointerY);
  if (n < 0 || TouchMode) {
    HoveredCard = -1;
  } else if (n != HoveredCard && SoundFlag) {
    PlayEffect(HoverSound);
    HoveredCard = n;
  }
}

// Places card n's level (a bank level, or a new random one for the last
// card) and zooms into it from the card at (left, top).
void ZoomIntoPlacedLevel(int left, int top, int n) {
  PlayEffect(LevelStartSound);
  ZoomLevel = n;
  ReturnState = ScreenState;
  GrabLevelPicture(left, top, n);
  ClearKeyboard();
  MapKeyCard = -1;
}

// A bank level or the random level is placed for its picture only: it
// becomes the current level when the zoom ends. The Code card opens its
// entry, and chosen again with a code typed, plays that code.
void ChooseCard(int n, int left, int top) {
  if (IsCodeCard(n)) {
    if (!CodeEntryOpen()) {
      OpenCodeEntry();
    } else if (PlayCodeEntry()) {
      ZoomIntoPlacedLevel(left, top, -1);
    }
    return;
  }
  if (IsRandomCard(n)) {
    // The map keeps drawing while the level is made; the zoom starts from
    // the card once it is.
    MakingCard = n;
    StartRandomLevelMaker();
    return;
  }
  if (IsDailyCard(n)) {
    PlaceDailyLevel(Today());
  } else if (CustomCard(n) >= 0) {
    PlaceCustomLevel(CustomCard(n));
  } else {
    LoadLevel(n);
  }
  ZoomIntoPlacedLevel(left, top, n);
}

// A slice of the random card's level; once made, its cells are shown and
// the zoom starts from the card where it stands now.
void MakeCardLevelSlice() {
  if (MakingCard < 0 || !RunRandomLevelMaker()) return;
  const int n = MakingCard;
  MakingCard = -1;
  ZoomRandomLevel = MadeRandomLevel();
  ShowRandomCells(ZoomRandomLevel);
  int x = 0, y = 0;
  CardPosition(n, x, y);
  ZoomIntoPlacedLevel(x, y, n);
}

// The card the sharing keys and the foot line are about: the keyboard's,
// else the one under the pointer.
int SharingCard() {
  if (MapKeyCard >= 0) return MapKeyCard;
  return PointerInBoard() ? CardAt(Frame.PointerX, Frame.PointerY) : -1;
}

// The card under the pointer, as the tap found it.
void ChooseCardAtPointer(int n) {
  const int scroll = static_cast<int>(MapScroll);
  const int left = CardPitchX() * ((Frame.PointerX - CardMargin()) / CardPitchX()) + CardMargin();
  const int top = static_cast<int>(static_cast<float>(CardPitchY() * ((Frame.PointerY - scroll) / CardPitchY())) +
                                   MapScroll + CardMargin());
  ChooseCard(n, left, top);
}

// The level the zoom led to becomes the current one, placed afresh.
void StartZoomLevel() {
  ZoomEnd = 0;
  if (IsRandomCard(ZoomLevel)) {
    PlaceAndKeepRandomLevel(ZoomRandomLevel);
  } else if (ZoomLevel >= 0 && ZoomLevel < LevelCount) {
    CurrentLevel = ZoomLevel;
    LoadLevel(ZoomLevel);
  }
  StartLevel(1);
}

// The chosen level as it starts, with its label, drawn into the level
// picture off the screen.
void DrawZoomPicture() {
  BeginImageDrawing(LevelPicture);
  SetDrawScale(1, 1);
  SetBlendMode(BLEND_SOLID);
  SetDrawColour(255, 255, 255);
  DrawSpriteStretched(PlayBackground, 0, 0, static_cast<float>(BoardWidth()), static_cast<float>(BoardHeight()), 0);
  T_BLOCK::DrawAll();
  DrawLevelLabel(ZoomLevel >= 0 && ZoomLevel < LevelCount ? ZoomLevel : -1, 1);
  EndImageDrawing();
  SetDrawColour(255, 255, 255);
  SetBlendMode(BLEND_ALPHA);
}

void SetZoomCard(int left, int top) {
  ZoomCard[0] = left;
  ZoomCard[1] = top;
  ZoomCard[2] = left + CardWidth() - 1;
  ZoomCard[3] = top + CardHeight() - 1;
}

// Scrolls just enough for the whole of card n to show.
void ScrollToCard(int n) {
  int x = 0, y = 0;
  CardPosition(n, x, y);
  if (y < 0) MapScroll -= static_cast<float>(y - CardMargin());
  if (y + CardHeight() > ScreenHeight) MapScroll -= static_cast<float>(y + CardHeight() + CardMargin() - ScreenHeight);
}

}  // namespace

// The keyboard's card: Left and Right move it (the first press shows it on
// the current level's card), Enter or Space chooses it.
void MapKey(const KeyPress& press) {
  if (CodeEntryOpen()) {
    if (CodeEntryKey(press) && !ChoiceUnderWay()) {
      int x = 0, y = 0;
      CardPosition(MapCardCount() - 1, x, y);
      ZoomIntoPlacedLevel(x, y, -1);
    }
    return;
  }
  if (MapSharingKey(press, SharingCard())) {
    if (!ChoiceUnderWay())
      ZoomIntoPlacedLevel(BoardWidth() / 2 - CardWidth() / 2, ScreenHeight / 2 - CardHeight() / 2, -1);
    return;
  }
  const int step = press.Key == KEY_RIGHT ? 1 : press.Key == KEY_LEFT ? -1 : 0;
  const bool confirm = press.Key == KEY_ENTER || press.Key == KEY_SPACE;
  if (step != 0 || (confirm && MapKeyCard < 0)) {
    if (MapKeyCard < 0) {
      MapKeyCard = CurrentLevel >= 0 && CurrentLevel < LevelCount ? CurrentLevel : 0;
    } else {
      MapKeyCard = std::clamp(MapKeyCard + step, 0, MapCardCount() - 1);
    }
    ScrollToCard(MapKeyCard);
    return;
  }
  if (confirm && !ChoiceUnderWay()) {
    int x = 0, y = 0;
    CardPosition(MapKeyCard, x, y);
    ChooseCard(MapKeyCard, x, y);
  }
}

namespace {

void EndDrag(int lowest) {
  const bool tap = PointerInBoard() && std::abs(PressX - Frame.PointerX) < TAP_DISTANCE &&
                   std::abs(PressY - Frame.PointerY) < TAP_DISTANCE && Frame.Now - PressTime < TAP_MS;
  if (tap) {
    if (LevelCount < WEB_ROW_LEVELS) ClickWebRow(WebRowTop());
    const int n = CardAt(Frame.PointerX, Frame.PointerY);
    // A tap away from the Code card closes its entry.
    if (!IsCodeCard(n)) CloseCodeEntry();
    if (!ChoiceUnderWay() && n >= 0) ChooseCardAtPointer(n);
  }
  FlushMouse();
  const float low = static_cast<float>(lowest);
  if (MapScroll > 0) ScrollVelocity = -MapScroll / 11;
  if (MapScroll <= low) ScrollVelocity = (low - MapScroll) / 11;
  MapDragging = 0;
}

// The hovered card stands a little higher, over a deeper shadow.
int HoverLift() { return std::max(2, BlockSize / 16); }

void DrawLiftShadow(int x, int y) {
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.35f);
  const int lift = HoverLift();
  FillRoundedRect(static_cast<float>(x + lift), static_cast<float>(y + 2 * lift), static_cast<float>(CardWidth()),
                  static_cast<float>(CardHeight()), static_cast<float>(lift * 2));
  SetDrawAlpha(1);
}

// A small rounded badge with text in the top-left corner of the card;
// returns its right edge.
float DrawNumberBadge(const std::string& label, int x, int y) {
  SelectFont(SmallFont);
  const float s = CardTextScale();
  const float pad = 6 * CardScale();
  const float w = static_cast<float>(StringWidth(label)) * s + 2 * pad;
  const float h = static_cast<float>(FontHeight()) * s + pad;
  const float bx = static_cast<float>(x) + 6 * CardScale(), by = static_cast<float>(y) + 6 * CardScale();
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(PANEL_RED, PANEL_GREEN, PANEL_BLUE);
  SetDrawAlpha(PANEL_ALPHA);
  FillRoundedRect(bx, by, w, h, h / 3);
  SetDrawAlpha(1);
  SetDrawColour(255, 255, 255);
  SetDrawScale(s, s);
  DrawString(label, std::round(bx + pad), std::round(by + pad / 2));
  SetDrawScale(1, 1);
  return bx + w;
}

// A won level's mark: a green disc with a white tick, left at x, beside the
// number's badge of the card at height y.
void DrawWonMark(float bx, int y) {
  const float d = 34 * CardScale();
  const float by = static_cast<float>(y) + 6 * CardScale();
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.3f);
  FillRoundedRect(bx + 1, by + 2, d, d, d / 2);
  SetDrawAlpha(1);
  SetDrawColour(46, 160, 67);
  FillRoundedRect(bx, by, d, d, d / 2);
  // The tick: two strokes of small squares, down-right then up-right.
  SetDrawColour(255, 255, 255);
  const float t = std::max(2.0f, d / 8);
  const float x0 = bx + d * 0.25f, y0 = by + d * 0.52f;
  const float x1 = bx + d * 0.42f, y1 = by + d * 0.70f;
  const float x2 = bx + d * 0.76f, y2 = by + d * 0.32f;
  for (float f = 0; f <= 1.0f; f += 0.5f / (x1 - x0 + 1))
    FillRect(std::round(x0 + (x1 - x0) * f - t / 2), std::round(y0 + (y1 - y0) * f - t / 2), t, t);
  for (float f = 0; f <= 1.0f; f += 0.5f / (x2 - x1 + 1))
    FillRect(std::round(x1 + (x2 - x1) * f - t / 2), std::round(y1 + (y2 - y1) * f - t / 2), t, t);
}

// The record lines of a won card on a dark strip along its bottom: the last
// time and, once there is one, the best time; the label stays in its badge.
void DrawCardTimes(const std::string& label, int last, int best, int x, int y) {
  const float lineHeight = 30 * CardTextScale();
  const int lines = best != 0 ? 2 : 1;
  const float strip = lineHeight * static_cast<float>(lines) + 8 * CardScale();
  const float top = static_cast<float>(y + CardHeight()) - strip;
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(PANEL_RED, PANEL_GREEN, PANEL_BLUE);
  SetDrawAlpha(PANEL_ALPHA);
  FillRect(static_cast<float>(x), top, static_cast<float>(CardWidth()), strip);
  SetDrawAlpha(1);
  SelectFont(SmallFont);
  const int first = static_cast<int>(top + 4 * CardScale());
  DrawCardLine(LastTimeText + " " + FormatTime(last), x, first);
  if (best != 0) DrawCardLine(BestTimeText + " " + FormatTime(best), x, first + static_cast<int>(lineHeight));
  DrawWonMark(DrawNumberBadge(label, x, y) + 4 * CardScale(), y);
}

// The random card: a scatter of pieces of every colour for a picture, its
// label, and once a random level was won, the last time and the best time
// of the tier the next random level comes from.
void DrawRandomCard(int x, int y) {
  DrawCardFrame(x, y, RandomLevelOnBoard());
  for (int cell = 0; cell < BOARD_COLUMNS * BOARD_ROWS; ++cell) {
    const int cx = cell % BOARD_COLUMNS, cy = cell / BOARD_COLUMNS;
    if ((cx * 3 + cy * 5) % 7 > 1) continue;
    DrawSpriteStretched(KindImage((cx + 2 * cy) % RANDOM_COLOURS), static_cast<float>(x + CardThumbCell() * cx),
                        static_cast<float>(y + CardThumbCell() * cy), CardThumbCell(), CardThumbCell(), WHOLE_CELL_FRAME);
  }
  const std::string label = GetText("Random");
  if (RandomScores.Wins == 0) {
    DrawCardLabel(label, x, y);
  } else {
    DrawCardTimes(label, RandomScores.LastTime, RandomScores.BestTime[LastWonRandomTier()], x, y);
  }
  SetDrawColour(255, 255, 255);
  SelectFont(nullptr);
}

}  // namespace

float CardScale() { return static_cast<float>(CardWidth()) / 200.0f; }

void DrawCardFrame(int x, int y, bool current) {
  const float k = CardScale();
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  SetDrawAlpha(1);
  Image* frame = current ? LevelCardHighlighted : LevelCard;
  DrawSpriteStretched(frame, static_cast<float>(x) - 30 * k, static_cast<float>(y) - 30 * k,
                      static_cast<float>(ImageWidth(frame)) * k, static_cast<float>(ImageHeight(frame)) * k, 0);
}

float CardTextScale() { return 0.8f * CardScale(); }

int CardThumbCell() { return std::max(1, BlockSize / 5); }
int CardWidth() { return 10 * CardThumbCell(); }
int CardHeight() { return 8 * CardThumbCell(); }
int CardPitchX() { return BOARD_COLUMNS * BlockSize / MAP_COLUMNS; }
int CardPitchY() { return CardHeight() + CardPitchX() - CardWidth(); }
int CardMargin() { return (CardPitchX() - CardWidth()) / 2; }

int MapCardCount() { return LevelCount + static_cast<int>(CustomLevels.size()) + 3; }

bool IsRandomCard(int n) { return n == LevelCount + static_cast<int>(CustomLevels.size()); }

bool IsDailyCard(int n) { return n == LevelCount + static_cast<int>(CustomLevels.size()) + 1; }

bool IsCodeCard(int n) { return n == MapCardCount() - 1; }

int CustomCard(int n) {
  const int i = n - LevelCount;
  return i >= 0 && i < static_cast<int>(CustomLevels.size()) ? i : -1;
}

void CardPosition(int n, int& x, int& y) {
  x = CardMargin();
  y = static_cast<int>(MapScroll + CardMargin());
  if (n <= 0) return;
  x += CardPitchX() * (n % MAP_COLUMNS);
  y += CardPitchY() * (n / MAP_COLUMNS);
}

int LowestMapScroll() {
  const int cards = CardPitchY() * ((MapCardCount() + MAP_COLUMNS - 1) / MAP_COLUMNS);
  // A web-site row pushed below the cards needs room to be scrolled to,
  // above the foot line.
  const bool rowBelow = LevelCount < WEB_ROW_LEVELS && cards + CardMargin() > WEB_ROW * BlockSize;
  return ScreenHeight - cards - (rowBelow ? CardMargin() + BlockSize * 3 / 2 : 0);
}

int WebRowTop() {
  int x = 0, y = 0;
  CardPosition(MapCardCount() - 1, x, y);
  return std::max(WEB_ROW * BlockSize, y + CardHeight() + CardMargin());
}

int CardAt(int px, int py) {
  const int scroll = static_cast<int>(MapScroll);
  const int column = (px - CardMargin()) / CardPitchX();
  const int n = column + ((py - scroll) / CardPitchY()) * MAP_COLUMNS;
  if (column >= MAP_COLUMNS || n < 0 || n >= MapCardCount() || static_cast<float>(py) < MapScroll) return -1;
  return n;
}

void EnterLevelMap() {
  LastTimeText = GetText("Last Time");
  BestTimeText = GetText("Best Time");
  LevelCount = BufferSize(LevelBank) / LEVEL_RECORD_SIZE;
  ScreenState = SCREEN_LEVEL_MAP;
  LoadSideBarIcons(ICON_SET_SUB_SCREEN);
  ReturnState = SCREEN_MAIN_MENU;
  MapKeyCard = -1;
  CloseCodeEntry();
  ClearSharingNotice();
}

void UpdateLevelMap() {
  MakeCardLevelSlice();
  const int lowest = LowestMapScroll();
  ScrollByKeys(lowest);
  const int wheel = WheelPosition();
  if (wheel != 0) {
    MapScroll += static_cast<float>(wheel) * WHEEL_STEP;
    FlushMouse();
  }
  if (MapDragging == 0) {
    Coast(lowest);
    if (PointerInBoard()) {
      if (Frame.LeftHit) StartDrag();
      UpdateHover();
    } else {
      HoveredCard = -1;
    }
  } else if (Frame.LeftDown) {
    MapScroll = static_cast<float>(PressScroll + (Frame.PointerY - PressY));
    ScrollVelocity = static_cast<float>(Frame.PointerY - LastPointerY);
    LastPointerY = Frame.PointerY;
  } else {
    EndDrag(lowest);
  }
}

void DrawLevelMap() {
  if (LevelCount < WEB_ROW_LEVELS) DrawWebRow(WebRowTop());
  int x = 0, y = 0;
  for (int n = 0; n < MapCardCount(); ++n) {
    CardPosition(n, x, y);
    if (y >= ScreenHeight) break;
    if (y < -CardPitchY()) continue;
    // The hovered card stands a little higher, over a deeper shadow.
    if (n == HoveredCard) {
      DrawLiftShadow(x, y);
      y -= HoverLift();
    }
    DrawLevelCard(x, y, n);
  }
  // The keyboard's card carries the pointer, as the board's keyboard cursor.
  if (MapKeyCard >= 0) {
    CardPosition(MapKeyCard, x, y);
    DrawPointerAt(PointerImage, x + CardWidth() / 2, y + CardHeight() / 2);
  }
  DrawMapSharing(SharingCard());
  if (MakingCard >= 0) DrawRandomLevelMaking();
}

void DrawLevelCard(int x, int y, int n) {
  if (IsRandomCard(n)) {
    DrawRandomCard(x, y);
    return;
  }
  if (IsCodeCard(n)) {
    DrawCodeCard(x, y);
    return;
  }
  if (IsDailyCard(n)) {
    DrawDailyCard(x, y, SharedLevelOnBoard() && BoardLevel == DAILY_BOARD);
    return;
  }
  if (CustomCard(n) >= 0) {
    DrawCustomCard(x, y, CustomCard(n), 0, 0);
    return;
  }
  const std::string label = LevelLabel(n + 1);
  const int link = RecordLink(n);

  DrawCardFrame(x, y, n == CurrentLevel);
  for (int cell = 0; cell < BOARD_COLUMNS * BOARD_ROWS; ++cell) {
    const int cx = cell % BOARD_COLUMNS, cy = cell / BOARD_COLUMNS;
    const int v = LevelCellByte(n, cx, cy);
    if (v == 0) continue;
    const int px = x + CardThumbCell() * cx, py = y + CardThumbCell() * cy;
    if (DetailedThumbnailsOn) {
      DrawCardCell(px, py, v - 1, n, cell);
    } else {
      DrawSpriteStretched(KindImage(v - 1), static_cast<float>(px), static_cast<float>(py), CardThumbCell(),
                          CardThumbCell(), WHOLE_CELL_FRAME);
    }
  }

  if (link == 0) {
    DrawNumberBadge(label, x, y);
  } else {
    DrawCardTimes(label, RecordLastTime(link), RecordBestTime(link), x, y);
  }
  DrawCardPar(BankPar(n), x, y);
  SetDrawColour(255, 255, 255);
  SelectFont(nullptr);
}

void DrawCardLine(const std::string& text, int x, int y) {
  const float s = CardTextScale();
  const float widest = static_cast<float>(CardWidth()) * 0.94f;
  const float w = static_cast<float>(StringWidth(text)) * s;
  const float sx = w > widest ? s * widest / w : s;
  SetDrawScale(sx, s);
  SetDrawColour(255, 255, 255);
  DrawString(text, std::round(static_cast<float>(x + CardWidth() / 2) - std::min(w, widest) / 2),
             static_cast<float>(y));
  SetDrawScale(1, 1);
}

void DrawCardLabel(const std::string& label, int x, int y) {
  // A pill in the middle of the card, in the small font at the card's scale.
  SelectFont(SmallFont);
  const float s = CardTextScale();
  const float w = std::min(static_cast<float>(StringWidth(label)) * s, static_cast<float>(CardWidth()) * 0.8f);
  const float h = static_cast<float>(FontHeight()) * s;
  const float pad = 8 * CardScale();
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(PANEL_RED, PANEL_GREEN, PANEL_BLUE);
  SetDrawAlpha(PANEL_ALPHA);
  FillRoundedRect(static_cast<float>(x + CardWidth() / 2) - w / 2 - pad, static_cast<float>(y + CardHeight() / 2) - h / 2 - pad / 2,
                  w + 2 * pad, h + pad, (h + pad) / 2);
  SetDrawAlpha(1);
  DrawCardLine(label, x, static_cast<int>(static_cast<float>(y + CardHeight() / 2) - h / 2));
}

void DrawCardCell(int x, int y, int colour, int n, int cell) {
  Image* strip = KindImage(colour);
  if (strip == nullptr) return;
  const int cx = cell % BOARD_COLUMNS, cy = cell / BOARD_COLUMNS;
  const float Q = static_cast<float>(CardThumbCell()) / 2;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  DrawSpriteStretched(strip, fx, fy, Q, Q, LevelFrameByte(n, cx, cy, 0));
  DrawSpriteStretched(strip, fx + Q, fy, Q, Q, LevelFrameByte(n, cx, cy, 1));
  DrawSpriteStretched(strip, fx + Q, fy + Q, Q, Q, LevelFrameByte(n, cx, cy, 2));
  DrawSpriteStretched(strip, fx, fy + Q, Q, Q, LevelFrameByte(n, cx, cy, 3));
}

void CreateLevelPicture() {
  FreeImage(LevelPicture);
  LevelPicture = CreateTargetImage(BoardWidth(), BoardHeight());
  // A zoom under way goes on with the picture, and from the card, at the
  // new size.
  if (ZoomEnd != 0) {
    T_BLOCK::PosAllBlocks();
    if (ZoomLevel >= 0) {
      int x = 0, y = 0;
      CardPosition(ZoomLevel, x, y);
      SetZoomCard(x, y);
    }
    DrawZoomPicture();
  }
}

void GrabLevelPicture(int left, int top, int n) {
  ZoomLevel = n;
  SetZoomCard(left, top);
  DrawZoomPicture();
  ZoomEnd = Frame.Now + ZOOM_MS;
}

void DrawLevelZoom() {
  if (ZoomEnd == 0) return;
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  if (Frame.Now >= ZoomEnd) {
    StartZoomLevel();
    DrawSpriteStretched(LevelPicture, 0, 0, static_cast<float>(BoardWidth()), static_cast<float>(BoardHeight()), 0);
    return;
  }
  const int64_t r = ZoomEnd - Frame.Now;
  const int64_t w = BoardWidth(), h = ScreenHeight;
  const int64_t left = ZoomCard[0] * r / ZOOM_MS;
  const int64_t top = ZoomCard[1] * r / ZOOM_MS;
  const int64_t right = w - (w - ZoomCard[2]) * r / ZOOM_MS;
  const int64_t bottom = h - (h - ZoomCard[3]) * r / ZOOM_MS;
  DrawSpriteStretched(LevelPicture, static_cast<float>(left), static_cast<float>(top),
                      static_cast<float>(right - left - 1), static_cast<float>(bottom - top - 1), 0);
}

void CancelLevelZoom() {
  // The board keeps the chosen level's cells, but they are no level's: only
  // the level's start makes them one.
  if (ZoomEnd != 0 && BoardLevel == ZoomLevel) BoardLevel = -1;
  ZoomEnd = 0;
  // A random level still being made for the map is not wanted any more.
  if (MakingCard >= 0) StopMakingRandomLevel();
  MakingCard = -1;
}
