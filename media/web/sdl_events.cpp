// SDL's event queue fed by the page: keys, mouse and wheel, touches (the
// browser's own mouse emulation of touches is turned off, so a finger is
// only ever a finger), game controllers polled through the Gamepad API, and
// the page's services (message boxes, opening an address, the clipboard).
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "media/web/include/SDL.h"
#include "media/web/page.h"

namespace {

std::deque<SDL_Event>& Queue() {
  static auto* queue = new std::deque<SDL_Event>;  // lives until the page closes
  return *queue;
}

SDL_EventFilter watcher = nullptr;
bool started = false;

void Push(SDL_Event event) {
  if (watcher) watcher(nullptr, &event);
  Queue().push_back(event);
}

// DOM key names of the keys the game knows; letters and digits come from
// the key's place on the keyboard (its code), so a held Shift changes nothing.
struct NamedKey {
  const char* Name;
  SDL_Keycode Code;
};
const NamedKey NAMED_KEYS[] = {
    {"Backspace", SDLK_BACKSPACE}, {"Enter", SDLK_RETURN},     {"Escape", SDLK_ESCAPE},
    {"Space", SDLK_SPACE},         {"PageUp", SDLK_PAGEUP},    {"PageDown", SDLK_PAGEDOWN},
    {"End", SDLK_END},             {"Home", SDLK_HOME},        {"ArrowLeft", SDLK_LEFT},
    {"ArrowUp", SDLK_UP},          {"ArrowRight", SDLK_RIGHT}, {"ArrowDown", SDLK_DOWN},
    {"F1", SDLK_F1},               {"ControlLeft", SDLK_LCTRL}, {"ControlRight", SDLK_RCTRL},
    {"NumpadEnter", SDLK_KP_ENTER},
};

SDL_Keycode KeycodeOf(const EmscriptenKeyboardEvent& e) {
  const std::string code = e.code;
  for (const NamedKey& k : NAMED_KEYS)
    if (code == k.Name) return k.Code;
  if (code.size() == 4 && code.compare(0, 3, "Key") == 0 && code[3] >= 'A' && code[3] <= 'Z')
    return SDLK_a + (code[3] - 'A');
  if (code.size() == 6 && code.compare(0, 5, "Digit") == 0) return code[5];
  if (code.size() == 7 && code.compare(0, 6, "Numpad") == 0 && code[6] >= '0' && code[6] <= '9') return code[6];
  return SDLK_UNKNOWN;
}

// A page reads the clipboard only in a paste event (what Ctrl+V does when
// the key is left to the browser): its text is kept here for the game and
// the game gets its Ctrl+V then.
std::string pasted;
bool controlHeld = false;

void PushKey(SDL_Keycode key, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  Push(event);
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*) {
  web_page::NoteInput();
  SDL_Event event{};
  event.type = type == EMSCRIPTEN_EVENT_KEYDOWN ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = type == EMSCRIPTEN_EVENT_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = e->repeat ? 1 : 0;
  event.key.keysym.sym = KeycodeOf(*e);
  // The browser's own shortcuts (reload, developer tools, ...) stay its own.
  if (e->ctrlKey || e->metaKey || e->altKey) {
    if (event.key.keysym.sym == SDLK_LCTRL || event.key.keysym.sym == SDLK_RCTRL) {
      controlHeld = type == EMSCRIPTEN_EVENT_KEYDOWN;
      Push(event);
    }
    return EM_FALSE;
  }
  if (event.key.keysym.sym == SDLK_LCTRL || event.key.keysym.sym == SDLK_RCTRL) controlHeld = false;
  if (event.key.keysym.sym != SDLK_UNKNOWN) Push(event);
  // A key that types one printable character types it, right after its press.
  const std::string key = e->key;
  const unsigned char first = key.empty() ? 0 : static_cast<unsigned char>(key[0]);
  const size_t length = first < 0x80 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
  if (type == EMSCRIPTEN_EVENT_KEYDOWN && first >= 0x20 && key.size() == length && key.size() < 32) {
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::memcpy(text.text.text, key.c_str(), key.size() + 1);
    Push(text);
  }
  // F1 and the keys that would scroll the page are the game's.
  return event.key.keysym.sym != SDLK_UNKNOWN || key.size() == length ? EM_TRUE : EM_FALSE;
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* e, void*) {
  int x, y;
  web_page::CanvasPixels(e->clientX, e->clientY, x, y);
  SDL_Event event{};
  if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    Push(event);
    return EM_FALSE;
  }
  web_page::NoteInput();
  event.type = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.state = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.button = e->button == 0 ? SDL_BUTTON_LEFT : e->button == 2 ? SDL_BUTTON_RIGHT : 2;
  event.button.clicks = 1;
  event.button.x = x;
  event.button.y = y;
  Push(event);
  return EM_TRUE;
}

EM_BOOL OnWheel(int, const EmscriptenWheelEvent* e, void*) {
  if (e->deltaY == 0) return EM_TRUE;
  SDL_Event event{};
  event.type = SDL_MOUSEWHEEL;
  event.wheel.y = e->deltaY < 0 ? 1 : -1;  // a notch away from the player is up
  event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  Push(event);
  return EM_TRUE;
}

EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* e, void*) {
  web_page::NoteInput();
  int w = 0, h = 0;
  emscripten_get_canvas_element_size("#canvas", &w, &h);
  if (w <= 0 || h <= 0) return EM_TRUE;
  for (int i = 0; i < e->numTouches; i++) {
    const EmscriptenTouchPoint& t = e->touches[i];
    if (!t.isChanged) continue;
    int x, y;
    web_page::CanvasPixels(t.clientX, t.clientY, x, y);
    SDL_Event event{};
    event.type = type == EMSCRIPTEN_EVENT_TOUCHSTART ? SDL_FINGERDOWN
                 : type == EMSCRIPTEN_EVENT_TOUCHMOVE ? SDL_FINGERMOTION
                                                      : SDL_FINGERUP;
    event.tfinger.fingerId = t.identifier;
    event.tfinger.x = static_cast<float>(x) / static_cast<float>(w);
    event.tfinger.y = static_cast<float>(y) / static_cast<float>(h);
    event.tfinger.pressure = 1;
    Push(event);
  }
  return EM_TRUE;  // no mouse events made up from the touch, no scrolling
}

// --------------------------------------------------------------- gamepads
constexpr int MAX_PADS = 4;
// Standard mapping button indexes of the buttons the game uses.
const int PAD_BUTTONS[][2] = {
    {0, SDL_CONTROLLER_BUTTON_A},          {1, SDL_CONTROLLER_BUTTON_B},
    {2, SDL_CONTROLLER_BUTTON_X},          {3, SDL_CONTROLLER_BUTTON_Y},
    {4, SDL_CONTROLLER_BUTTON_LEFTSHOULDER}, {5, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
    {9, SDL_CONTROLLER_BUTTON_START},      {12, SDL_CONTROLLER_BUTTON_DPAD_UP},
    {13, SDL_CONTROLLER_BUTTON_DPAD_DOWN}, {14, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {15, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
};

struct PadSeen {
  bool Connected = false;
  bool Buttons[16] = {};
  Sint16 Axes[2] = {};
};
PadSeen pads[MAX_PADS];
bool padsOn = false;

void PollGamepads() {
  if (!padsOn || emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
  const int count = std::min(emscripten_get_num_gamepads(), MAX_PADS);
  for (int i = 0; i < MAX_PADS; i++) {
    EmscriptenGamepadEvent state{};
    const bool connected = i < count && emscripten_get_gamepad_status(i, &state) == EMSCRIPTEN_RESULT_SUCCESS &&
                           state.connected;
    PadSeen& seen = pads[i];
    SDL_Event event{};
    if (connected != seen.Connected) {
      event.type = connected ? SDL_CONTROLLERDEVICEADDED : SDL_CONTROLLERDEVICEREMOVED;
      event.cdevice.which = i;
      Push(event);
      seen = PadSeen();
      seen.Connected = connected;
    }
    if (!connected) continue;
    for (const auto& [index, button] : PAD_BUTTONS) {
      const bool down = index < state.numButtons && state.digitalButton[index];
      if (down == seen.Buttons[index]) continue;
      seen.Buttons[index] = down;
      event = SDL_Event{};
      event.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
      event.cbutton.which = i;
      event.cbutton.button = static_cast<Uint8>(button);
      event.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
      Push(event);
      web_page::NoteInput();
    }
    for (int axis = 0; axis < 2 && axis < state.numAxes; axis++) {
      const Sint16 value = static_cast<Sint16>(std::lround(std::clamp(state.axis[axis], -1.0, 1.0) * 32767));
      if (value == seen.Axes[axis]) continue;
      seen.Axes[axis] = value;
      event = SDL_Event{};
      event.type = SDL_CONTROLLERAXISMOTION;
      event.caxis.which = i;
      event.caxis.axis = static_cast<Uint8>(axis == 0 ? SDL_CONTROLLER_AXIS_LEFTX : SDL_CONTROLLER_AXIS_LEFTY);
      event.caxis.value = value;
      Push(event);
    }
  }
}

void Listen() {
  const char* canvas = "#canvas";
  EM_ASM({
    window.addEventListener('paste', function(e) {
      var data = e.clipboardData || window.clipboardData;
      if (!data) return;
      e.preventDefault();
      Module.ccall('plimo_paste', null, ['string'], [data.getData('text') || ""]);
    });
  });
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKey);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKey);
  emscripten_set_mousedown_callback(canvas, nullptr, EM_TRUE, OnMouse);
  // Moves and releases outside the canvas still belong to a drag begun on it.
  emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnMouse);
  emscripten_set_mousemove_callback(canvas, nullptr, EM_TRUE, OnMouse);
  emscripten_set_wheel_callback(canvas, nullptr, EM_TRUE, OnWheel);
  emscripten_set_touchstart_callback(canvas, nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchmove_callback(canvas, nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchend_callback(canvas, nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchcancel_callback(canvas, nullptr, EM_TRUE, OnTouch);
}

}  // namespace

int SDL_Init(Uint32 flags) { return SDL_InitSubSystem(flags); }

int SDL_InitSubSystem(Uint32 flags) {
  if ((flags & (SDL_INIT_VIDEO | SDL_INIT_EVENTS)) && !started) {
    Listen();
    started = true;
  }
  if (flags & SDL_INIT_GAMECONTROLLER) padsOn = true;
  return 0;
}

void SDL_QuitSubSystem(Uint32 flags) {
  if (flags & SDL_INIT_GAMECONTROLLER) padsOn = false;
}

void SDL_Quit() { Queue().clear(); }

const char* SDL_GetCurrentVideoDriver() { return "webgl"; }

void SDL_free(void* memory) { std::free(memory); }

int SDL_PollEvent(SDL_Event* event) {
  if (Queue().empty()) {
    PollGamepads();
    if (Queue().empty()) return 0;
  }
  *event = Queue().front();
  Queue().pop_front();
  return 1;
}

int SDL_PushEvent(SDL_Event* event) {
  Push(*event);
  return 1;
}

void SDL_FlushEvents(Uint32 minType, Uint32 maxType) {
  std::erase_if(Queue(), [=](const SDL_Event& e) { return e.type >= minType && e.type <= maxType; });
}

void SDL_AddEventWatch(SDL_EventFilter filter, void*) { watcher = filter; }

void SDL_StartTextInput() {}

bool SDL_IsGameController(int deviceIndex) { return deviceIndex >= 0 && deviceIndex < MAX_PADS; }
SDL_JoystickID SDL_JoystickGetDeviceInstanceID(int deviceIndex) { return deviceIndex; }

SDL_GameController* SDL_GameControllerOpen(int deviceIndex) {
  // Pads are sampled, not opened: any non-null handle stands for one.
  return reinterpret_cast<SDL_GameController*>(static_cast<intptr_t>(deviceIndex + 1));
}

void SDL_GameControllerClose(SDL_GameController*) {}

void SDL_WarpMouseInWindow(SDL_Window*, int, int) {}  // a page cannot move the pointer

int SDL_ShowCursor(int toggle) {
  EM_ASM({ document.getElementById('canvas').style.cursor = $0 ? 'default' : 'none'; }, toggle);
  return toggle;
}

int SDL_ShowSimpleMessageBox(Uint32, const char*, const char* message, SDL_Window*) {
  web_page::ShowNote(message);
  return 0;
}

int SDL_OpenURL(const char* url) {
  // A page of the player's folder lives in the page's own file system: it is
  // opened from its bytes.
  const int opened = EM_ASM_INT(
      {
        var address = UTF8ToString($0);
        var prefix = 'file://';
        var target = address;
        if (address.startsWith(prefix)) {
          var path = decodeURIComponent(address.substring(prefix.length));
          try {
            var bytes = FS.readFile(path);
            target = URL.createObjectURL(new Blob([bytes], {type : 'text/html'}));
          } catch (e) {
            return 0;
          }
        }
        return window.open(target, '_blank') ? 1 : 0;
      },
      url);
  return opened ? 0 : -1;
}

// The text of a paste: kept for the game, which then gets the Ctrl+V that
// made it (Cmd+V or the browser's menu hold no Control: it is held for it).
extern "C" EMSCRIPTEN_KEEPALIVE void plimo_paste(const char* text) {
  pasted.assign(text, std::min<size_t>(std::strlen(text), 4096));
  const bool hold = !controlHeld;
  if (hold) PushKey(SDLK_LCTRL, true);
  PushKey(static_cast<SDL_Keycode>('v'), true);
  PushKey(static_cast<SDL_Keycode>('v'), false);
  if (hold) PushKey(SDLK_LCTRL, false);
  web_page::NoteInput();
}

char* SDL_GetClipboardText() {
  char* copy = static_cast<char*>(std::calloc(pasted.size() + 1, 1));
  if (copy) std::memcpy(copy, pasted.data(), pasted.size());
  return copy;
}

int SDL_SetClipboardText(const char* text) {
  EM_ASM(
      {
        if (navigator.clipboard) navigator.clipboard.writeText(UTF8ToString($0)).catch(function() {});
      },
      text);
  return 0;
}
