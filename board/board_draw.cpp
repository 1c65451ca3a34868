// A whole board screen, in its fixed drawing order.
#include "board/board_draw.h"

#include "app/display.h"
#include "app/frame_input.h"
#include "app/settings.h"
#include "board/block.h"
#include "effects/effects.h"
#include "levels/level_lifecycle.h"
#include "media/media.h"
#include "menus/tutorial.h"
#include "play/play_input.h"

namespace {
constexpr int EXIT_SCROLL_STEP = 25;  // pixels per frame
}

void DrawPlay() {
  // After a menu choice the blocks, their particles and the highlight slide
  // up together; free particles, fragments and overlays stay in place.
  if (ExitScrollOn && ExitScrollStart < Frame.Now) {
    ExitScrollOffset -= EXIT_SCROLL_STEP;
    SetDrawOrigin(ScreenOffsetX, ScreenOffsetY + ExitScrollOffset);
  }
  T_BLOCK::DrawAll();
  if (ParticlesOn) T_PARTICLE::DrawAll(1);
  T_BLOCK::DrawSelectedBlocks();
  SetDrawOrigin(ScreenOffsetX, ScreenOffsetY);
  if (ParticlesOn) T_PARTICLE::DrawAll(0);
  DrawTutorialText();
  T_FX::DrawAll();
  DrawLevelBanner();
}
