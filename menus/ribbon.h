// Title ribbons over the sub-screens.
#pragma once

#include <string>

// The ribbon's band: red, so that its white title keeps a contrast above 7:1.
constexpr int RIBBON_RED = 170, RIBBON_GREEN = 30, RIBBON_BLUE = 50;

struct T_RIBBON {
  int X = 0, Y = 0, W = 0, H = 0;  // the band; its tails reach past both ends
  int Tail = 0;                   // how far a tail reaches past the band
  float TitleScale = 1;           // a title too long for the band shrinks
};
// The ribbon of `title` centred on the board with its band centred on row
// height `centreY`, never wider than the board's eight inner columns.
T_RIBBON TitleRibbon(const std::string& title, int centreY);
void DrawTitleRibbon(const std::string& title, int centreY);
// The row the ribbons stand on (band centre), below the options menu's
// button row and above every menu's bars.
int RibbonCentreY();
// The title of a sub-screen with a ribbon; "" for other screens.
std::string ScreenTitle(int screen);
