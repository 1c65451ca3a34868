#include "menus/side_bar.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/music.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "levels/random_play.h"
#include "levels/shared_level.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/screens.h"
#include "menus/text_box.h"
#include "play/undo.h"

T_ICON SideBarIcons[SIDE_BAR_SLOTS];
int HoveredSlot = -1;
int64_t RestartConfirmEnd = 0;
int64_t MusicDoubleClickEnd = 0;

namespace {

constexpr int ICON_SIZE = 48;  // the visible part of a 64 x 64 icon frame
constexpr int64_t BANNER_MS = 2000;

int SideBarLeft() { return BOARD_COLUMNS * BlockSize; }

// Top-left corner of the icon picture of a slot.
float IconX() { return static_cast<float>(SideBarLeft()); }
float IconY(int slot) { return static_cast<float>(slot * BlockSize + (BlockSize - ICON_SIZE) / 2); }

bool PointerInSideBar() {
  const int x = Frame.PointerX, y = Frame.PointerY;
  return x >= SideBarLeft() && x < SideBarLeft() + SIDE_BAR_WIDTH && y >= 0 && y < BOARD_ROWS * BlockSize;
}

// The next music track: 1 menu, 2 in-game, 3 tutorial, then the menu again
// (the victory jingle is never chosen this way).
int NextMusicTrack(int track) { return track >= 3 || track < 1 ? 1 : track + 1; }

void ClickMusic() {
  const int64_t now = Frame.Now;
  if (MusicFlag) {
    MusicDoubleClickEnd = now + MUSIC_DOUBLE_CLICK_MS;
    SetMusic(false);
    return;
  }
  if (MusicDoubleClickEnd > now) {
    MusicDoubleClickEnd = 0;
    MusicTrack = NextMusicTrack(MusicTrack);
  }
  SetMusic(true);
}

// Carries out a click on an icon; true when the click counts as handled
// (it then gets the click sound).
bool ClickIcon(T_ICON& icon) {
  switch (icon.Index) {
    case ICON_MENU:
      SetScreen(SCREEN_MAIN_MENU);
      return true;
    case ICON_LAST:
      if (ResumeFromUndo()) StartLevel(0);
      return true;
    case ICON_BACK:
      SetScreen(ReturnState);
      return true;
    case ICON_RESTART:
      if (icon.State == ICON_BLINKING && Frame.Now <= RestartConfirmEnd) {
        RestartLevel();
        return true;
      }
      // The first click (or one after the 2 s) only asks for a confirmation.
      icon.State = ICON_BLINKING;
      RestartConfirmEnd = Frame.Now + RESTART_CONFIRM_MS;
      return false;
    case ICON_UNDO:
      if (ScreenState == SCREEN_PLAY) return UndoMove() == 1;
      return ScreenState == SCREEN_TUTORIAL;
    case ICON_TIME:
      LevelBannerEnd = Frame.Now + BANNER_MS;
      return true;
    case ICON_MUSIC:
      ClickMusic();
      return false;
    default:
      return false;
  }
}

void DrawIcon(int slot) {
  T_ICON& icon = SideBarIcons[slot];
  Image* normal = IconStrip;
  Image* lit = LitIconStrip;
  const int frame = icon.Index - 1;
  const float x = IconX(), y = IconY(slot);
  switch (icon.State) {
    case ICON_SHOWN: DrawSprite(normal, x, y, frame); break;
    case ICON_LIT: DrawSprite(lit, x, y, frame); break;
    case ICON_BLINKING:
      // Blinks every 128 ms; the blink ends with its deadline.
      if (RestartConfirmEnd != 0 && Frame.Now > RestartConfirmEnd) {
        RestartConfirmEnd = 0;
        icon.State = ICON_SHOWN;
      }
      DrawSprite((Frame.Now & 128) == 0 ? lit : normal, x, y, frame);
      break;
    default: return;  // hidden: no picture, no highlight
  }
  if (slot == HoveredSlot) {
    SetDrawAlpha(0.5f);
    DrawSprite(lit, x, y, frame);
    SetDrawAlpha(1);
  }
  if (icon.Index == ICON_TIME) DrawTimeCounter(static_cast<int>(x), static_cast<int>(y));
}

// A line of the small font centred in the side bar at height y, no wider
// than the bar's inner width: returns its height.
float DrawInfoLine(const std::string& text, float y, float scale) {
  const float inner = static_cast<float>(SIDE_BAR_WIDTH - INFO_PADDING * 2);
  const float width = static_cast<float>(StringWidth(text)) * scale;
  const float sx = width > inner ? scale * inner / width : scale;
  SetDrawScale(sx, scale);
  const float x = static_cast<float>(SideBarLeft()) + std::round((static_cast<float>(SIDE_BAR_WIDTH) -
                                                                   static_cast<float>(StringWidth(text)) * sx) / 2);
  DrawString(text, x, std::round(y));
  SetDrawScale(1, 1);
  return static_cast<float>(FontHeight()) * scale;
}

// A caption over its value, both centred in an empty slot of the play
// screen's bar.
void DrawInfoSlot(int slot, const std::string& caption, const std::string& value) {
  SelectFont(SmallFont);
  const float k = InfoScale();
  const float captionScale = 0.55f * k, valueScale = 0.95f * k;
  const float height = static_cast<float>(FontHeight()) * (captionScale + valueScale);
  float y = static_cast<float>(slot * BlockSize) + (static_cast<float>(BlockSize) - height) / 2;
  SetDrawColour(INFO_CAPTION[0], INFO_CAPTION[1], INFO_CAPTION[2]);
  y += DrawInfoLine(caption, y, captionScale);
  SetDrawColour(255, 255, 255);
  DrawInfoLine(value, y, valueScale);
  SelectFont(nullptr);
}

// The level's name in a golden badge: its number, or what kind of level it is.
void DrawLevelSlot(int slot) {
  std::string name;
  if (SharedLevelOnBoard()) {
    name = CurrentSharedLevel.Board == DAILY_BOARD ? GetText("Daily") : GetText("Code");
  } else if (CurrentLevel >= 0) {
    name = LevelLabel(CurrentLevel + 1);
  } else if (RandomLevelOnBoard()) {
    name = GetText("Random");
  }
  if (name.empty()) return;
  SelectFont(SmallFont);
  const float k = InfoScale();
  const float h = static_cast<float>(FontHeight()) * k + 8 * k;
  const float w = static_cast<float>(SIDE_BAR_WIDTH - INFO_PADDING * 2);
  const float x = static_cast<float>(SideBarLeft() + INFO_PADDING);
  const float y = std::round(static_cast<float>(slot * BlockSize) + (static_cast<float>(BlockSize) - h) / 2);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.35f);
  FillRoundedRect(x + 1, y + 2, w, h, h / 3);
  SetDrawAlpha(1);
  SetDrawColour(BUTTON_RED, BUTTON_GREEN, BUTTON_BLUE);
  FillRoundedRect(x, y, w, h, h / 3);
  SetDrawColour(CAPTION_DARK, CAPTION_DARK, CAPTION_DARK);
  DrawInfoLine(name, y + 4 * k, k);
  SetDrawColour(255, 255, 255);
  SelectFont(nullptr);
}

// The play screen's empty slots: the level, the moves made and the time.
void DrawPlayInfo() {
  SetBlendMode(BLEND_ALPHA);
  DrawLevelSlot(INFO_LEVEL_SLOT);
  DrawInfoSlot(INFO_MOVES_SLOT, GetText("Moves"), std::to_string(std::max(0, UndoRecordCount - 1)));
  DrawInfoSlot(INFO_TIME_SLOT, GetText("Last Time"), FormatTime(LevelTimer / 1000));
}

}  // namespace

float InfoScale() { return std::clamp(static_cast<float>(BlockSize) / 96.0f, 0.6f, 1.0f); }

void InitSideBar() {
  for (T_ICON& icon : SideBarIcons) icon = T_ICON();
  HoveredSlot = -1;
  RestartConfirmEnd = 0;
  MusicDoubleClickEnd = 0;
}

void LoadSideBarIcons(const int* iconSet) {
  for (int i = 0; i < SIDE_BAR_SLOTS; ++i) {
    SideBarIcons[i].Index = iconSet[i];
    SideBarIcons[i].State = ICON_SHOWN;
    SideBarIcons[i].Timer = 0;
  }
  HoveredSlot = -1;
  UpdateIconStates();
}

void UpdateIconStates() {
  for (T_ICON& icon : SideBarIcons) {
    switch (icon.Index) {
      case ICON_RESTART:
        // A blinking icon keeps blinking until its deadline.
        icon.State = UndoRecordCount < 2 ? ICON_HIDDEN : (icon.State | ICON_SHOWN);
        break;
      case ICON_UNDO:
        // The tutorial's script shows and hides its own UNDO icon.
        if (ScreenState != SCREEN_TUTORIAL) icon.State = UndoRecordCount < 2 ? ICON_HIDDEN : ICON_SHOWN;
        break;
      case ICON_TIME: icon.State = RecordTime != 0 ? ICON_SHOWN : ICON_HIDDEN; break;
      case ICON_LAST: icon.State = UndoRecordCount == 0 ? ICON_HIDDEN : ICON_SHOWN; break;
      case ICON_MUSIC: icon.State = MusicFlag ? ICON_LIT : ICON_SHOWN; break;
      default: break;
    }
  }
}

void DoSideBar() {
  UpdateIconStates();
  if (!PointerInSideBar()) {
    HoveredSlot = -1;
    return;
  }
  const int slot = Frame.PointerY / BlockSize;
  T_ICON& icon = SideBarIcons[slot];
  if (icon.Index == ICON_NONE) {
    HoveredSlot = -1;
  } else if (icon.State > ICON_HIDDEN && slot != HoveredSlot) {
    HoveredSlot = slot;
    PlayEffect(HoverSound);
  }
  if (Frame.LeftHit && icon.Index != ICON_NONE && icon.State > ICON_HIDDEN) {
    if (ClickIcon(icon)) PlayEffect(ClickSound);
  }
}

void DrawSideBar() {
  const int left = SideBarLeft();
  SetBlendMode(BLEND_SOLID);
  SetDrawColour(255, 255, 255);
  DrawSpriteStretched(SideBarBackground, static_cast<float>(left), 0, static_cast<float>(ScreenWidth - left),
                      static_cast<float>(ScreenHeight), 0);
  SetBlendMode(BLEND_ALPHA);
  for (int i = 0; i < SIDE_BAR_SLOTS; ++i) {
    if (SideBarIcons[i].Index != ICON_NONE) DrawIcon(i);
  }
  if (ScreenState == SCREEN_PLAY) DrawPlayInfo();
}

void DrawTimeCounter(int x, int y) {
  SelectFont(nullptr);
  SetDrawColour(255, 255, 255);
  DrawTimeDigits(LevelTimer, x, y + 19);
  if (LevelTimer < RecordTime) DrawTimeDigits(RecordTime - LevelTimer, x, y + 40);
}

void DrawTimeDigits(int64_t milliseconds, int x, int y) {
  // Two digits of minutes: anything beyond the level timer's cap (or below
  // zero) is shown as the nearest time that fits.
  if (milliseconds < 0) milliseconds = 0;
  if (milliseconds > LEVEL_TIMER_CAP) milliseconds = LEVEL_TIMER_CAP;
  const int seconds = static_cast<int>(milliseconds / 1000);
  const int minutes = seconds / 60, rest = seconds % 60;
  const float top = static_cast<float>(y);
  DrawSprite(DigitStrip, static_cast<float>(x + 5), top, minutes / 10);
  DrawSprite(DigitStrip, static_cast<float>(x + 15), top, minutes % 10);
  DrawSprite(DigitStrip, static_cast<float>(x + 30), top, rest / 10);
  DrawSprite(DigitStrip, static_cast<float>(x + 40), top, rest % 10);
}
