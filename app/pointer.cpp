#include "app/pointer.h"

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "media/media.h"

void DrawBlinkingPointer() {
  Image* image = (Frame.Now & 512) != 0 ? PressedPointerImage : PointerImage;
  DrawSprite(image, static_cast<float>(9 * BlockSize + HalfCell - POINTER_HOT_X),
             static_cast<float>(6 * BlockSize + HalfCell - POINTER_HOT_Y), 0);
}
