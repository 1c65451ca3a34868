// Game controllers through SDL's game controller interface, played as the
// keyboard: every button press becomes the key event (and typed character)
// of the key it stands for, handed to the same event handling as a real
// keyboard, so the game never knows a pad from a keyboard.
//
//   d-pad, left stick   arrows (repeating while held)
//   A, Start            Enter
//   B                   Escape
//   X                   U (undo)
//   Y                   R (restart)
//   left, right shoulder  - and +
#include <cstdlib>
#include <map>

#include "media/internal.h"

using namespace media_internal;

namespace {

// An arrow held on a pad repeats like a held key: a first step at once, the
// next after REPEAT_DELAY_MS, then one every REPEAT_INTERVAL_MS.
constexpr int REPEAT_DELAY_MS = 400;
constexpr int REPEAT_INTERVAL_MS = 110;
// The stick points somewhere once it leaves the dead zone by half its
// travel, and lets go only when it falls back under STICK_RELEASE, so a
// stick resting near the threshold does not flicker between pressed and not.
constexpr int STICK_PRESS = 16384;
constexpr int STICK_RELEASE = 12000;

// Directions in the game's order: right, down, left, up.
constexpr int DIRECTION_COUNT = 4;
const int ARROW_KEYS[DIRECTION_COUNT] = {KEY_RIGHT, KEY_DOWN, KEY_LEFT, KEY_UP};

struct PadInput {
  bool Dpad[DIRECTION_COUNT] = {};
  int StickX = 0, StickY = 0;
  int StickDirection = -1;  // -1: inside the dead zone
};

struct GamepadState {
  std::map<SDL_JoystickID, SDL_GameController*> Open;  // pads opened by us
  std::map<SDL_JoystickID, PadInput> Pads;              // input of every pad seen
  bool ArrowHeld[DIRECTION_COUNT] = {};
  int NextRepeat[DIRECTION_COUNT] = {};
  bool Arrived = false;
  bool Started = false;
};

GamepadState& State() {
  static auto* state = new GamepadState;  // lives until the process ends
  return *state;
}

void SendKey(int key, bool down) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = SdlFromKeyCode(key);
  HandleEvent(e);
}

void SendText(char c) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.text[0] = c;
  HandleEvent(e);
}

// The component of the stick along a direction (positive when it points there).
int StickAlong(const PadInput& pad, int direction) {
  switch (direction) {
    case 0: return pad.StickX;
    case 1: return pad.StickY;
    case 2: return -pad.StickX;
    default: return -pad.StickY;
  }
}

void UpdateStickDirection(PadInput& pad) {
  if (pad.StickDirection >= 0 && StickAlong(pad, pad.StickDirection) >= STICK_RELEASE) return;
  pad.StickDirection = -1;
  const int ax = std::abs(pad.StickX), ay = std::abs(pad.StickY);
  if (ax < STICK_PRESS && ay < STICK_PRESS) return;
  if (ax >= ay)
    pad.StickDirection = pad.StickX > 0 ? 0 : 2;
  else
    pad.StickDirection = pad.StickY > 0 ? 1 : 3;
}

// Presses or releases the arrow keys so that they follow what the pads hold.
void SyncArrows() {
  GamepadState& s = State();
  for (int d = 0; d < DIRECTION_COUNT; d++) {
    bool held = false;
    for (const auto& [id, pad] : s.Pads) held = held || pad.Dpad[d] || pad.StickDirection == d;
    if (held == s.ArrowHeld[d]) continue;
    s.ArrowHeld[d] = held;
    SendKey(ARROW_KEYS[d], held);
    if (held) s.NextRepeat[d] = Milliseconds() + REPEAT_DELAY_MS;
  }
}

int DpadDirection(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return 0;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return 1;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return 2;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return 3;
    default: return -1;
  }
}

// The buttons that stand for a key other than an arrow: the key (0 for
// none) and the character it types besides the key's own.
struct ButtonKey {
  int Button;
  int Key;
  char Typed;
};
const ButtonKey BUTTON_KEYS[] = {
    {SDL_CONTROLLER_BUTTON_A, KEY_ENTER, 0},
    {SDL_CONTROLLER_BUTTON_START, KEY_ENTER, 0},
    {SDL_CONTROLLER_BUTTON_B, KEY_ESCAPE, 0},
    {SDL_CONTROLLER_BUTTON_X, 'U', 'u'},
    {SDL_CONTROLLER_BUTTON_Y, 'R', 'r'},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0, '-'},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0, '+'},
};

void HandleButton(SDL_JoystickID id, int button, bool down) {
  const int direction = DpadDirection(button);
  if (direction >= 0) {
    State().Pads[id].Dpad[direction] = down;
    SyncArrows();
    return;
  }
  for (const ButtonKey& mapping : BUTTON_KEYS) {
    if (mapping.Button != button) continue;
    if (mapping.Key) SendKey(mapping.Key, down);
    if (down && mapping.Typed) SendText(mapping.Typed);
  }
}

void HandleStick(SDL_JoystickID id, int axis, int value) {
  PadInput& pad = State().Pads[id];
  if (axis == SDL_CONTROLLER_AXIS_LEFTX)
    pad.StickX = value;
  else if (axis == SDL_CONTROLLER_AXIS_LEFTY)
    pad.StickY = value;
  else
    return;
  UpdateStickDirection(pad);
  SyncArrows();
}

void Connect(int deviceIndex) {
  GamepadState& s = State();
  s.Arrived = true;
  if (!s.Started || !SDL_IsGameController(deviceIndex)) return;
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (id < 0 || s.Open.count(id)) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller) s.Open[id] = controller;
}

// A pad pulled out lets go of whatever it held.
void Disconnect(SDL_JoystickID id) {
  GamepadState& s = State();
  auto open = s.Open.find(id);
  if (open != s.Open.end()) {
    SDL_GameControllerClose(open->second);
    s.Open.erase(open);
  }
  s.Pads.erase(id);
  SyncArrows();
}

}  // namespace

namespace media_internal {

void StartGamepads() {
  // Pads already plugged in are announced as connections by the first
  // event poll, like pads plugged in later.
  State().Started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

void StopGamepads() {
  GamepadState& s = State();
  for (auto& [id, controller] : s.Open) SDL_GameControllerClose(controller);
  s.Open.clear();
  if (s.Started) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  s.Started = false;
  ResetGamepads();
}

void ResetGamepads() {
  GamepadState& s = State();
  s.Pads.clear();
  for (bool& held : s.ArrowHeld) held = false;
  s.Arrived = false;
}

void HandleGamepadEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: Connect(event.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED: Disconnect(event.cdevice.which); break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      HandleButton(event.cbutton.which, event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN);
      break;
    case SDL_CONTROLLERAXISMOTION: HandleStick(event.caxis.which, event.caxis.axis, event.caxis.value); break;
    default: break;
  }
}

void RepeatHeldArrows() {
  GamepadState& s = State();
  const int now = Milliseconds();
  for (int d = 0; d < DIRECTION_COUNT; d++) {
    if (!s.ArrowHeld[d] || now < s.NextRepeat[d]) continue;
    // One step per poll at most: a long stall does not end in a burst.
    SendKey(ARROW_KEYS[d], true);
    s.NextRepeat[d] = now + REPEAT_INTERVAL_MS;
  }
}

}  // namespace media_internal

bool GamepadArrived() {
  const bool arrived = State().Arrived;
  State().Arrived = false;
  return arrived;
}
