// Keyboard, pointer buttons, wheel and typed characters. Real SDL events and
// the events injected by tests go through the same HandleEvent.
#include <deque>

#include "media/internal.h"

using namespace media_internal;

namespace {

constexpr int KEY_COUNT = 256;
constexpr int BUTTON_COUNT = 3;  // 1 left, 2 right

struct InputState {
  std::deque<KeyPress> Presses;
  // The last event queued a key press that may still get the character it
  // types: the platform sends that character as the very next event.
  bool PressOpen = false;
  bool KeyDown[KEY_COUNT] = {};
  int ButtonHitCount[BUTTON_COUNT] = {};
  bool ButtonDown[BUTTON_COUNT] = {};
  int PointerX = 0, PointerY = 0;
  int Wheel = 0;
};

InputState& State() {
  static auto* state = new InputState;  // lives until the process ends
  return *state;
}

struct KeyPair {
  SDL_Keycode Sdl;
  int Code;
};

const KeyPair SPECIAL_KEYS[] = {
    {SDLK_BACKSPACE, KEY_BACKSPACE}, {SDLK_RETURN, KEY_ENTER},      {SDLK_KP_ENTER, KEY_ENTER},
    {SDLK_ESCAPE, KEY_ESCAPE},       {SDLK_SPACE, KEY_SPACE},       {SDLK_PAGEUP, KEY_PAGE_UP},
    {SDLK_PAGEDOWN, KEY_PAGE_DOWN},  {SDLK_END, KEY_END},           {SDLK_HOME, KEY_HOME},
    {SDLK_LEFT, KEY_LEFT},           {SDLK_UP, KEY_UP},             {SDLK_RIGHT, KEY_RIGHT},
    {SDLK_DOWN, KEY_DOWN},           {SDLK_F1, KEY_F1},             {SDLK_LCTRL, KEY_CONTROL},
    {SDLK_RCTRL, KEY_CONTROL},
};

int ButtonFromSdl(uint8_t button) {
  if (button == SDL_BUTTON_LEFT) return BUTTON_LEFT;
  if (button == SDL_BUTTON_RIGHT) return BUTTON_RIGHT;
  return 0;
}

// Typed text: its first character joins the key press that typed it, when
// that press was the event just before; other characters are presses of
// their own (text from an input method, a held key's repeats).
void PushTypedText(const char* utf8, bool pressOpen) {
  auto& presses = State().Presses;
  std::string text(utf8);
  size_t pos = 0;
  while (pos < text.size()) {
    const int c = static_cast<int>(NextCodePoint(text, pos));
    if (pressOpen) {
      presses.back().Char = c;
      pressOpen = false;
    } else {
      presses.push_back({0, c});
    }
  }
}

}  // namespace

namespace media_internal {

int KeyCodeFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return key;  // '0'..'9'
  for (const KeyPair& pair : SPECIAL_KEYS)
    if (pair.Sdl == key) return pair.Code;
  return 0;
}

SDL_Keycode SdlFromKeyCode(int key) {
  // The special keys first: F1 (112) shares its code with a lower-case 'p'.
  for (const KeyPair& pair : SPECIAL_KEYS)
    if (pair.Code == key) return pair.Sdl;
  if (key >= 'A' && key <= 'Z') return SDLK_a + (key - 'A');
  if (key >= 'a' && key <= 'z') return key;
  if (key >= '0' && key <= '9') return key;
  return SDLK_UNKNOWN;
}

void HandleEvent(const SDL_Event& event) {
  InputState& s = State();
  const bool pressOpen = s.PressOpen;
  s.PressOpen = false;
  switch (event.type) {
    case SDL_QUIT:
      Display().CloseRequested = true;
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) Display().CloseRequested = true;
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      // Scaled frames and quarter squares are drawn textures, lost with
      // the device's targets: they are made again when next drawn.
      DropScaledFrames();
      break;
    case SDL_KEYDOWN: {
      int code = KeyCodeFromSdl(event.key.keysym.sym);
      if (code <= 0 || code >= KEY_COUNT) break;
      s.KeyDown[code] = true;
      KeyPress press;
      if (!event.key.repeat) press.Key = code;
      // Ctrl as it was at this press: a quick Ctrl+V lets go of Ctrl before
      // the frame reads its presses.
      press.Control = s.KeyDown[KEY_CONTROL];
      // These keys type a character of their own; text input leaves them out.
      // A held Escape types it once: its auto-repeat would leave screen
      // after screen and end the game. A held Backspace repeats (undo).
      const bool repeatedEscape = code == KEY_ESCAPE && event.key.repeat;
      if ((code == KEY_BACKSPACE || code == KEY_ENTER || code == KEY_ESCAPE) && !repeatedEscape) press.Char = code;
      if (press.Key == 0 && press.Char == 0) break;
      s.Presses.push_back(press);
      s.PressOpen = press.Char == 0;
      break;
    }
    case SDL_KEYUP: {
      int code = KeyCodeFromSdl(event.key.keysym.sym);
      if (code > 0 && code < KEY_COUNT) s.KeyDown[code] = false;
      break;
    }
    case SDL_TEXTINPUT:
      PushTypedText(event.text.text, pressOpen);
      break;
    case SDL_MOUSEMOTION:
      if (event.motion.which == SDL_TOUCH_MOUSEID) break;
      s.PointerX = event.motion.x;
      s.PointerY = event.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (event.button.which == SDL_TOUCH_MOUSEID) break;
      s.PointerX = event.button.x;
      s.PointerY = event.button.y;
      int button = ButtonFromSdl(event.button.button);
      if (button == 0) break;
      bool down = event.type == SDL_MOUSEBUTTONDOWN;
      if (down) s.ButtonHitCount[button]++;
      s.ButtonDown[button] = down;
      break;
    }
    case SDL_MOUSEWHEEL: {
      if (event.wheel.which == SDL_TOUCH_MOUSEID) break;
      int notches = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
      s.Wheel += notches;
      break;
    }
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP:
      HandleTouchEvent(event);
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
      HandleGamepadEvent(event);
      break;
    default:
      break;
  }
}

void SetPointerState(int x, int y) {
  State().PointerX = x;
  State().PointerY = y;
}

void PumpEvents() {
  if (!VideoStarted()) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(event);
  RepeatHeldArrows();
}

void ResetInputState() {
  State() = InputState();
  ResetTouch();
  ResetGamepads();
  Display().CloseRequested = false;
}

}  // namespace media_internal

std::vector<KeyPress> TakeKeyPresses() {
  InputState& s = State();
  std::vector<KeyPress> presses(s.Presses.begin(), s.Presses.end());
  s.Presses.clear();
  s.PressOpen = false;
  return presses;
}

bool IsKeyDown(int key) { return key > 0 && key < KEY_COUNT && State().KeyDown[key]; }

void ClearKeyboard() {
  InputState& s = State();
  for (bool& down : s.KeyDown) down = false;
  s.Presses.clear();
  s.PressOpen = false;
}

void PointerPosition(int& x, int& y) {
  x = State().PointerX;
  y = State().PointerY;
}

int WheelPosition() { return State().Wheel; }

int ButtonHits(int button) {
  if (button <= 0 || button >= BUTTON_COUNT) return 0;
  int hits = State().ButtonHitCount[button];
  State().ButtonHitCount[button] = 0;
  return hits;
}

bool IsButtonDown(int button) { return button > 0 && button < BUTTON_COUNT && State().ButtonDown[button]; }

void ClearButtons() {
  InputState& s = State();
  for (int i = 0; i < BUTTON_COUNT; i++) {
    s.ButtonHitCount[i] = 0;
    s.ButtonDown[i] = false;
  }
  s.Wheel = 0;
}

void ShowSystemPointer() {
  if (VideoStarted()) SDL_ShowCursor(SDL_ENABLE);
}

void HideSystemPointer() {
  if (VideoStarted()) SDL_ShowCursor(SDL_DISABLE);
}

void MoveSystemPointer(int x, int y) {
  DisplayState& d = Display();
  if (d.Window) SDL_WarpMouseInWindow(d.Window, x, y);
  // The warp reports a motion event on most platforms, not on all.
  State().PointerX = x;
  State().PointerY = y;
}

bool CloseRequested() {
  return Display().CloseRequested;
}
