// Fragments: each exploding block becomes a lone-block sprite that waits out
// the blink, then is thrown along the last move and falls off screen,
// shrinking from three quarters of a cell and fading out on its way.
#include <algorithm>
#include <cmath>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/settings.h"
#include "board/block.h"
#include "board/tile_styles.h"
#include "effects/effects.h"
#include "media/media.h"

std::list<std::unique_ptr<T_FX>> Fragments;

namespace {

constexpr float GRAVITY = 0.2f;
constexpr int FRAGMENT_SHADOW_SHIFT = 20;
// The lone-block frames: top-left, top-right, bottom-right, bottom-left.
constexpr int LONE_FRAMES[4] = {20, 21, 23, 22};
// A released fragment's scale: from START down to END by STEP a frame; it
// fades out as it shrinks and flies on unseen until it leaves the screen.
constexpr float ZOOM_START = 0.75f, ZOOM_END = 0.3f, ZOOM_STEP = 0.0125f;

// The quarter side of a fragment drawn at `zoom`, in steps of a few pixels
// so that each style is drawn at a handful of sizes only.
int QuarterSide(float zoom) {
  const int step = std::max(2, BlockSize / 24);
  return std::max(1, static_cast<int>(std::lround(static_cast<float>(HalfCell) * zoom / static_cast<float>(step))) * step);
}

// The same four quarters for every fragment of a style, centred on the cell
// the fragment stands for.
void DrawLoneBlock(Image* strip, int x, int y, float zoom) {
  const int side = QuarterSide(zoom);
  const float alpha = std::clamp((zoom - ZOOM_END) / (ZOOM_START - ZOOM_END), 0.0f, 1.0f);
  if (alpha <= 0) return;
  SetDrawAlpha(alpha);
  DrawQuarters(strip, static_cast<float>(x + HalfCell - side), static_cast<float>(y + HalfCell - side), side, LONE_FRAMES);
  SetDrawAlpha(1);
}

bool OffScreen(int x, int y) {
  return y > ScreenHeight + BlockSize || y < -BlockSize || x > ScreenWidth + BlockSize || x < -BlockSize;
}

}  // namespace

void T_FX::ExplodeSelectedBlocks(int64_t delay, int dx, int dy) {
  for (auto& b : Blocks) {
    if (b->FlagSelect != 1) continue;
    auto fx = std::make_unique<T_FX>();
    fx->Timer = Frame.Now + delay;
    fx->X = b->X;
    fx->Y = b->Y;
    fx->BitmapPtr = KindImage(b->Kind);
    fx->fX = static_cast<float>(fx->X);
    fx->fY = static_cast<float>(fx->Y);
    fx->Zoom = ZOOM_START;
    // The random numbers are drawn in this order: push across, push down,
    // then the spread of each axis.
    const float a = RandomFloat(0, 8);
    const float c = RandomFloat(0, 8);
    fx->vX = dx * a + RandomFloat(-2, 2);
    fx->vY = dy * c + RandomFloat(-3, 2);
    Fragments.push_back(std::move(fx));
  }
}

void T_FX::DoBlocksExplosion() {
  for (auto it = Fragments.begin(); it != Fragments.end();) {
    T_FX& f = **it;
    if (f.Timer != 0) {
      if (f.Timer < Frame.Now) f.Timer = 0;
      ++it;
      continue;
    }
    f.Zoom = std::max(0.0f, f.Zoom - ZOOM_STEP);
    f.fX += f.vX;
    f.fY += f.vY;
    f.vY += GRAVITY;
    f.X = static_cast<int>(f.fX);
    f.Y = static_cast<int>(f.fY);
    if (OffScreen(f.X, f.Y)) {
      it = Fragments.erase(it);
    } else {
      ++it;
    }
  }
}

void T_FX::Draw() {
  if (Timer == 0) DrawLoneBlock(BitmapPtr, X, Y, Zoom);
}

void T_FX::DrawShadow() {
  if (Timer == 0) DrawLoneBlock(ShadowStrip, X + FRAGMENT_SHADOW_SHIFT, Y + FRAGMENT_SHADOW_SHIFT, Zoom);
}

void T_FX::DrawAll() {
  SetBlendMode(BLEND_ALPHA);
  if (ShadowsOn) {
    for (auto& f : Fragments) f->DrawShadow();
  }
  for (auto& f : Fragments) f->Draw();
}
