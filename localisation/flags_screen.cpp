// The flag screens: the first-start language choice and the one reached from
// the options menu. A click on a flag loads that language; the arrows (a
// pad's d-pad) move a choice over the flags and Enter (A) takes it.
#include <algorithm>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/settings.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/screens.h"

namespace {

constexpr int FLAG_WIDTH = 100;
constexpr int FLAG_HEIGHT = 75;
constexpr int PITCH_X = 105;
constexpr int PITCH_Y = 80;
constexpr int FLAG_LIFT = 5;
// The lowest row of the "lite" tag under the logo of the flag screens'
// picture, as a share of the board's height: the flags keep clear of it.
constexpr float TAG_BOTTOM = 0.305f;

int BoardWidth() { return BOARD_COLUMNS * BlockSize; }

int FlagsPerRow = 1;  // of the last layout
// Where the pointer was when the hover was last worked out: a hover made
// with the keys stays until the pointer moves.
int HoverPointerX = -1, HoverPointerY = -1;

int IndexOf(const T_LANG* language) {
  for (size_t i = 0; i < Languages.size(); i++)
    if (Languages[i].get() == language) return static_cast<int>(i);
  return -1;
}

// The keyboard's first choice: the language in use, else the first flag.
int FirstKeyChoice() {
  for (size_t i = 0; i < Languages.size(); i++)
    if (Languages[i]->file == LanguageFile) return static_cast<int>(i);
  return 0;
}

void ChooseLanguage(const T_LANG* language) {
  PlayEffect(ClickSound);
  const std::string file = language->file;
  // A file that no longer reads leaves the texts and the choice as they were.
  if (LoadLanguage(file) != 1) {
    ShowMessage("Error opening file: " + file);
    return;
  }
  LanguageFile = file;
  SetScreen(ReturnState);
  ReturnState = SCREEN_MAIN_MENU;
}

}  // namespace

void T_LANG::InitFlagsSelection() {
  const int count = static_cast<int>(Languages.size());
  const int perRow = std::max(1, BoardWidth() / PITCH_X);
  FlagsPerRow = perRow;
  const int rows = (count + perRow - 1) / perRow;
  const int clear = static_cast<int>(TAG_BOTTOM * static_cast<float>(BOARD_ROWS * BlockSize)) + FLAG_LIFT +
                    std::max(12, BlockSize / 4);
  int y = std::max((ScreenHeight - PITCH_Y * rows + 5) / 2 + 40, clear);
  int x = 0, column = 0, remaining = count;
  for (auto& language : Languages) {
    if (column == 0) {
      // Full rows are centred over the board; so is the last, shorter one.
      const int inRow = remaining >= perRow ? perRow : remaining;
      x = (BoardWidth() - PITCH_X * inRow + 5) / 2;
    }
    language->x0 = x;
    language->x1 = x + FLAG_WIDTH;
    language->y0 = y;
    language->y1 = y + FLAG_HEIGHT;
    x += PITCH_X;
    if (++column == perRow) {
      y += PITCH_Y;
      column = 0;
    }
    remaining--;
  }
}

void T_LANG::DoFlagsSelection() {
  // Over the side bar the last hovered name stays and clicks are the side bar's.
  if (Frame.PointerX >= BoardWidth()) return;
  const bool moved = Frame.PointerX != HoverPointerX || Frame.PointerY != HoverPointerY;
  if (!moved && !Frame.LeftHit && HoveredLanguage != nullptr) return;
  HoverPointerX = Frame.PointerX;
  HoverPointerY = Frame.PointerY;
  const T_LANG* before = HoveredLanguage;
  HoveredLanguage = nullptr;
  for (auto& language : Languages) {
    if (Frame.PointerX >= language->x0 && Frame.PointerX <= language->x1 && Frame.PointerY >= language->y0 &&
        Frame.PointerY <= language->y1) {
      HoveredLanguage = language.get();
      if (HoveredLanguage != before && !TouchMode) PlayEffect(HoverSound);
    }
  }
  if (Frame.LeftHit && HoveredLanguage) ChooseLanguage(HoveredLanguage);
}

void T_LANG::FlagsKey(const KeyPress& press) {
  if (Languages.empty()) return;
  const int count = static_cast<int>(Languages.size());
  const int current = IndexOf(HoveredLanguage);
  int step = 0;
  switch (press.Key) {
    case KEY_RIGHT: step = 1; break;
    case KEY_LEFT: step = -1; break;
    case KEY_DOWN: step = FlagsPerRow; break;
    case KEY_UP: step = -FlagsPerRow; break;
    case KEY_ENTER:
    case KEY_SPACE:
      if (current >= 0) {
        ChooseLanguage(HoveredLanguage);
        return;
      }
      break;
    default: return;
  }
  // The first press shows the choice; the next ones move it, never off the flags.
  int next = FirstKeyChoice();
  if (current >= 0) next = current + step >= 0 && current + step < count ? current + step : current;
  if (Languages[next].get() != HoveredLanguage) PlayEffect(HoverSound);
  HoveredLanguage = Languages[next].get();
}

void T_LANG::DrawFlagsSelection() {
  SetBlendMode(BLEND_ALPHA);
  SelectFont(LargeFont);
  for (const auto& language : Languages) language->Draw();
  SelectFont(nullptr);
}

void T_LANG::Draw() const {
  const float width = static_cast<float>(x1 - x0 + 1), height = static_cast<float>(y1 - y0 + 1);
  // The hovered flag lifts off the screen over its own shadow; where it
  // answers the pointer stays the same.
  const bool hovered = HoveredLanguage == this;
  const float top = static_cast<float>(y0 - (hovered ? FLAG_LIFT : 0));
  if (hovered) {
    SetDrawColour(0, 0, 0);
    SetDrawAlpha(0.3f);
    FillRect(static_cast<float>(x0 + 2), static_cast<float>(y0 + 3), width, height);
  }
  SetDrawAlpha(1);
  if (bitmap) {
    SetDrawColour(255, 255, 255);
    DrawSpriteStretched(bitmap, static_cast<float>(x0), top, width, height, 0);
  } else {
    // No picture: a grey card with the language code.
    SetDrawColour(90, 90, 90);
    FillRect(static_cast<float>(x0), top, width, height);
    SetDrawColour(255, 255, 255);
    DrawString(code, static_cast<float>(x0 + (x1 - x0 + 1 - StringWidth(code)) / 2),
               top + static_cast<float>((y1 - y0 + 1 - FontHeight()) / 2));
  }
  if (!hovered) return;
  const int x = (BoardWidth() - StringWidth(name)) / 2;
  // Below the flags, and on the screen.
  const int lowest = Languages.empty() ? 0 : Languages.back()->y1;
  const int y = std::min(ScreenHeight - LargeFontPixels() - 4,
                         std::max(ScreenHeight - LargeFontPixels() - 20, lowest + 6));
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.5f);
  DrawString(name, static_cast<float>(x + 4), static_cast<float>(y));
  SetDrawColour(255, 255, 255);
  SetDrawAlpha(1);
  DrawString(name, static_cast<float>(x), static_cast<float>(y));
}
