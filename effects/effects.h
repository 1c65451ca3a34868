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
  float Zoom = 0;

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
