// Starting and stopping the platform.
#include "media/internal.h"

using namespace media_internal;

namespace {
bool videoStarted = false;
}

namespace media_internal {
bool VideoStarted() { return videoStarted; }
}

bool MediaInit() {
  if (videoStarted) return true;
  // Each input is seen once: no mouse events made from fingers, no finger
  // events made from the mouse.
  SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) return false;
  videoStarted = true;
  SDL_StartTextInput();
  StartAudio();
  StartGamepads();
  return true;
}

void MediaQuit() {
  if (!videoStarted) return;
  StopGamepads();
  StopAudio();
  FreeAllFonts();
  FreeAllImages();
  DisplayState& d = Display();
  if (d.Renderer) SDL_DestroyRenderer(d.Renderer);
  if (d.Window) SDL_DestroyWindow(d.Window);
  d = DisplayState();
  SDL_Quit();
  videoStarted = false;
}
