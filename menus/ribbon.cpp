// Title ribbons: a red band with the screen's title in white, its two tails
// folded behind it and cut into a V, drawn from a few rectangles.
#include "menus/ribbon.h"

#include <algorithm>
#include <cmath>

#include "app/display.h"
#include "board/block.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/screens.h"

namespace {

void Fill(float x, float y, float w, float h) { FillRect(std::round(x), std::round(y), std::round(w), std::round(h)); }

// A tail reaching `reach` outwards (negative: to the left) from x, its V cut
// at the outer end.
void DrawTail(float x, float y, float h, float reach, float cut) {
  // Rows of a few pixels each, so that the cut reads as a V.
  const int slices = std::max(6, static_cast<int>(h / 4));
  const float slice = h / static_cast<float>(slices);
  for (int i = 0; i < slices; i++) {
    const float mid = (static_cast<float>(i) + 0.5f) * slice - h / 2;
    const float depth = cut * (1 - std::fabs(mid) / (h / 2));
    const float length = std::fabs(reach) - depth;
    Fill(reach < 0 ? x - length : x, y + static_cast<float>(i) * slice, length, slice + 1);
  }
}

}  // namespace

T_RIBBON TitleRibbon(const std::string& title, int centreY) {
  T_RIBBON r;
  const int cell = BlockSize;
  r.H = cell * 3 / 4;
  r.Tail = cell / 2;
  SelectFont(LargeFont);
  const int text = StringWidth(title);
  SelectFont(nullptr);
  const int pad = cell * 3 / 4;
  const int widest = (BOARD_COLUMNS - 2) * cell - 2 * r.Tail;
  r.W = std::min(widest, text + 2 * pad);
  if (text > r.W - 2 * pad && text > 0) r.TitleScale = static_cast<float>(r.W - 2 * pad) / static_cast<float>(text);
  r.X = (BOARD_COLUMNS * cell - r.W) / 2;
  r.Y = centreY - r.H / 2;
  return r;
}

int RibbonCentreY() { return BlockSize * 8 / 5; }

std::string ScreenTitle(int screen) {
  switch (screen) {
    case SCREEN_OPTIONS_MENU: return GetText("Options");
    case SCREEN_DISPLAY_MENU: return GetText("Display");
    case SCREEN_QUALITY_MENU: return GetText("Quality");
    case SCREEN_MODE_MENU: return GetText("Screen");
    case SCREEN_STYLE: return GetText("Style");
    default: return "";
  }
}

void DrawTitleRibbon(const std::string& title, int centreY) {
  const T_RIBBON r = TitleRibbon(title, centreY);
  const float x = static_cast<float>(r.X), y = static_cast<float>(r.Y);
  const float w = static_cast<float>(r.W), h = static_cast<float>(r.H), tail = static_cast<float>(r.Tail);
  const float drop = h / 3, tuck = tail / 2, cut = tail / 3;
  SetBlendMode(BLEND_ALPHA);
  SetDrawScale(1, 1);
  // A soft shadow under the band, then the tails behind it, then their folds.
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.2f);
  Fill(x + 3, y + 4, w, h);
  SetDrawAlpha(1);
  SetDrawColour(RIBBON_RED * 2 / 3, RIBBON_GREEN * 2 / 3, RIBBON_BLUE * 2 / 3);
  DrawTail(x + tuck, y + drop, h, -(tail + tuck), cut);
  DrawTail(x + w - tuck, y + drop, h, tail + tuck, cut);
  SetDrawColour(RIBBON_RED / 3, RIBBON_GREEN / 3, RIBBON_BLUE / 3);
  Fill(x, y + h, tuck, drop);
  Fill(x + w - tuck, y + h, tuck, drop);
  // The band, lighter along its top edge and darker along its bottom.
  SetDrawColour(RIBBON_RED, RIBBON_GREEN, RIBBON_BLUE);
  Fill(x, y, w, h);
  SetDrawColour(std::min(255, RIBBON_RED + 40), RIBBON_GREEN + 30, RIBBON_BLUE + 30);
  Fill(x, y, w, std::max(2.0f, h / 12));
  SetDrawColour(RIBBON_RED * 3 / 4, RIBBON_GREEN * 3 / 4, RIBBON_BLUE * 3 / 4);
  Fill(x, y + h - std::max(2.0f, h / 12), w, std::max(2.0f, h / 12));
  // The title, white with a dark drop.
  SelectFont(LargeFont);
  SetDrawScale(r.TitleScale, r.TitleScale);
  const float tw = static_cast<float>(StringWidth(title)) * r.TitleScale;
  const float th = static_cast<float>(FontHeight()) * r.TitleScale;
  const float tx = std::round(x + (w - tw) / 2), ty = std::round(y + (h - th) / 2);
  const float shade = std::max(1.0f, static_cast<float>(BlockSize) / 48);
  SetDrawColour(CAPTION_DARK, CAPTION_DARK, CAPTION_DARK);
  SetDrawAlpha(0.6f);
  DrawString(title, tx + shade, ty + shade);
  SetDrawAlpha(1);
  SetDrawColour(255, 255, 255);
  DrawString(title, tx, ty);
  SetDrawScale(1, 1);
  SelectFont(nullptr);
}
