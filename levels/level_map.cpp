#include "levels/level_map.h"

#include <algorithm>
#include <cstdlib>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/main_loop.h"
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
constexpr int WEB_ROW = 7;             // the web-site row, below few levels
constexpr int WEB_ROW_LEVELS = 10;     // shown while the bank has fewer levels
constexpr int LINE_WIDTH = 190;        // widest text line on a card
constexpr int THUMB_CELL = 20;         // a board cell on a card picture
constexpr int WHOLE_CELL_FRAME = 29;   // the unshaped miniature of a tile strip
constexpr float WHEEL_STEP = 40;
constexpr float KEY_STEP = 20;
constexpr float PAGE_STEP = 200;
constexpr int RANDOM_COLOURS = 6;      // colours on the random card's picture

int PressX = 0, PressY = 0;
int PressScroll = 0;
int LastPointerY = 0;
std::string LastTimeText, BestTimeText;
// The random level the random card's zoom leads to, made at the choice.
RandomLevel ZoomRandomLevel;

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
    ZoomRandomLevel = MakeRandomLevel();
    ShowRandomCells(ZoomRandomLevel);
  } else if (IsDailyCard(n)) {
    PlaceDailyLevel(Today());
  } else if (CustomCard(n) >= 0) {
    PlaceCustomLevel(CustomCard(n));
  } else {
    LoadLevel(n);
  }
  ZoomIntoPlacedLevel(left, top, n);
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
  const int left = CARD_PITCH_X * ((Frame.PointerX - CARD_MARGIN) / CARD_PITCH_X) + CARD_MARGIN;
  const int top = static_cast<int>(static_cast<float>(CARD_PITCH_Y * ((Frame.PointerY - scroll) / CARD_PITCH_Y)) +
                                   MapScroll + CARD_MARGIN);
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
  ZoomCard[2] = left + CARD_WIDTH - 1;
  ZoomCard[3] = top + CARD_HEIGHT - 1;
}

// Scrolls just enough for the whole of card n to show.
void ScrollToCard(int n) {
  int x = 0, y = 0;
  CardPosition(n, x, y);
  if (y < 0) MapScroll -= static_cast<float>(y - CARD_MARGIN);
  if (y + CARD_HEIGHT > ScreenHeight) MapScroll -= static_cast<float>(y + CARD_HEIGHT + CARD_MARGIN - ScreenHeight);
}

}  // namespace

// The keyboard's card: Left and Right move it (the first press shows it on
// the current level's card), Enter or Space chooses it.
void MapKey(const KeyPress& press) {
  if (CodeEntryOpen()) {
    if (CodeEntryKey(press) && ZoomEnd == 0) {
      int x = 0, y = 0;
      CardPosition(MapCardCount() - 1, x, y);
      ZoomIntoPlacedLevel(x, y, -1);
    }
    return;
  }
  if (MapSharingKey(press, SharingCard())) {
    if (ZoomEnd == 0)
      ZoomIntoPlacedLevel(BoardWidth() / 2 - CARD_WIDTH / 2, ScreenHeight / 2 - CARD_HEIGHT / 2, -1);
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
  if (confirm && ZoomEnd == 0) {
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
    if (LevelCount < WEB_ROW_LEVELS) ClickWebRow(WEB_ROW);
    const int n = CardAt(Frame.PointerX, Frame.PointerY);
    // A tap away from the Code card closes its entry.
    if (!IsCodeCard(n)) CloseCodeEntry();
    if (ZoomEnd == 0 && n >= 0) ChooseCardAtPointer(n);
  }
  FlushMouse();
  const float low = static_cast<float>(lowest);
  if (MapScroll > 0) ScrollVelocity = -MapScroll / 11;
  if (MapScroll <= low) ScrollVelocity = (low - MapScroll) / 11;
  MapDragging = 0;
}

// Text drawn over its black shadow when shadows are on.
void DrawShadowedText(const std::string& text, int x, int y, int shadow) {
  if (ShadowsOn) {
    SetDrawColour(0, 0, 0);
    DrawString(text, static_cast<float>(x + shadow), static_cast<float>(y + shadow));
  }
  SetDrawColour(255, 255, 255);
  DrawString(text, static_cast<float>(x), static_cast<float>(y));
}

// The record lines over a card, shifted by the hover's jitter: its label,
// then the last time and, once there is one, the best time.
void DrawCardTimes(const std::string& label, int last, int best, int x, int y, int jx, int jy) {
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.5f);
  FillRect(static_cast<float>(x), static_cast<float>(y), CARD_WIDTH, CARD_HEIGHT);
  SetDrawAlpha(1);
  SelectFont(SmallFont);
  int line = y + 2 + jy;
  DrawCardLine("- " + label + " -", x + jx, line);
  if (best == 0) line += 15;
  DrawCardLine(LastTimeText, x + jx, line += 30);
  DrawCardLine(FormatTime(last), x + jx, line += 30);
  if (best != 0) {
    DrawCardLine(BestTimeText, x + jx, line += 30);
    DrawCardLine(FormatTime(best), x + jx, line += 30);
  }
}

// The random card: a scatter of pieces of every colour for a picture, its
// label, and once a random level was won, the last time and the best time
// of the tier the next random level comes from.
void DrawRandomCard(int x, int y, int jx, int jy) {
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  DrawSprite(RandomLevelOnBoard() ? LevelCardHighlighted : LevelCard, static_cast<float>(x - 30),
             static_cast<float>(y - 30), 0);
  for (int cell = 0; cell < BOARD_COLUMNS * BOARD_ROWS; ++cell) {
    const int cx = cell % BOARD_COLUMNS, cy = cell / BOARD_COLUMNS;
    if ((cx * 3 + cy * 5) % 7 > 1) continue;
    DrawSpriteStretched(KindImage((cx + 2 * cy) % RANDOM_COLOURS), static_cast<float>(x + THUMB_CELL * cx),
                        static_cast<float>(y + THUMB_CELL * cy), THUMB_CELL, THUMB_CELL, WHOLE_CELL_FRAME);
  }
  const std::string label = GetText("Random");
  if (RandomScores.Wins == 0) {
    DrawCardLabel(label, x + jx, y + jy);
  } else {
    DrawCardTimes(label, RandomScores.LastTime, RandomScores.BestTime[LastWonRandomTier()], x, y, jx, jy);
  }
  SetDrawColour(255, 255, 255);
  SelectFont(nullptr);
}

}  // namespace

int MapCardCount() { return LevelCount + static_cast<int>(CustomLevels.size()) + 3; }

bool IsRandomCard(int n) { return n == LevelCount + static_cast<int>(CustomLevels.size()); }

bool IsDailyCard(int n) { return n == LevelCount + static_cast<int>(CustomLevels.size()) + 1; }

bool IsCodeCard(int n) { return n == MapCardCount() - 1; }

int CustomCard(int n) {
  const int i = n - LevelCount;
  return i >= 0 && i < static_cast<int>(CustomLevels.size()) ? i : -1;
}

void CardPosition(int n, int& x, int& y) {
  x = CARD_MARGIN;
  y = static_cast<int>(MapScroll + CARD_MARGIN);
  for (int i = 0; i < n; ++i) {
    x += CARD_PITCH_X;
    if (x >= ScreenWidth - CARD_PITCH_X) {
      x = CARD_MARGIN;
      y += CARD_PITCH_Y;
    }
  }
}

int LowestMapScroll() {
  const int perRow = ScreenWidth / CARD_PITCH_X;
  if (perRow <= 0) return ScreenHeight;
  return ScreenHeight - CARD_PITCH_Y * ((MapCardCount() + perRow - 1) / perRow);
}

int CardAt(int px, int py) {
  const int scroll = static_cast<int>(MapScroll);
  const int n = (px - CARD_MARGIN) / CARD_PITCH_X + ((py - scroll) / CARD_PITCH_Y) * (BoardWidth() / CARD_PITCH_X);
  if (n < 0 || n >= MapCardCount() || static_cast<float>(py) < MapScroll) return -1;
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
  if (LevelCount < WEB_ROW_LEVELS) DrawWebRow(WEB_ROW);
  int x = CARD_MARGIN;
  int y = static_cast<int>(MapScroll + CARD_MARGIN);
  for (int n = 0; n < MapCardCount(); ++n) {
    if (y >= -CARD_PITCH_Y) DrawLevelCard(x, y, n);
    x += CARD_PITCH_X;
    if (x >= ScreenWidth - CARD_PITCH_X) {
      x = CARD_MARGIN;
      y += CARD_PITCH_Y;
      if (y >= ScreenHeight) break;
    }
  }
  // The keyboard's card carries the pointer, as the board's keyboard cursor.
  if (MapKeyCard >= 0) {
    CardPosition(MapKeyCard, x, y);
    SetBlendMode(BLEND_ALPHA);
    SetDrawColour(255, 255, 255);
    SetDrawAlpha(0.7f);
    DrawSprite(PointerImage, static_cast<float>(x + CARD_WIDTH / 2 - 85), static_cast<float>(y + CARD_HEIGHT / 2 - 50), 0);
    SetDrawAlpha(1);
  }
  DrawMapSharing(SharingCard());
}

void DrawLevelCard(int x, int y, int n) {
  int jx = 0, jy = 0;
  if (n == HoveredCard) {
    jx = RandomInt(-1, 1);
    jy = RandomInt(-1, 1);
  }
  if (IsRandomCard(n)) {
    DrawRandomCard(x, y, jx, jy);
    return;
  }
  if (IsCodeCard(n)) {
    DrawCodeCard(x, y, jx, jy);
    return;
  }
  if (IsDailyCard(n)) {
    DrawDailyCard(x + jx, y + jy, SharedLevelOnBoard() && BoardLevel == DAILY_BOARD);
    return;
  }
  if (CustomCard(n) >= 0) {
    DrawCustomCard(x, y, CustomCard(n), jx, jy);
    return;
  }
  const std::string label = LevelLabel(n + 1);
  const int link = RecordLink(n);

  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  DrawSprite(n == CurrentLevel ? LevelCardHighlighted : LevelCard, static_cast<float>(x - 30),
             static_cast<float>(y - 30), 0);
  for (int cell = 0; cell < BOARD_COLUMNS * BOARD_ROWS; ++cell) {
    const int cx = cell % BOARD_COLUMNS, cy = cell / BOARD_COLUMNS;
    const int v = LevelCellByte(n, cx, cy);
    if (v == 0) continue;
    const int px = x + THUMB_CELL * cx, py = y + THUMB_CELL * cy;
    if (DetailedThumbnailsOn) {
      DrawCardCell(px, py, v - 1, n, cell);
    } else {
      DrawSpriteStretched(KindImage(v - 1), static_cast<float>(px), static_cast<float>(py), THUMB_CELL,
                          THUMB_CELL, WHOLE_CELL_FRAME);
    }
  }

  if (link == 0) {
    DrawCardLabel(label, x + jx, y + jy);
  } else {
    DrawCardTimes(label, RecordLastTime(link), RecordBestTime(link), x, y, jx, jy);
  }
  DrawCardPar(BankPar(n), x + jx, y + jy);
  SetDrawColour(255, 255, 255);
  SelectFont(nullptr);
}

void DrawCardLine(const std::string& text, int x, int y) {
  int w = StringWidth(text);
  if (w > LINE_WIDTH) {
    SetDrawScale(static_cast<float>(LINE_WIDTH) / static_cast<float>(w), 1);
    w = LINE_WIDTH;
  }
  const int tx = static_cast<int>(static_cast<float>(x) + CARD_WIDTH / 2 - static_cast<float>(w) / 2);
  DrawShadowedText(text, tx, y, 2);
  SetDrawScale(1, 1);
}

void DrawCardLabel(const std::string& label, int x, int y) {
  SelectFont(LargeFont);
  int w = StringWidth(label);
  const int h = FontHeight();
  if (w > LINE_WIDTH) {
    SetDrawScale(static_cast<float>(LINE_WIDTH) / static_cast<float>(w), 1);
    w = LINE_WIDTH;
  }
  DrawShadowedText(label, x + CARD_WIDTH / 2 - w / 2, y + CARD_HEIGHT / 2 - h / 2, 4);
  SetDrawScale(1, 1);
}

void DrawCardCell(int x, int y, int colour, int n, int cell) {
  Image* strip = KindImage(colour);
  if (strip == nullptr) return;
  const int cx = cell % BOARD_COLUMNS, cy = cell / BOARD_COLUMNS;
  constexpr float Q = THUMB_CELL / 2;
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
}
