// Screen geometry, the resolution table and the three screen modes.
#pragma once

#include <string>

struct Image;
struct Font;

struct Resolution {
  int Width, Height, BlockSize;
};
constexpr int RESOLUTION_ROWS = 5;
extern const Resolution RESOLUTIONS[RESOLUTION_ROWS];

constexpr int SIDE_BAR_WIDTH = 64;
constexpr int BOARD_COLUMNS = 10;
constexpr int BOARD_ROWS = 8;

extern int DesktopWidth, DesktopHeight;  // read once at start-up
extern int ScreenMode;                   // 0 windowed, 1 centred, 2 best fit
extern Resolution Wanted;                // profile values
extern int ScreenWidth, ScreenHeight;    // game screen in use
extern int BlockSize, HalfCell;
extern int ScreenOffsetX, ScreenOffsetY;
extern bool BorderFix;

extern std::string FontPath;
extern Font* LargeFont;
extern Font* TextFont;
extern Font* SmallFont;
// The level number's banner: the large font's size this many times, so the
// number is drawn sharp at its full size instead of scaled up.
constexpr int BANNER_FONT_TIMES = 5;
extern Font* BannerFont;
extern Image* LevelPicture;  // capture image of the board area

// Pixel sizes of the large and text fonts for the game screen in use.
int LargeFontPixels();
int TextFontPixels();

void SetupDisplay();
bool StepBlockSize(int direction);
void FitResolutionToDesktop();
void ToggleBestFit();
// Sets the clip area to the game screen, or to the whole display with the
// border fix on.
void ApplyClipArea();
