// The part of SDL2's interface that the media layer uses, written for a web
// page: a 2D renderer on WebGL 2, events from the page's HTML5 input, game
// controllers from the Gamepad API and an audio device on OpenAL (Web
// Audio). With it the media layer's files build unchanged for the browser.
// Names, types and values follow SDL2 where the media layer depends on them;
// everything else is left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

using Uint8 = uint8_t;
using Uint16 = uint16_t;
using Uint32 = uint32_t;
using Sint16 = int16_t;
using Sint32 = int32_t;
using Sint64 = int64_t;

// ------------------------------------------------------------------ start-up
constexpr Uint32 SDL_INIT_TIMER = 0x0001, SDL_INIT_AUDIO = 0x0010, SDL_INIT_VIDEO = 0x0020,
                 SDL_INIT_GAMECONTROLLER = 0x2000, SDL_INIT_EVENTS = 0x4000;
int SDL_Init(Uint32 flags);
int SDL_InitSubSystem(Uint32 flags);
void SDL_QuitSubSystem(Uint32 flags);
void SDL_Quit();
const char* SDL_GetError();
const char* SDL_GetCurrentVideoDriver();
#define SDL_HINT_TOUCH_MOUSE_EVENTS "SDL_TOUCH_MOUSE_EVENTS"
#define SDL_HINT_MOUSE_TOUCH_EVENTS "SDL_MOUSE_TOUCH_EVENTS"
#define SDL_HINT_VIDEO_ALLOW_SCREENSAVER "SDL_VIDEO_ALLOW_SCREENSAVER"
#define SDL_HINT_FRAMEBUFFER_ACCELERATION "SDL_FRAMEBUFFER_ACCELERATION"
inline int SDL_SetHint(const char*, const char*) { return 1; }  // the page has no such choices
inline int SDL_strcmp(const char* a, const char* b) { return std::strcmp(a, b); }
inline int SDL_strncmp(const char* a, const char* b, size_t n) { return std::strncmp(a, b, n); }
inline const char* SDL_strstr(const char* a, const char* b) { return std::strstr(a, b); }
void SDL_free(void* memory);

// ---------------------------------------------------------------- geometry
struct SDL_Point {
  int x, y;
};
struct SDL_Rect {
  int x, y, w, h;
};
struct SDL_FRect {
  float x, y, w, h;
};
struct SDL_Color {
  Uint8 r, g, b, a;
};
bool SDL_IntersectRect(const SDL_Rect* a, const SDL_Rect* b, SDL_Rect* result);

// ------------------------------------------------------------ window, display
struct SDL_Window;
constexpr Uint32 SDL_WINDOW_FULLSCREEN_DESKTOP = 0x1001, SDL_WINDOW_SHOWN = 0x4;
constexpr int SDL_WINDOWPOS_CENTERED = 0x2FFF0000;
struct SDL_DisplayMode {
  Uint32 format;
  int w, h, refresh_rate;
  void* driverdata;
};
// The canvas stands for the window; the browser window's inner size for the
// desktop.
SDL_Window* SDL_CreateWindow(const char* title, int x, int y, int w, int h, Uint32 flags);
void SDL_DestroyWindow(SDL_Window* window);
void SDL_SetWindowTitle(SDL_Window* window, const char* title);
void SDL_SetWindowSize(SDL_Window* window, int w, int h);
void SDL_GetWindowSize(SDL_Window* window, int* w, int* h);
void SDL_SetWindowPosition(SDL_Window* window, int x, int y);
int SDL_SetWindowFullscreen(SDL_Window* window, Uint32 flags);
Uint32 SDL_GetWindowID(SDL_Window* window);
int SDL_GetWindowDisplayIndex(SDL_Window* window);
int SDL_GetDesktopDisplayMode(int index, SDL_DisplayMode* mode);
int SDL_GetCurrentDisplayMode(int index, SDL_DisplayMode* mode);
void SDL_WarpMouseInWindow(SDL_Window* window, int x, int y);
constexpr int SDL_DISABLE = 0, SDL_ENABLE = 1;
int SDL_ShowCursor(int toggle);
void* SDL_GL_GetProcAddress(const char* name);

struct SDL_Surface {
  Uint32 flags;
  void* format;
  int w, h, pitch;
  void* pixels;
};
SDL_Surface* SDL_CreateRGBSurfaceWithFormat(Uint32 flags, int w, int h, int depth, Uint32 format);
void SDL_FreeSurface(SDL_Surface* surface);
void SDL_SetWindowIcon(SDL_Window* window, SDL_Surface* icon);

// ------------------------------------------------------------------ renderer
struct SDL_Renderer;
struct SDL_Texture;
constexpr Uint32 SDL_RENDERER_SOFTWARE = 0x1, SDL_RENDERER_ACCELERATED = 0x2, SDL_RENDERER_PRESENTVSYNC = 0x4;
struct SDL_RendererInfo {
  const char* name;
  Uint32 flags;
  Uint32 num_texture_formats;
  Uint32 texture_formats[16];
  int max_texture_width, max_texture_height;
};
// Pixel formats by their order of bytes in memory (little-endian words).
constexpr Uint32 SDL_PIXELFORMAT_ARGB8888 = 0x16362004;  // B G R A
constexpr Uint32 SDL_PIXELFORMAT_RGBA8888 = 0x16462004;  // A B G R
constexpr Uint32 SDL_PIXELFORMAT_ABGR8888 = 0x16762004;  // R G B A
constexpr Uint32 SDL_PIXELFORMAT_RGBA32 = SDL_PIXELFORMAT_ABGR8888;
constexpr int SDL_TEXTUREACCESS_STATIC = 0, SDL_TEXTUREACCESS_TARGET = 2;
enum SDL_BlendMode { SDL_BLENDMODE_NONE = 0, SDL_BLENDMODE_BLEND = 1, SDL_BLENDMODE_ADD = 2 };
enum SDL_ScaleMode { SDL_ScaleModeNearest = 0, SDL_ScaleModeLinear = 1 };

SDL_Renderer* SDL_CreateRenderer(SDL_Window* window, int index, Uint32 flags);
void SDL_DestroyRenderer(SDL_Renderer* renderer);
int SDL_GetRendererInfo(SDL_Renderer* renderer, SDL_RendererInfo* info);
bool SDL_RenderTargetSupported(SDL_Renderer* renderer);
SDL_Texture* SDL_CreateTexture(SDL_Renderer* renderer, Uint32 format, int access, int w, int h);
void SDL_DestroyTexture(SDL_Texture* texture);
int SDL_UpdateTexture(SDL_Texture* texture, const SDL_Rect* rect, const void* pixels, int pitch);
int SDL_SetTextureScaleMode(SDL_Texture* texture, SDL_ScaleMode mode);
int SDL_SetTextureBlendMode(SDL_Texture* texture, SDL_BlendMode mode);
int SDL_SetTextureAlphaMod(SDL_Texture* texture, Uint8 alpha);
int SDL_SetTextureColorMod(SDL_Texture* texture, Uint8 r, Uint8 g, Uint8 b);
int SDL_SetRenderTarget(SDL_Renderer* renderer, SDL_Texture* texture);
SDL_Texture* SDL_GetRenderTarget(SDL_Renderer* renderer);
int SDL_RenderSetClipRect(SDL_Renderer* renderer, const SDL_Rect* rect);
int SDL_SetRenderDrawColor(SDL_Renderer* renderer, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
int SDL_SetRenderDrawBlendMode(SDL_Renderer* renderer, SDL_BlendMode mode);
int SDL_RenderClear(SDL_Renderer* renderer);
int SDL_RenderFillRect(SDL_Renderer* renderer, const SDL_Rect* rect);
int SDL_RenderFillRectF(SDL_Renderer* renderer, const SDL_FRect* rect);
int SDL_RenderCopy(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect* src, const SDL_Rect* dst);
int SDL_RenderCopyF(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect* src, const SDL_FRect* dst);
int SDL_RenderReadPixels(SDL_Renderer* renderer, const SDL_Rect* rect, Uint32 format, void* pixels, int pitch);
void SDL_RenderPresent(SDL_Renderer* renderer);
int SDL_ConvertPixels(int w, int h, Uint32 fromFormat, const void* from, int fromPitch, Uint32 toFormat, void* to,
                      int toPitch);

// -------------------------------------------------------------------- events
using SDL_Keycode = Sint32;
using SDL_JoystickID = Sint32;
using SDL_TouchID = Sint64;
using SDL_FingerID = Sint64;
constexpr Uint32 SDL_TOUCH_MOUSEID = 0xFFFFFFFFu;
enum : SDL_Keycode {
  SDLK_UNKNOWN = 0,
  SDLK_BACKSPACE = 8,
  SDLK_RETURN = 13,
  SDLK_ESCAPE = 27,
  SDLK_SPACE = 32,
  SDLK_0 = '0',
  SDLK_9 = '9',
  SDLK_a = 'a',
  SDLK_z = 'z',
  SDLK_F1 = 0x4000003A,
  SDLK_HOME = 0x4000004A,
  SDLK_PAGEUP = 0x4000004B,
  SDLK_END = 0x4000004D,
  SDLK_PAGEDOWN = 0x4000004E,
  SDLK_RIGHT = 0x4000004F,
  SDLK_LEFT = 0x40000050,
  SDLK_DOWN = 0x40000051,
  SDLK_UP = 0x40000052,
  SDLK_KP_ENTER = 0x40000058,
  SDLK_LCTRL = 0x400000E0,
  SDLK_RCTRL = 0x400000E4,
};
enum : Uint32 {
  SDL_FIRSTEVENT = 0,
  SDL_QUIT = 0x100,
  SDL_WINDOWEVENT = 0x200,
  SDL_KEYDOWN = 0x300,
  SDL_KEYUP,
  SDL_TEXTINPUT = 0x303,
  SDL_MOUSEMOTION = 0x400,
  SDL_MOUSEBUTTONDOWN,
  SDL_MOUSEBUTTONUP,
  SDL_MOUSEWHEEL,
  SDL_CONTROLLERAXISMOTION = 0x650,
  SDL_CONTROLLERBUTTONDOWN,
  SDL_CONTROLLERBUTTONUP,
  SDL_CONTROLLERDEVICEADDED,
  SDL_CONTROLLERDEVICEREMOVED,
  SDL_FINGERDOWN = 0x700,
  SDL_FINGERUP,
  SDL_FINGERMOTION,
  SDL_RENDER_TARGETS_RESET = 0x2000,
  SDL_RENDER_DEVICE_RESET,
  SDL_POLLSENTINEL = 0x7F00,
  SDL_LASTEVENT = 0xFFFF,
};
enum : Uint8 { SDL_WINDOWEVENT_EXPOSED = 3, SDL_WINDOWEVENT_CLOSE = 14 };
constexpr Uint8 SDL_RELEASED = 0, SDL_PRESSED = 1;
constexpr Uint8 SDL_BUTTON_LEFT = 1, SDL_BUTTON_RIGHT = 3;
constexpr Uint32 SDL_MOUSEWHEEL_NORMAL = 0, SDL_MOUSEWHEEL_FLIPPED = 1;

struct SDL_Keysym {
  int scancode;
  SDL_Keycode sym;
  Uint16 mod;
};
struct SDL_KeyboardEvent {
  Uint32 type, timestamp, windowID;
  Uint8 state, repeat;
  SDL_Keysym keysym;
};
struct SDL_TextInputEvent {
  Uint32 type, timestamp, windowID;
  char text[32];
};
struct SDL_MouseMotionEvent {
  Uint32 type, timestamp, windowID, which, state;
  Sint32 x, y, xrel, yrel;
};
struct SDL_MouseButtonEvent {
  Uint32 type, timestamp, windowID, which;
  Uint8 button, state, clicks;
  Sint32 x, y;
};
struct SDL_MouseWheelEvent {
  Uint32 type, timestamp, windowID, which;
  Sint32 x, y;
  Uint32 direction;
};
struct SDL_WindowEvent {
  Uint32 type, timestamp, windowID;
  Uint8 event;
  Sint32 data1, data2;
};
struct SDL_TouchFingerEvent {
  Uint32 type, timestamp;
  SDL_TouchID touchId;
  SDL_FingerID fingerId;
  float x, y, dx, dy, pressure;
};
struct SDL_ControllerDeviceEvent {
  Uint32 type, timestamp;
  Sint32 which;
};
struct SDL_ControllerButtonEvent {
  Uint32 type, timestamp;
  SDL_JoystickID which;
  Uint8 button, state;
};
struct SDL_ControllerAxisEvent {
  Uint32 type, timestamp;
  SDL_JoystickID which;
  Uint8 axis;
  Sint16 value;
};
union SDL_Event {
  Uint32 type;
  SDL_KeyboardEvent key;
  SDL_TextInputEvent text;
  SDL_MouseMotionEvent motion;
  SDL_MouseButtonEvent button;
  SDL_MouseWheelEvent wheel;
  SDL_WindowEvent window;
  SDL_TouchFingerEvent tfinger;
  SDL_ControllerDeviceEvent cdevice;
  SDL_ControllerButtonEvent cbutton;
  SDL_ControllerAxisEvent caxis;
  Uint8 padding[56];
};
using SDL_EventFilter = int (*)(void* userdata, SDL_Event* event);
int SDL_PollEvent(SDL_Event* event);
int SDL_PushEvent(SDL_Event* event);
void SDL_FlushEvents(Uint32 minType, Uint32 maxType);
void SDL_AddEventWatch(SDL_EventFilter filter, void* userdata);
void SDL_StartTextInput();

// ---------------------------------------------------------- game controllers
struct SDL_GameController;
enum {
  SDL_CONTROLLER_BUTTON_A,
  SDL_CONTROLLER_BUTTON_B,
  SDL_CONTROLLER_BUTTON_X,
  SDL_CONTROLLER_BUTTON_Y,
  SDL_CONTROLLER_BUTTON_BACK,
  SDL_CONTROLLER_BUTTON_GUIDE,
  SDL_CONTROLLER_BUTTON_START,
  SDL_CONTROLLER_BUTTON_LEFTSTICK,
  SDL_CONTROLLER_BUTTON_RIGHTSTICK,
  SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
  SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
  SDL_CONTROLLER_BUTTON_DPAD_UP,
  SDL_CONTROLLER_BUTTON_DPAD_DOWN,
  SDL_CONTROLLER_BUTTON_DPAD_LEFT,
  SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
};
enum { SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY };
bool SDL_IsGameController(int deviceIndex);
SDL_JoystickID SDL_JoystickGetDeviceInstanceID(int deviceIndex);
SDL_GameController* SDL_GameControllerOpen(int deviceIndex);
void SDL_GameControllerClose(SDL_GameController* controller);

// --------------------------------------------------------------------- audio
using SDL_AudioDeviceID = Uint32;
using SDL_AudioFormat = Uint16;
using SDL_AudioCallback = void (*)(void* userdata, Uint8* stream, int len);
constexpr SDL_AudioFormat AUDIO_S16SYS = 0x8010;
constexpr int SDL_AUDIO_ALLOW_FREQUENCY_CHANGE = 1;
struct SDL_AudioSpec {
  int freq;
  SDL_AudioFormat format;
  Uint8 channels, silence;
  Uint16 samples, padding;
  Uint32 size;
  SDL_AudioCallback callback;
  void* userdata;
};
// The callback is called between frames, as the page's sound output needs
// more: the game's thread is the only one.
SDL_AudioDeviceID SDL_OpenAudioDevice(const char* device, int capture, const SDL_AudioSpec* want,
                                      SDL_AudioSpec* have, int allowedChanges);
void SDL_CloseAudioDevice(SDL_AudioDeviceID device);
void SDL_PauseAudioDevice(SDL_AudioDeviceID device, int pause);
inline void SDL_LockAudioDevice(SDL_AudioDeviceID) {}
inline void SDL_UnlockAudioDevice(SDL_AudioDeviceID) {}
// 16-bit samples from one rate and channel count to another.
struct SDL_AudioStream;
SDL_AudioStream* SDL_NewAudioStream(SDL_AudioFormat fromFormat, Uint8 fromChannels, int fromRate,
                                    SDL_AudioFormat toFormat, Uint8 toChannels, int toRate);
int SDL_AudioStreamPut(SDL_AudioStream* stream, const void* bytes, int length);
int SDL_AudioStreamGet(SDL_AudioStream* stream, void* bytes, int length);
int SDL_AudioStreamAvailable(SDL_AudioStream* stream);
int SDL_AudioStreamFlush(SDL_AudioStream* stream);
void SDL_AudioStreamClear(SDL_AudioStream* stream);
void SDL_FreeAudioStream(SDL_AudioStream* stream);

// ----------------------------------------------------------- system services
constexpr Uint32 SDL_MESSAGEBOX_ERROR = 0x10, SDL_MESSAGEBOX_INFORMATION = 0x40;
int SDL_ShowSimpleMessageBox(Uint32 flags, const char* title, const char* message, SDL_Window* window);
int SDL_OpenURL(const char* url);
char* SDL_GetClipboardText();
int SDL_SetClipboardText(const char* text);
