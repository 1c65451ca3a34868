// The one window and renderer of the run. OpenDisplay resizes the window or
// switches it to full screen instead of re-creating it, so every texture
// stays valid across display changes.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#ifdef __linux__
#include <unistd.h>
#endif

#include "media/internal.h"

using namespace media_internal;

namespace {

uint64_t NowNs() { return SteadyNs(); }

// Whether a renderer is OpenGL drawn by the processor (Mesa's llvmpipe,
// softpipe or swrast: a virtual display, a machine without a graphics
// driver). There SDL's own software renderer is far cheaper: it needs no
// shader compiler in memory (about 60 MB) and blends 2D sprites several
// times faster than a rasterizer made for 3D.
bool SoftwareOpenGL(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name || SDL_strncmp(info.name, "opengl", 6) != 0)
    return false;
  using GetString = const unsigned char* (*)(unsigned int);
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  constexpr unsigned int GL_RENDERER_NAME = 0x1F01;
  const char* name = getString ? reinterpret_cast<const char*>(getString(GL_RENDERER_NAME)) : nullptr;
  if (!name) return false;
  for (const char* soft : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
    if (SDL_strstr(name, soft)) return true;
  return false;
}

// Whether the machine has a graphics device that OpenGL could draw with.
// On Linux without one (a virtual display, a container), OpenGL is drawn by
// the processor, and merely opening it maps and touches its shader compiler
// (some 70 MB of memory for the rest of the run): the software renderer is
// taken at once instead. Elsewhere the platform's renderer decides.
bool MayHaveGraphicsDevice() {
#ifdef __linux__
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
    const std::string name = entry.path().filename().string();
    if ((name.rfind("renderD", 0) == 0 || name.rfind("card", 0) == 0) &&
        access(entry.path().c_str(), R_OK | W_OK) == 0)
      return true;
  }
  // The proprietary NVIDIA driver may run without a /dev/dri node.
  return access("/dev/nvidiactl", R_OK | W_OK) == 0;
#else
  return true;
#endif
}

bool CreateWindowAndRenderer(int width, int height, bool fullScreen) {
  DisplayState& d = Display();
  Uint32 flags = SDL_WINDOW_SHOWN | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  d.Window = SDL_CreateWindow(d.Title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
  if (!d.Window) return false;
  // Without a screen (the offscreen and dummy video drivers) there is
  // nothing to accelerate, and only the software renderer follows a window
  // that changes size there.
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool headless = driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
  const bool device = !headless && MayHaveGraphicsDevice();
  if (device) d.Renderer = SDL_CreateRenderer(d.Window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  const bool softwareGL = !headless && (!device || (d.Renderer && SoftwareOpenGL(d.Renderer)));
  if (softwareGL && d.Renderer) {
    SDL_DestroyRenderer(d.Renderer);
    d.Renderer = nullptr;
  }
  // Headless, or where OpenGL is drawn by the processor, the software
  // renderer draws straight into the window's frame buffer rather than
  // through a hidden OpenGL context.
  if (headless || softwareGL) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (!d.Renderer) d.Renderer = SDL_CreateRenderer(d.Window, -1, SDL_RENDERER_SOFTWARE);
  if (!d.Renderer) {
    SDL_DestroyWindow(d.Window);
    d.Window = nullptr;
    return false;
  }
  SDL_RendererInfo info;
  const bool known = SDL_GetRendererInfo(d.Renderer, &info) == 0;
  d.VSync = known && (info.flags & SDL_RENDERER_PRESENTVSYNC);
  d.Software = known && (info.flags & SDL_RENDERER_SOFTWARE);
  return true;
}

void ReadRefreshRate() {
  DisplayState& d = Display();
  SDL_DisplayMode mode;
  int index = SDL_GetWindowDisplayIndex(d.Window);
  d.RefreshRate = 60;
  if (index >= 0 && SDL_GetCurrentDisplayMode(index, &mode) == 0 && mode.refresh_rate >= 24)
    d.RefreshRate = mode.refresh_rate;
}

}  // namespace

namespace media_internal {

DisplayState& Display() {
  static auto* display = new DisplayState;  // lives until the process ends
  return *display;
}

}  // namespace media_internal

bool OpenDisplay(int width, int height, bool fullScreen) {
  if (!VideoStarted() || width <= 0 || height <= 0) return false;
  DisplayState& d = Display();
  // Full screen covers the desktop at its own size, so the display's pixels
  // are the screen's. A size other than the real desktop's (a desktop size
  // set by a test) gets a window of that size instead, which keeps every
  // pixel position meaningful.
  SDL_DisplayMode desktop;
  const bool wholeDesktop = fullScreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w == width &&
                            desktop.h == height;
  if (!d.Window) {
    if (!CreateWindowAndRenderer(width, height, wholeDesktop)) {
      ReportStartFailure(std::string("the window could not be opened (") + SDL_GetError() + ").");
      return false;
    }
  } else {
    // A display change stands for a new window: it takes the current title.
    SDL_SetWindowTitle(d.Window, d.Title.c_str());
    SDL_SetWindowFullscreen(d.Window, 0);
    SDL_SetWindowSize(d.Window, width, height);
    if (wholeDesktop) {
      SDL_SetWindowFullscreen(d.Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
      SDL_SetWindowPosition(d.Window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
  }
  d.Width = width;
  d.Height = height;
  d.Open = true;
  ReadRefreshRate();
  ResetDrawState(width, height);
  DropScaledFrames();
  SDL_RenderSetClipRect(d.Renderer, nullptr);
  SDL_SetRenderDrawColor(d.Renderer, 0, 0, 0, 255);
  SDL_RenderClear(d.Renderer);
  ApplyClip();
  d.LastPresentNs = NowNs();
  return true;
}

bool DisplayIsOpen() { return VideoStarted() && Display().Open; }

void PresentFrame() {
  DisplayState& d = Display();
  if (d.Renderer) {
    // A frame the same as the one on screen is neither drawn nor presented.
    if (FinishFrame()) SDL_RenderPresent(d.Renderer);
    // Without vsync, or when presenting returned far too early (software
    // OpenGL under a virtual X server), hold the loop to the refresh rate.
    const uint64_t frameNs = 1000000000ull / static_cast<uint64_t>(d.RefreshRate);
    uint64_t now = NowNs();
    uint64_t due = d.LastPresentNs + frameNs;
    if (now < due && due - now <= frameNs && !TestOverrides().UnpacedFrames) {
      // The frame's spare time decodes pictures that later screens need.
      PrefetchImagesUntil(due - frameNs / 8, false);
      now = std::min(NowNs(), due);
      std::this_thread::sleep_for(std::chrono::nanoseconds(due - now));
      d.LastPresentNs = due;
    } else {
      d.LastPresentNs = now;
      PrefetchImagesUntil(0, true);  // no spare time (vsync): one picture per frame
    }
  }
  PumpEvents();
}

void DesktopSize(int& width, int& height) {
  const Overrides& o = TestOverrides();
  if (o.DesktopW > 0 && o.DesktopH > 0) {
    width = o.DesktopW;
    height = o.DesktopH;
    return;
  }
  SDL_DisplayMode mode;
  if (VideoStarted() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    width = mode.w;
    height = mode.h;
  } else {
    width = 1024;
    height = 768;
  }
}

void SetAppTitle(const std::string& title) { Display().Title = title; }

void SetWindowIcon() {
  DisplayState& d = Display();
  if (!d.Window) return;
  // A 32 x 32 icon drawn here: four rounded coloured pieces on a dark tile.
  constexpr int SIZE = 32;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, SIZE, SIZE, 32, SDL_PIXELFORMAT_RGBA32);
  if (!icon) return;
  const uint32_t colours[4] = {0xE04040FF, 0x40B040FF, 0x4060E0FF, 0xE0C030FF};
  auto* pixels = static_cast<uint8_t*>(icon->pixels);
  for (int y = 0; y < SIZE; y++) {
    for (int x = 0; x < SIZE; x++) {
      uint8_t* p = pixels + y * icon->pitch + x * 4;
      int qx = x % 16, qy = y % 16;
      // Each quarter holds a piece inset by 2 pixels with cut corners.
      bool inside = qx >= 2 && qx <= 13 && qy >= 2 && qy <= 13 &&
                    !((qx == 2 || qx == 13) && (qy == 2 || qy == 13));
      uint32_t c = inside ? colours[(y / 16) * 2 + x / 16] : 0x202020FF;
      p[0] = static_cast<uint8_t>(c >> 24);
      p[1] = static_cast<uint8_t>(c >> 16);
      p[2] = static_cast<uint8_t>(c >> 8);
      p[3] = static_cast<uint8_t>(c);
    }
  }
  SDL_SetWindowIcon(d.Window, icon);
  SDL_FreeSurface(icon);
}
