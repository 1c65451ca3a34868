// Test hooks: injected input built as SDL events and handed to the same
// handler as real events, and reading back the back buffer.
#include <cstring>

#include "media/internal.h"

using namespace media_internal;

namespace {

void Key(int key, bool down, bool repeat = false) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym.sym = SdlFromKeyCode(key);
  HandleEvent(e);
}

void Button(int button, bool down) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = button == BUTTON_RIGHT ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  int x, y;
  PointerPosition(x, y);
  e.button.x = x;
  e.button.y = y;
  HandleEvent(e);
}

void Finger(Uint32 type, int id, float x, float y) {
  SDL_Event e{};
  e.type = type;
  e.tfinger.touchId = 1;
  e.tfinger.fingerId = id;
  int w = Display().Width, h = Display().Height;
  if (Display().Window) SDL_GetWindowSize(Display().Window, &w, &h);
  e.tfinger.x = w > 0 ? static_cast<float>(static_cast<double>(x) / w) : 0.0f;
  e.tfinger.y = h > 0 ? static_cast<float>(static_cast<double>(y) / h) : 0.0f;
  e.tfinger.pressure = 1.0f;
  HandleEvent(e);
}

// Last known position of each injected finger, for the finger-up event.
float fingerX[16], fingerY[16];

}  // namespace

namespace media_test {

void InjectKeyDown(int key) { Key(key, true); }
void InjectKeyUp(int key) { Key(key, false); }
void InjectKeyRepeat(int key) { Key(key, true, true); }

void InjectTypedChar(int character) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  std::string text;
  AppendUtf8(text, static_cast<uint32_t>(character));
  std::strncpy(e.text.text, text.c_str(), sizeof e.text.text - 1);
  HandleEvent(e);
}

void InjectPointerMove(int x, int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  HandleEvent(e);
}

void InjectButtonDown(int button) { Button(button, true); }
void InjectButtonUp(int button) { Button(button, false); }

void InjectWheel(int notches) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.y = notches;
  e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  HandleEvent(e);
}

void InjectTouchDown(int id, float x, float y) {
  fingerX[id & 15] = x;
  fingerY[id & 15] = y;
  Finger(SDL_FINGERDOWN, id, x, y);
}

void InjectTouchMove(int id, float x, float y) {
  fingerX[id & 15] = x;
  fingerY[id & 15] = y;
  Finger(SDL_FINGERMOTION, id, x, y);
}

void InjectTouchUp(int id) { Finger(SDL_FINGERUP, id, fingerX[id & 15], fingerY[id & 15]); }

void InjectMouseFromTouch(int x, int y, bool down) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.which = SDL_TOUCH_MOUSEID;
  e.motion.x = x;
  e.motion.y = y;
  HandleEvent(e);
  SDL_Event b{};
  b.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  b.button.which = SDL_TOUCH_MOUSEID;
  b.button.button = SDL_BUTTON_LEFT;
  b.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  b.button.x = x;
  b.button.y = y;
  HandleEvent(b);
}

// The hooks' button numbers are SDL's.
static_assert(int{PAD_A} == int{SDL_CONTROLLER_BUTTON_A} && int{PAD_START} == int{SDL_CONTROLLER_BUTTON_START} &&
              int{PAD_RIGHT_SHOULDER} == int{SDL_CONTROLLER_BUTTON_RIGHTSHOULDER} &&
              int{PAD_DPAD_RIGHT} == int{SDL_CONTROLLER_BUTTON_DPAD_RIGHT});

void InjectPadAdded(int id) {
  // An injected pad has no device behind it: SDL is not asked to open it.
  SDL_Event e{};
  e.type = SDL_CONTROLLERDEVICEADDED;
  e.cdevice.which = -1 - id;
  HandleEvent(e);
}

void InjectPadRemoved(int id) {
  SDL_Event e{};
  e.type = SDL_CONTROLLERDEVICEREMOVED;
  e.cdevice.which = id;
  HandleEvent(e);
}

void InjectPadButton(int id, PadButton button, bool down) {
  SDL_Event e{};
  e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
  e.cbutton.which = id;
  e.cbutton.button = static_cast<Uint8>(button);
  e.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  HandleEvent(e);
}

void InjectPadStick(int id, int x, int y) {
  SDL_Event e{};
  e.type = SDL_CONTROLLERAXISMOTION;
  e.caxis.which = id;
  e.caxis.axis = SDL_CONTROLLER_AXIS_LEFTX;
  e.caxis.value = static_cast<Sint16>(x);
  HandleEvent(e);
  e.caxis.axis = SDL_CONTROLLER_AXIS_LEFTY;
  e.caxis.value = static_cast<Sint16>(y);
  HandleEvent(e);
}

void InjectCloseRequest() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  HandleEvent(e);
}

void PushWindowExposed() {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_EXPOSED;
  e.window.windowID = Display().Window ? SDL_GetWindowID(Display().Window) : 0;
  SDL_PushEvent(&e);
}

void ResetInput() {
  // Events still queued in SDL are dropped too.
  if (VideoStarted()) SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  ResetInputState();
}

uint32_t ReadPixel(int x, int y) {
  DisplayState& d = Display();
  if (!d.Renderer || !d.Open || x < 0 || y < 0 || x >= d.Width || y >= d.Height) return 0;
  FlushDraws();
  SDL_Rect rect{x, y, 1, 1};
  uint32_t pixel = 0;
  if (SDL_RenderReadPixels(d.Renderer, &rect, SDL_PIXELFORMAT_RGBA8888, &pixel, 4) != 0) return 0;
  return pixel;
}

uint32_t ReadImagePixel(Image* image, int x, int y) {
  DisplayState& d = Display();
  if (!d.Renderer || !image || !image->Target || x < 0 || y < 0 || x >= image->Width || y >= image->Height) return 0;
  FlushDraws();
  SDL_Texture* previous = SDL_GetRenderTarget(d.Renderer);
  uint32_t pixel = 0;
  if (SDL_SetRenderTarget(d.Renderer, image->Texture) == 0) {
    SDL_Rect rect{x, y, 1, 1};
    if (SDL_RenderReadPixels(d.Renderer, &rect, SDL_PIXELFORMAT_RGBA8888, &pixel, 4) != 0) pixel = 0;
  }
  SDL_SetRenderTarget(d.Renderer, previous);
  ApplyClip();
  return pixel;
}

bool SaveBackBufferPNG(const std::string& path) {
  DisplayState& d = Display();
  if (!d.Renderer || !d.Open) return false;
  FlushDraws();
  std::vector<uint8_t> rgba(static_cast<size_t>(d.Width) * d.Height * 4);
  SDL_Rect all{0, 0, d.Width, d.Height};
  if (SDL_RenderReadPixels(d.Renderer, &all, SDL_PIXELFORMAT_ABGR8888, rgba.data(), d.Width * 4) != 0) return false;
  return EncodePNG(path, rgba, d.Width, d.Height);
}

}  // namespace media_test
