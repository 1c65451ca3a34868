// The frame input: read once per frame by the main loop, read by every
// handler. A handler may clear LeftHit and LeftDown to swallow a click.
// The key presses of the frame are handled one by one, in the order they
// were made, however many came in one frame.
#pragma once

#include <cstdint>
#include <vector>

#include "media/media.h"

struct FrameInput {
  int PointerX = 0;  // game-screen pixels
  int PointerY = 0;
  int Wheel = 0;
  int LeftHit = 0;
  bool LeftDown = false;
  int RightHit = 0;
  std::vector<KeyPress> Keys;  // this frame's key presses, oldest first
  int64_t Now = 0;     // frame clock, milliseconds
};

extern FrameInput Frame;

// The platform's millisecond counter, as the frame clock reads it (64 bits:
// it does not wrap however long the game runs).
int64_t ReadClock();
