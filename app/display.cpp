#include "app/display.h"

#include <algorithm>

#include "board/block.h"
#include "levels/level_map.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/tutorial.h"

const Resolution RESOLUTIONS[RESOLUTION_ROWS] = {
    {1564, 1200, 150}, {1344, 1024, 128}, {1024, 768, 96}, {804, 592, 74}, {640, 448, 56},
};

int DesktopWidth = 0, DesktopHeight = 0;
int ScreenMode = 0;
Resolution Wanted = {1024, 768, 96};
int ScreenWidth = 1024, ScreenHeight = 768;
int BlockSize = 96, HalfCell = 48;
int ScreenOffsetX = 0, ScreenOffsetY = 0;
bool BorderFix = false;

std::string FontPath;
Font* LargeFont = nullptr;
Font* TextFont = nullptr;
Font* SmallFont = nullptr;
Font* BannerFont = nullptr;
Image* LevelPicture = nullptr;

int LargeFontPixels() { return ScreenWidth * 60 / 1024; }
int TextFontPixels() { return ScreenWidth * 45 / 1024; }

namespace {

void ReloadFonts() {
  SelectFont(nullptr);
  FreeFont(LargeFont);
  FreeFont(TextFont);
  FreeFont(SmallFont);
  FreeFont(BannerFont);
  LargeFont = LoadTrueTypeFont(FontPath, LargeFontPixels());
  TextFont = LoadTrueTypeFont(FontPath, TextFontPixels());
  SmallFont = LoadTrueTypeFont(FontPath, 30);
  // Only the level numbers are drawn in it, each glyph made when first used.
  BannerFont = LoadTrueTypeFont(FontPath, BANNER_FONT_TIMES * LargeFontPixels());
}

}  // namespace

void ApplyClipArea() {
  if (BorderFix)
    SetClipArea(0, 0, DesktopWidth, DesktopHeight);
  else
    SetClipArea(ScreenOffsetX, ScreenOffsetY, ScreenWidth, ScreenHeight);
}

void SetupDisplay() {
  const int oldBlockSize = BlockSize;
  ScreenWidth = Wanted.Width;
  ScreenHeight = Wanted.Height;
  BlockSize = Wanted.BlockSize;
  if (ScreenMode == 1) {
    OpenDisplay(DesktopWidth, DesktopHeight, true);
    ScreenOffsetX = (DesktopWidth - ScreenWidth) / 2;
    ScreenOffsetY = (DesktopHeight - ScreenHeight) / 2;
  } else if (ScreenMode == 2) {
    OpenDisplay(DesktopWidth, DesktopHeight, true);
    // The largest even block size whose game screen fits the desktop both
    // ways: on a narrow desktop the width decides, not the height.
    BlockSize = std::min(DesktopHeight / BOARD_ROWS, (DesktopWidth - SIDE_BAR_WIDTH) / BOARD_COLUMNS);
    if (BlockSize % 2 != 0) BlockSize--;
    ScreenHeight = 8 * BlockSize;
    ScreenWidth = BOARD_COLUMNS * BlockSize + SIDE_BAR_WIDTH;
    ScreenOffsetX = (DesktopWidth - ScreenWidth) / 2;
    ScreenOffsetY = (DesktopHeight - ScreenHeight) / 2;
  } else {
    OpenDisplay(ScreenWidth, ScreenHeight, false);
    ScreenOffsetX = 0;
    ScreenOffsetY = 0;
  }
  SetAppTitle("pLiMo");
  SetWindowIcon();
  // With the border fix on, the clip area stays the whole display, which is
  // what a freshly opened display has.
  if (!BorderFix) ApplyClipArea();
  SetDrawOrigin(static_cast<float>(ScreenOffsetX), static_cast<float>(ScreenOffsetY));
  HalfCell = BlockSize / 2;
  ReloadFonts();
  // The level map's picture of a chosen level follows the board size; so do
  // the flags and the tutorial's pointer, placed in pixels.
  CreateLevelPicture();
  T_LANG::InitFlagsSelection();
  ScaleTutorialPointer(oldBlockSize);
}

bool StepBlockSize(int direction) {
  int row = 0;
  while (row < RESOLUTION_ROWS && RESOLUTIONS[row].Height != Wanted.Height) row++;
  if (row == RESOLUTION_ROWS) return false;
  if (direction > 0) {
    if (row == 0) return false;
    Wanted = RESOLUTIONS[row - 1];
  } else {
    if (row == RESOLUTION_ROWS - 1) return false;
    Wanted = RESOLUTIONS[row + 1];
  }
  return true;
}

void FitResolutionToDesktop() {
  if (Wanted.Width <= DesktopWidth && Wanted.Height <= DesktopHeight) return;
  for (const Resolution& r : RESOLUTIONS) {
    if (r.Width < DesktopWidth && r.Height < DesktopHeight) {
      Wanted = r;
      return;
    }
  }
  Wanted = RESOLUTIONS[RESOLUTION_ROWS - 1];
}

void ToggleBestFit() {
  ScreenMode = ScreenMode == 2 ? 0 : 2;
  SetupDisplay();
  T_BLOCK::ShapeAllBlocks();
}
