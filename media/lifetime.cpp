// Starting and stopping the platform.
#include <cstdio>

#include "media/internal.h"

using namespace media_internal;

namespace {
bool videoStarted = false;
bool headlessAllowed = false;

// SDL's video drivers that show nothing: the game would run unseen.
bool IsHeadlessDriver(const char* driver) {
  return driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
}
}  // namespace

namespace media_internal {

bool VideoStarted() { return videoStarted; }

void ReportStartFailure(const std::string& reason) {
  const std::string text = "pLiMo cannot start: " + reason;
  std::fprintf(stderr, "%s\n", text.c_str());
  Overrides& o = TestOverrides();
  if (o.RecordMessages) {
    o.Messages.push_back(text);
    return;
  }
  // Shown where a message box can still open (the platform may offer one
  // without a window of ours); standard error has it in any case.
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "pLiMo", text.c_str(), Display().Window);
}

}  // namespace media_internal

bool MediaInit() {
  if (videoStarted) return true;
  // Each input is seen once: no mouse events made from fingers, no finger
  // events made from the mouse.
  SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
    ReportStartFailure(std::string("no display could be opened (") + SDL_GetError() + ").");
    return false;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  if (IsHeadlessDriver(driver) && !headlessAllowed) {
    const std::string name = driver;
    SDL_Quit();
    ReportStartFailure("no display was found (only the \"" + name + "\" video driver, which shows nothing).");
    return false;
  }
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0 ||
      TestOverrides().EmptyDesktop) {
    SDL_Quit();
    ReportStartFailure("the desktop has no size.");
    return false;
  }
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

namespace media_test {

void AllowHeadlessVideo(bool allow) { headlessAllowed = allow; }
void ReportEmptyDesktop(bool on) { TestOverrides().EmptyDesktop = on; }

}  // namespace media_test
