// Drawing of blocks: quarters, shadows, highlights, captions and the blink
// of blocks about to explode (which also ends them).
#include <algorithm>
#include <cmath>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/settings.h"
#include "board/block.h"
#include "board/tile_styles.h"
#include "effects/effects.h"
#include "media/media.h"
#include "play/play_input.h"

namespace {

constexpr int SHADOW_SHIFT = 8;
constexpr int CAPTION_MAX_CELLS = 4;

// Each side of a caption bar: a sixth of a cell, at least 10 pixels.
int CaptionMargin() { return BlockSize / 6 > 10 ? BlockSize / 6 : 10; }

// Shows and hides in steps of 64 ms while the countdown runs.
bool BlinkVisible(int64_t timer) { return timer == 0 || ((timer - ::Frame.Now) & 64) != 0; }

// The four quarters of a cell, top-left, top-right, bottom-right,
// bottom-left, each half a cell wide.
void DrawCell(Image* strip, int x, int y, const int32_t frames[4]) {
  DrawQuarters(strip, static_cast<float>(x), static_cast<float>(y), HalfCell, frames);
}

// How far a block about to explode swells past each side of its cell.
int PopGrowth() { return std::max(1, BlockSize / 20); }

// The blink's dark phase of a block about to explode: its cell, swollen,
// flashes in a light tint of its own colour, so the flash shows on every
// board, the palest included.
void DrawExplosionFlash(int kind, int x, int y) {
  int r, g, b;
  KindColour(kind, r, g, b);
  const float grow = static_cast<float>(PopGrowth());
  const float fx = static_cast<float>(x) - grow, fy = static_cast<float>(y) - grow;
  const float side = static_cast<float>(BlockSize) + 2 * grow, corner = std::round(side / 6);
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour((3 * r + 255) / 4, (3 * g + 255) / 4, (3 * b + 255) / 4);
  SetDrawAlpha(0.95f);
  // Three overlapping rectangles round the corners off.
  const float third = std::round(corner / 3);
  FillRect(fx + corner, fy, side - 2 * corner, side);
  FillRect(fx, fy + corner, side, side - 2 * corner);
  FillRect(fx + third, fy + third, side - 2 * third, side - 2 * third);
  SetDrawAlpha(1.0f);
  SetDrawColour(255, 255, 255);
}

}  // namespace

void T_BLOCK::Draw() {
  SetDrawColour(255, 255, 255);
  const bool visible = BlinkVisible(Timer);
  const bool ended = Timer != 0 && Timer <= ::Frame.Now;
  Image* strip = KindImage(Kind);
  if (Timer != 0) {
    // About to explode: swollen a little (a pop), alternating with its flash.
    const int grow = PopGrowth();
    if (visible && strip) {
      DrawQuarters(strip, static_cast<float>(X - grow), static_cast<float>(Y - grow), HalfCell + grow, Frame);
    } else if (!visible) {
      DrawExplosionFlash(Kind, X, Y);
    }
  } else if (visible && strip) {
    DrawCell(strip, X, Y, Frame);
  }
  if (ended) {
    // Drawn for the last time above; now it leaves the board and its
    // particles fly off on their own. This ends the block itself.
    Timer = 0;
    T_PARTICLE::ExplodeParticle(this);
    RemoveBlock(this);
  }
}

void T_BLOCK::DrawShadow() {
  if (!BlinkVisible(Timer) || !ShadowStrip) return;
  DrawCell(ShadowStrip, X + SHADOW_SHIFT, Y + SHADOW_SHIFT, Frame);
}

void T_BLOCK::DrawHighLight() {
  // Whole degrees: the angle is an integer division, truncated.
  const int64_t degrees = (::Frame.Now % 2048) * 360 / 2047;
  SetDrawAlpha(static_cast<float>(0.8 + 0.2 * std::sin(static_cast<double>(degrees) * M_PI / 180.0)));
  if (HighlightStrip) DrawCell(HighlightStrip, X, Y, Frame);
  SetDrawAlpha(1.0f);
}

void T_BLOCK::DisplayText() {
  SelectFont(LargeFont);
  // The caption bar runs over the same-kind cells to the right.
  int n = 1;
  while (n < CAPTION_MAX_CELLS && XMap + n < BOARD_COLUMNS && YMap >= 0 && YMap < BOARD_ROWS &&
         KindGrid[XMap + n][YMap] == Kind) {
    n++;
  }
  // A caption too long for its bar shrinks as a whole, keeping its shape.
  const int available = n * BlockSize - 2 * CaptionMargin();
  const int width = StringWidth(Text), height = FontHeight();
  float scale = 1.0f;
  if (width > available && width > 0 && available > 0) scale = static_cast<float>(available) / static_cast<float>(width);
  SetDrawScale(scale, scale);
  const float x = std::round(X + CaptionMargin() + (static_cast<float>(available) - static_cast<float>(width) * scale) / 2);
  const float y = std::round(Y + (static_cast<float>(BlockSize) - static_cast<float>(height) * scale) / 2);
  DrawCaptionText(Text, x, y, KindLightText(Kind) != 0);
  if (HoveredMenu != -1 && HoveredMenu == Menu) {
    // Drawn again with a jitter: a trembling, bolder caption under the pointer.
    const int r1 = RandomInt(-1, 1);
    const int r2 = RandomInt(-1, 1);
    DrawString(Text, x + static_cast<float>(r1), y + static_cast<float>(r2));
  }
  SetDrawScale(1.0f, 1.0f);
  SetDrawAlpha(1.0f);
  SelectFont(nullptr);
}

void DrawCaptionText(const std::string& text, float x, float y, bool light) {
  // A halo of the opposite shade all round the letters keeps them legible on
  // every style, its stripes and speckles included.
  const float d = static_cast<float>(BlockSize >= 96 ? 2 : 1);
  const int halo = light ? CAPTION_DARK : 255;
  SetDrawColour(halo, halo, halo);
  SetDrawAlpha(CAPTION_HALO_ALPHA);
  constexpr int OFFSETS[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
  for (const auto& o : OFFSETS) DrawString(text, x + d * static_cast<float>(o[0]), y + d * static_cast<float>(o[1]));
  const int ink = light ? 255 : CAPTION_DARK;
  SetDrawColour(ink, ink, ink);
  SetDrawAlpha(1.0f);
  DrawString(text, x, y);
}

void T_BLOCK::DrawAll() {
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  if (ShadowsOn) {
    for (auto& b : Blocks) b->DrawShadow();
  }
  // Draw may end the block being drawn: step past it first.
  for (auto it = Blocks.begin(); it != Blocks.end();) {
    T_BLOCK* b = (it++)->get();
    b->Draw();
  }
  SetBlendMode(BLEND_ALPHA);
  for (auto& b : Blocks) {
    if (!b->Text.empty() && b->Text != "!") b->DisplayText();
  }
}

void T_BLOCK::DrawSelectedBlocks() {
  SetDrawColour(255, 255, 255);
  SetBlendMode(BLEND_ADDITIVE);
  for (auto& b : Blocks) {
    if (b->FlagSelect == 1) b->DrawHighLight();
  }
}
