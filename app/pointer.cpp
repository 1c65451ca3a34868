#include "app/pointer.h"

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "media/media.h"

float PointerScale() {
  return static_cast<float>(POINTER_HAND_TENTHS * BlockSize) / static_cast<float>(10 * POINTER_HAND_HEIGHT);
}

void DrawPointerAt(Image* image, int x, int y) {
  if (image == nullptr) return;
  const float s = PointerScale();
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  SetDrawAlpha(1);
  DrawSpriteStretched(image, static_cast<float>(x) - POINTER_HOT_X * s, static_cast<float>(y) - POINTER_HOT_Y * s,
                      static_cast<float>(ImageWidth(image)) * s, static_cast<float>(ImageHeight(image)) * s, 0);
}

void DrawBlinkingPointer() {
  DrawPointerAt((Frame.Now & 512) != 0 ? PressedPointerImage : PointerImage, 9 * BlockSize + HalfCell,
                6 * BlockSize + HalfCell);
}
