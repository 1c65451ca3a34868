// The payoff of an explosion and of a win: spinning shards, growing rings and
// confetti, all plain rectangles in a colour, so that they cost no image.
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "app/display.h"
#include "app/frame_input.h"
#include "board/block.h"
#include "board/tile_styles.h"
#include "effects/effects.h"
#include "media/media.h"

std::list<T_SHARD> Shards;
std::list<T_RING> Rings;

namespace {

constexpr int64_t RING_MS = 420;
constexpr size_t MAX_SHARDS = 96;  // a whole board exploding at once stays cheap

std::minstd_rand& Random() {
  static std::minstd_rand random(20261210);
  return random;
}

float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(Random()); }

// Pixels per frame are given for a 96-pixel cell and follow the cell size.
float CellScale() { return static_cast<float>(BlockSize) / 96.0f; }

int Mix(int c, int towards, float amount) {
  return static_cast<int>(std::lround(static_cast<float>(c) + (static_cast<float>(towards) - static_cast<float>(c)) * amount));
}

void AddShard(float x, float y, float vx, float vy, float size, int life, const int colour[3], float gravity) {
  if (Shards.size() >= MAX_SHARDS) Shards.pop_front();  // the oldest make way
  T_SHARD s;
  s.fX = x;
  s.fY = y;
  s.vX = vx;
  s.vY = vy;
  s.Size = size;
  s.Angle = Uniform(0, 6.2832f);
  s.Spin = Uniform(-0.35f, 0.35f);
  s.Gravity = gravity;
  s.Red = colour[0];
  s.Green = colour[1];
  s.Blue = colour[2];
  s.Start = Frame.Now;
  s.Life = life;
  Shards.push_back(s);
}

// Share of the way through a life that started at `start`; below 0 before it.
float Progress(int64_t start, int64_t life) {
  return static_cast<float>(Frame.Now - start) / static_cast<float>(std::max<int64_t>(1, life));
}

void DrawRing(const T_RING& ring) {
  const float t = Progress(ring.Start, ring.Life);
  if (t < 0 || t >= 1) return;
  const float ease = 1 - (1 - t) * (1 - t);
  const float r = ring.From + (ring.To - ring.From) * ease;
  // A circle of small squares side by side (at most 96: a whole board
  // exploding stays cheap to draw), reading as one dotted line, thinning
  // as it grows.
  const float dot = std::round(std::max(2.0f, static_cast<float>(BlockSize) / 14 * (1 - 0.6f * t)));
  const int count = std::clamp(static_cast<int>(6.2832f * r / (1.1f * dot)), 16, 96);
  SetDrawColour(ring.Red, ring.Green, ring.Blue);
  SetDrawAlpha(0.9f * (1 - t));
  for (int i = 0; i < count; i++) {
    const float a = 6.2832f * static_cast<float>(i) / static_cast<float>(count);
    FillRect(std::round(ring.cX + r * std::cos(a) - dot / 2), std::round(ring.cY + r * std::sin(a) - dot / 2), dot, dot);
  }
}

void DrawShard(const T_SHARD& s) {
  const float t = Progress(s.Start, s.Life);
  if (t < 0 || t >= 1) return;
  // Turning about its upright axis: as wide as it is tall face-on, a sliver
  // edge-on; opaque for the first half of its life, then fading.
  const float w = std::max(1.0f, s.Size * std::max(0.2f, std::fabs(std::cos(s.Angle))));
  const float h = s.Size * s.Tall;
  SetDrawColour(s.Red, s.Green, s.Blue);
  SetDrawAlpha(t < 0.5f ? 1.0f : 2 * (1 - t));
  FillRect(std::round(s.fX - w / 2), std::round(s.fY - h / 2), w, h);
}

}  // namespace

void BurstSelectedBlocks(int64_t delay) {
  std::vector<const T_BLOCK*> selected;
  for (const auto& b : Blocks)
    if (b->FlagSelect == 1) selected.push_back(b.get());
  if (selected.empty()) return;
  int base[3];
  KindColour(selected.front()->Kind, base[0], base[1], base[2]);
  const int light[3] = {Mix(base[0], 255, 0.45f), Mix(base[1], 255, 0.45f), Mix(base[2], 255, 0.45f)};
  const int dark[3] = {Mix(base[0], 0, 0.3f), Mix(base[1], 0, 0.3f), Mix(base[2], 0, 0.3f)};
  const int* colours[3] = {base, light, dark};

  const float half = static_cast<float>(HalfCell), cell = static_cast<float>(BlockSize), k = CellScale();
  float cx = 0, cy = 0;
  for (const T_BLOCK* b : selected) {
    cx += static_cast<float>(b->X) + half;
    cy += static_cast<float>(b->Y) + half;
  }
  cx /= static_cast<float>(selected.size());
  cy /= static_cast<float>(selected.size());
  float reach = 0;
  for (const T_BLOCK* b : selected)
    reach = std::max(reach, std::hypot(static_cast<float>(b->X) + half - cx, static_cast<float>(b->Y) + half - cy));

  T_RING ring;
  ring.cX = cx;
  ring.cY = cy;
  ring.From = half * 0.6f;
  ring.To = reach + cell * 1.1f;
  ring.Red = base[0];
  ring.Green = base[1];
  ring.Blue = base[2];
  ring.Start = Frame.Now + delay;
  ring.Life = RING_MS;
  Rings.push_back(ring);

  const int each = std::clamp(48 / static_cast<int>(selected.size()), 3, 8);
  int n = 0;
  for (const T_BLOCK* b : selected) {
    const float bx = static_cast<float>(b->X) + half, by = static_cast<float>(b->Y) + half;
    for (int i = 0; i < each; i++, n++) {
      // Away from the shape's centre (any way from a lone block), a little upwards.
      float dx = bx - cx, dy = by - cy;
      const float len = std::hypot(dx, dy);
      const float a = Uniform(0, 6.2832f);
      dx = len > 1 ? dx / len : std::cos(a);
      dy = len > 1 ? dy / len : std::sin(a);
      const float speed = Uniform(2.0f, 7.0f) * k;
      const float vx = dx * speed + Uniform(-2.5f, 2.5f) * k;
      const float vy = dy * speed + Uniform(-2.5f, 2.5f) * k - Uniform(1.0f, 3.0f) * k;
      AddShard(bx + Uniform(-half, half) * 0.6f, by + Uniform(-half, half) * 0.6f, vx, vy,
               cell * Uniform(0.09f, 0.17f), static_cast<int>(Uniform(550, 850)), colours[n % 3], 0.25f * k);
      Shards.back().Start = Frame.Now + delay;
    }
  }
}

void ThrowConfetti(float x, float y, int count, int lean) {
  const float k = CellScale(), cell = static_cast<float>(BlockSize);
  for (int i = 0; i < count; i++) {
    int colour[3];
    KindColour(i % 6, colour[0], colour[1], colour[2]);
    const float vx = static_cast<float>(lean) * Uniform(1.0f, 9.0f) * k + Uniform(-1.5f, 1.5f) * k;
    AddShard(x + Uniform(-0.3f, 0.3f) * cell, y, vx, Uniform(-17.0f, -7.0f) * k, cell * Uniform(0.08f, 0.13f),
             static_cast<int>(Uniform(1400, 2200)), colour, 0.3f * k);
    Shards.back().Tall = 1.6f;  // strips of paper rather than chips
  }
}

void DoBursts() {
  const int64_t now = Frame.Now;
  for (auto it = Shards.begin(); it != Shards.end();) {
    T_SHARD& s = *it;
    if (now >= s.Start + s.Life) {
      it = Shards.erase(it);
      continue;
    }
    if (now >= s.Start) {
      s.fX += s.vX;
      s.fY += s.vY;
      s.vY += s.Gravity;
      s.vX *= 0.985f;  // a little drag: confetti drifts rather than flies
      s.Angle += s.Spin;
    }
    ++it;
  }
  Rings.remove_if([now](const T_RING& r) { return now >= r.Start + r.Life; });
}

void DrawBursts() {
  if (Shards.empty() && Rings.empty()) return;
  SetBlendMode(BLEND_ALPHA);
  SetDrawScale(1, 1);
  for (const T_RING& r : Rings) DrawRing(r);
  for (const T_SHARD& s : Shards) DrawShard(s);
  SetDrawAlpha(1);
  SetDrawColour(255, 255, 255);
}

void ClearBursts() {
  Shards.clear();
  Rings.clear();
}
