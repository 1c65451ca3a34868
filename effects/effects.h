// Fragments of exploding blocks and the particles of styled blocks.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

struct Image;
class T_BLOCK;

class T_FX {
 public:
  int X = 0, Y = 0;
  float fX = 0, fY = 0;
  float vX = 0, vY = 0;
  float vR = 0;
  int64_t Timer = 0;  // release time; 0 once released
  Image* BitmapPtr = nullptr;
  float Zoom = 0;  // drawing scale once released: shrinks, and the fragment fades with it

  static void ExplodeSelectedBlocks(int64_t delay, int dx, int dy);
  static void DoBlocksExplosion();
  void Draw();
  void DrawShadow();
  static void DrawAll();
};

class T_PARTICLE {
 public:
  T_BLOCK* Owner = nullptr;
  float fX = 0, fY = 0;
  float vX = 0, vY = 0;
  int Size = 0;
  float Scale = 0;
  float Alpha = 0;
  int Mode = 0;
  int64_t Timer = 0;
  float ScaleDest = 0;
  float vScale = 0;

  static void AddParticles(T_BLOCK* block, int mode, int count);
  static void DoParticles();
  static void ExplodeParticle(T_BLOCK* block);
  static void RemoveParticle(T_BLOCK* block);
  void Draw();
  static void DrawAll(int owned);
};

extern std::list<std::unique_ptr<T_FX>> Fragments;
extern std::list<std::unique_ptr<T_PARTICLE>> Particles;

// The payoff of an explosion and of a win: small coloured shards that spin
// as they fly and fade, and rings that grow out of an exploded shape. They
// have their own random numbers, so that the game's sequence (levels made
// from a seed, fragment throws) is the same with or without them.
struct T_SHARD {
  float fX = 0, fY = 0;  // centre, board pixels
  float vX = 0, vY = 0;  // pixels per frame
  float Angle = 0, Spin = 0;
  float Size = 0;
  float Tall = 1;  // height over width
  float Gravity = 0;
  int Red = 255, Green = 255, Blue = 255;
  int64_t Start = 0, Life = 0;  // appears at Start, gone Life ms later
};

struct T_RING {
  float cX = 0, cY = 0;
  float From = 0, To = 0;  // radius at the start and at the end
  int Red = 255, Green = 255, Blue = 255;
  int64_t Start = 0, Life = 0;
};

extern std::list<T_SHARD> Shards;
extern std::list<T_RING> Rings;

// Shards and a ring for the selected blocks, appearing when they vanish
// `delay` ms from now, in the colour of their kind.
void BurstSelectedBlocks(int64_t delay);
// A burst of confetti in the six colours thrown up from (x, y), leaning
// left (-1), right (1) or neither (0).
void ThrowConfetti(float x, float y, int count, int lean);
// Moves the shards and drops those whose time is over; one frame.
void DoBursts();
// Draws the rings, then the shards; nothing when there are none.
void DrawBursts();
// Empties both lists.
void ClearBursts();
