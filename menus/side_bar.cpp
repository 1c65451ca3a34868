#include "menus/side_bar.h"

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/music.h"
#include "levels/level_lifecycle.h"
#include "media/media.h"
#include "menus/screens.h"
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

}  // namespace

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
