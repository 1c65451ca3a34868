// The frame input: read once per frame by the main loop, read by every
// handler. A handler may clear LeftHit and LeftDown to swallow a click.
#pragma once

#include <cstdint>

struct FrameInput {
  int PointerX = 0;  // game-screen pixels
  int PointerY = 0;
  int Wheel = 0;
  int LeftHit = 0;
  bool LeftDown = false;
  int RightHit = 0;
  int TypedChar = -1;  // 0 when nothing was typed; -1 before the first frame
  bool HelpKey = false;  // F1 pressed since the last frame
  int64_t Now = 0;     // frame clock, milliseconds
};

extern FrameInput Frame;

// The platform's millisecond counter, as the frame clock reads it (64 bits:
// it does not wrap however long the game runs).
int64_t ReadClock();
