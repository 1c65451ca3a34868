// Particles of styled blocks: wandering sparkles, bubbles rising from their
// sources, drops falling from theirs, and the free particles of an explosion.
#include "app/display.h"
#include "app/frame_input.h"
#include "app/settings.h"
#include "board/block.h"
#include "board/tile_styles.h"
#include "effects/effects.h"
#include "media/media.h"

std::list<std::unique_ptr<T_PARTICLE>> Particles;

namespace {

enum ParticleMode {
  SPARKLE = 1,
  BUBBLE_SOURCE = 2,
  DROP_SOURCE = 3,
  BUBBLE = 12,
  DROP = 13,
  FREE = 100,
};

constexpr int PARTICLE_FRAME = 28;
constexpr float IMAGE_SIZE = 48.0f;
constexpr float GRAVITY = 0.2f;
constexpr float FRAME_MS = 16.666666f;  // one frame at 60 per second

bool OnBoard(int x, int y) { return x >= 0 && x < BOARD_COLUMNS && y >= 0 && y < BOARD_ROWS; }

// True when the cell above the block holds a block of the same kind.
bool SameKindAbove(const T_BLOCK& b) {
  return b.YMap > 0 && OnBoard(b.XMap, b.YMap - 1) && KindGrid[b.XMap][b.YMap - 1] == b.Kind;
}

// Moves the particle into the owner's neighbour in direction (dx, dy) when
// that cell holds the same kind, keeping its place on screen.
bool PassInto(T_PARTICLE& p, int dx, int dy) {
  const int nx = p.Owner->XMap + dx;
  const int ny = p.Owner->YMap + dy;
  if (!OnBoard(nx, ny) || KindGrid[nx][ny] != p.Owner->Kind || !BlockGrid[nx][ny]) return false;
  p.Owner = BlockGrid[nx][ny];
  p.fX -= static_cast<float>(dx * BlockSize);
  p.fY -= static_cast<float>(dy * BlockSize);
  return true;
}

void InitParticle(T_PARTICLE& p) {
  const float bs = static_cast<float>(BlockSize);
  switch (p.Mode) {
    case SPARKLE:
      p.Scale = RandomFloat(0.2f, 0.6f);
      p.Size = static_cast<int>(IMAGE_SIZE * p.Scale);
      p.fX = RandomFloat(0, bs - p.Size);
      p.fY = RandomFloat(0, bs - p.Size);
      p.vX = RandomFloat(-0.2f, 0.2f);
      p.vY = RandomFloat(-0.2f, 0.2f);
      p.Timer = 0;
      p.Alpha = 1.0f;
      break;
    case BUBBLE: {
      p.Scale = 0;
      p.ScaleDest = RandomFloat(0.1f, 0.24f);
      p.Size = static_cast<int>(IMAGE_SIZE * p.ScaleDest);
      p.fX = RandomFloat(0, bs - p.Size);
      p.fY = RandomFloat(0, bs - p.Size);
      p.vX = p.vY = 0;
      const int t = RandomInt(1000, 1800);
      p.Timer = Frame.Now + t;
      p.Alpha = 1.0f;
      p.vScale = p.ScaleDest * FRAME_MS / static_cast<float>(t);
      break;
    }
    case DROP:
      p.Scale = RandomFloat(0.2f, 0.4f);
      p.Size = static_cast<int>(IMAGE_SIZE * p.Scale);
      p.fX = RandomFloat(0, bs - p.Size);
      p.fY = 0;
      p.vX = 0;
      p.vY = RandomFloat(0.02f, 0.2f);
      p.Timer = 0;
      p.Alpha = RandomFloat(0.2f, 1.0f);
      break;
    default:  // sources keep their zeros
      break;
  }
}

void MoveSparkle(T_PARTICLE& p) {
  const float edge = static_cast<float>(BlockSize - p.Size);
  p.fX += p.vX;
  p.fY += p.vY;
  if (p.fX < 0 && !PassInto(p, -1, 0)) {
    p.vX = -p.vX;
    p.fX = 0;
  }
  if (p.fX >= edge && !PassInto(p, 1, 0)) {
    p.vX = -p.vX;
    p.fX = edge;
  }
  if (p.fY < 0 && !PassInto(p, 0, -1)) {
    p.vY = -p.vY;
    p.fY = 0;
  }
  if (p.fY >= edge && !PassInto(p, 0, 1)) {
    p.vY = -p.vY;
    p.fY = edge;
  }
}

// Returns false when the particle is to be removed.
bool UpdateParticle(T_PARTICLE& p) {
  if (p.Mode == FREE) {
    p.fX += p.vX;
    p.fY += p.vY;
    p.vY += GRAVITY;
    const float bs = static_cast<float>(BlockSize);
    return !(p.fY > ScreenHeight + bs || p.fY < -bs || p.fX > ScreenWidth + bs || p.fX < -bs);
  }
  if (!p.Owner) return true;
  switch (p.Mode) {
    case SPARKLE:
      MoveSparkle(p);
      return true;
    case BUBBLE_SOURCE:
      if (Frame.Now > p.Timer) {
        T_PARTICLE::AddParticles(p.Owner, BUBBLE, 1);
        p.Timer = Frame.Now + RandomInt(500, 1000);
      }
      return true;
    case DROP_SOURCE:
      // A drop source lives only on the top block of a column of its kind.
      if (SameKindAbove(*p.Owner)) return false;
      if (Frame.Now > p.Timer) {
        T_PARTICLE::AddParticles(p.Owner, DROP, 1);
        p.Timer = Frame.Now + RandomInt(2000, 3000);
      }
      return true;
    case BUBBLE:
      if (Frame.Now < p.Timer) {  // growing in place
        p.Scale += p.vScale;
        p.vY -= 0.004f;
        return true;
      }
      p.fX += p.vX;
      p.fY += p.vY;
      if (p.vY > -4.0f) p.vY -= 0.03f;
      return !(p.fY < 0) || PassInto(p, 0, -1);
    case DROP:
      p.fX += p.vX;
      p.fY += p.vY;
      return !(p.fY >= BlockSize - p.Size) || PassInto(p, 0, 1);
    default:
      return true;
  }
}

}  // namespace

void T_PARTICLE::AddParticles(T_BLOCK* block, int mode, int count) {
  if (!ParticlesOn) return;
  if (!block) {
    ShowMessage("T_Block Ptr = Null dans AddParticles !!!! ????");
    return;
  }
  if (mode == 0) return;
  // Drops start only from the top block of a column of one kind.
  if (mode == DROP_SOURCE && SameKindAbove(*block)) return;
  for (int i = 0; i < count; i++) {
    auto p = std::make_unique<T_PARTICLE>();
    p->Mode = mode;
    InitParticle(*p);
    p->Owner = block;
    Particles.push_back(std::move(p));
  }
}

void T_PARTICLE::DoParticles() {
  // Particles appended during the walk (new bubbles and drops) are visited
  // in the same walk.
  for (auto it = Particles.begin(); it != Particles.end();) {
    if (UpdateParticle(**it)) {
      ++it;
    } else {
      it = Particles.erase(it);
    }
  }
}

void T_PARTICLE::ExplodeParticle(T_BLOCK* block) {
  for (auto it = Particles.begin(); it != Particles.end();) {
    T_PARTICLE& p = **it;
    if (p.Owner != block) {
      ++it;
      continue;
    }
    if (p.Mode == BUBBLE_SOURCE || p.Mode == DROP_SOURCE) {
      it = Particles.erase(it);
      continue;
    }
    p.vX = RandomFloat(-6, 6);
    p.vY = RandomFloat(-6, 2);
    p.fX += static_cast<float>(block->X);
    p.fY += static_cast<float>(block->Y);
    p.Owner = nullptr;
    p.Size = block->Kind;
    p.Mode = FREE;
    ++it;
  }
}

void T_PARTICLE::RemoveParticle(T_BLOCK* block) {
  Particles.remove_if([block](const std::unique_ptr<T_PARTICLE>& p) { return p->Owner == block; });
}

void T_PARTICLE::Draw() {
  SetDrawScale(Scale, Scale);
  SetDrawColour(255, 255, 255);
  if (Owner) {
    Image* strip = KindImage(Owner->Kind);
    if (!strip) return;
    SetDrawAlpha(Alpha);
    DrawSprite(strip, Owner->X + fX, Owner->Y + fY, PARTICLE_FRAME);
  } else {
    Image* strip = KindImage(Size);
    if (!strip) return;
    SetDrawAlpha(1.0f);
    DrawSprite(strip, fX, fY, PARTICLE_FRAME);
  }
}

void T_PARTICLE::DrawAll(int owned) {
  SetBlendMode(BLEND_ADDITIVE);
  for (auto& p : Particles) {
    if ((p->Owner != nullptr) == (owned != 0)) p->Draw();
  }
  SetDrawAlpha(1.0f);
  SetDrawScale(1.0f, 1.0f);
}
