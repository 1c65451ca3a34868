// The page's canvas as SDL's window, and a 2D renderer on WebGL 2: every
// texture a GL texture (RGBA bytes, top row first), render targets as frame
// buffers, each copy or fill one textured quad.
#include <GLES3/gl3.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <string>
#include <vector>

#include "media/web/include/SDL.h"
#include "media/web/page.h"

struct SDL_Window {
  int W = 0, H = 0;
};

struct SDL_Texture {
  GLuint Id = 0;
  GLuint Framebuffer = 0;  // render targets only
  int W = 0, H = 0;
  Uint32 Format = SDL_PIXELFORMAT_ARGB8888;
  SDL_BlendMode Blend = SDL_BLENDMODE_NONE;
  Uint8 R = 255, G = 255, B = 255, A = 255;
};

struct SDL_Renderer {
  SDL_Window* Window = nullptr;
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE Context = 0;
  GLuint Program = 0, Buffer = 0, Array = 0;
  GLint ViewLocation = -1, TintLocation = -1, TexturedLocation = -1;
  SDL_Texture* Target = nullptr;
  SDL_Rect Clip{0, 0, 0, 0};
  bool Clipped = false;
  Uint8 R = 0, G = 0, B = 0, A = 255;
  SDL_BlendMode Blend = SDL_BLENDMODE_NONE;
};

namespace {

std::string lastError;

const char* const VERTEX_SHADER = R"(#version 300 es
in vec2 position;
in vec2 corner;
uniform vec4 view;
out vec2 uv;
void main() {
  uv = corner;
  gl_Position = vec4(position * view.xy + view.zw, 0.0, 1.0);
})";

const char* const FRAGMENT_SHADER = R"(#version 300 es
precision mediump float;
in vec2 uv;
uniform sampler2D picture;
uniform vec4 tint;
uniform bool textured;
out vec4 colour;
void main() {
  colour = textured ? texture(picture, uv) * tint : tint;
})";

GLuint Compile(GLenum kind, const char* source) {
  GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

bool BuildProgram(SDL_Renderer& r) {
  GLuint vs = Compile(GL_VERTEX_SHADER, VERTEX_SHADER), fs = Compile(GL_FRAGMENT_SHADER, FRAGMENT_SHADER);
  if (!vs || !fs) return false;
  r.Program = glCreateProgram();
  glAttachShader(r.Program, vs);
  glAttachShader(r.Program, fs);
  glBindAttribLocation(r.Program, 0, "position");
  glBindAttribLocation(r.Program, 1, "corner");
  glLinkProgram(r.Program);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = 0;
  glGetProgramiv(r.Program, GL_LINK_STATUS, &ok);
  if (!ok) return false;
  glUseProgram(r.Program);
  r.ViewLocation = glGetUniformLocation(r.Program, "view");
  r.TintLocation = glGetUniformLocation(r.Program, "tint");
  r.TexturedLocation = glGetUniformLocation(r.Program, "textured");
  glUniform1i(glGetUniformLocation(r.Program, "picture"), 0);
  glGenVertexArrays(1, &r.Array);
  glBindVertexArray(r.Array);
  glGenBuffers(1, &r.Buffer);
  glBindBuffer(GL_ARRAY_BUFFER, r.Buffer);
  glBufferData(GL_ARRAY_BUFFER, 16 * sizeof(float), nullptr, GL_STREAM_DRAW);
  glEnableVertexAttribArray(0);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), reinterpret_cast<void*>(2 * sizeof(float)));
  return true;
}

// The surface drawn on: the canvas, or the target texture.
void SurfaceSize(const SDL_Renderer& r, int& w, int& h) {
  w = r.Target ? r.Target->W : r.Window->W;
  h = r.Target ? r.Target->H : r.Window->H;
}

// Pixel coordinates to clip space. A texture keeps its top row first, as
// uploaded pictures do; the canvas has its first row at the bottom.
void ApplyView(SDL_Renderer& r) {
  int w, h;
  SurfaceSize(r, w, h);
  glBindFramebuffer(GL_FRAMEBUFFER, r.Target ? r.Target->Framebuffer : 0);
  glViewport(0, 0, w, h);
  const float sy = r.Target ? 2.0f / h : -2.0f / h;
  glUniform4f(r.ViewLocation, 2.0f / w, sy, -1.0f, r.Target ? -1.0f : 1.0f);
  if (!r.Clipped) {
    glDisable(GL_SCISSOR_TEST);
    return;
  }
  glEnable(GL_SCISSOR_TEST);
  const int y = r.Target ? r.Clip.y : h - r.Clip.y - r.Clip.h;
  glScissor(r.Clip.x, y, std::max(0, r.Clip.w), std::max(0, r.Clip.h));
}

void ApplyBlend(SDL_BlendMode mode) {
  switch (mode) {
    case SDL_BLENDMODE_NONE: glDisable(GL_BLEND); break;
    case SDL_BLENDMODE_BLEND:
      glEnable(GL_BLEND);
      glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case SDL_BLENDMODE_ADD:
      glEnable(GL_BLEND);
      glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ZERO, GL_ONE);
      break;
  }
}

void Quad(float x, float y, float w, float h, float u0, float v0, float u1, float v1) {
  const float v[16] = {x, y, u0, v0, x + w, y, u1, v0, x, y + h, u0, v1, x + w, y + h, u1, v1};
  glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof v, v);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

// Byte order in memory of each supported format, as indexes into R G B A.
bool ByteOrder(Uint32 format, int order[4]) {
  const int* chosen = nullptr;
  static const int BGRA[4] = {2, 1, 0, 3}, ABGR[4] = {3, 2, 1, 0}, RGBA[4] = {0, 1, 2, 3};
  if (format == SDL_PIXELFORMAT_ARGB8888) chosen = BGRA;
  if (format == SDL_PIXELFORMAT_RGBA8888) chosen = ABGR;
  if (format == SDL_PIXELFORMAT_ABGR8888) chosen = RGBA;
  if (!chosen) return false;
  std::copy(chosen, chosen + 4, order);
  return true;
}

// Rows of pixels from one byte order to another (the same buffer may be
// both).
bool Convert(int w, int h, Uint32 fromFormat, const void* from, int fromPitch, Uint32 toFormat, void* to,
             int toPitch) {
  int in[4], out[4];
  if (!ByteOrder(fromFormat, in) || !ByteOrder(toFormat, out)) return false;
  for (int y = 0; y < h; y++) {
    const Uint8* src = static_cast<const Uint8*>(from) + static_cast<size_t>(y) * fromPitch;
    Uint8* dst = static_cast<Uint8*>(to) + static_cast<size_t>(y) * toPitch;
    for (int x = 0; x < w; x++) {
      Uint8 rgba[4];
      for (int c = 0; c < 4; c++) rgba[in[c]] = src[x * 4 + c];
      for (int c = 0; c < 4; c++) dst[x * 4 + c] = rgba[out[c]];
    }
  }
  return true;
}

}  // namespace

const char* SDL_GetError() { return lastError.c_str(); }

bool SDL_IntersectRect(const SDL_Rect* a, const SDL_Rect* b, SDL_Rect* result) {
  const int x0 = std::max(a->x, b->x), y0 = std::max(a->y, b->y);
  const int x1 = std::min(a->x + a->w, b->x + b->w), y1 = std::min(a->y + a->h, b->y + b->h);
  *result = SDL_Rect{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
  return x1 > x0 && y1 > y0;
}

SDL_Window* SDL_CreateWindow(const char* title, int, int, int w, int h, Uint32 flags) {
  auto* window = new SDL_Window;
  SDL_SetWindowTitle(window, title);
  SDL_SetWindowSize(window, w, h);
  if (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) SDL_SetWindowFullscreen(window, flags);
  return window;
}

void SDL_DestroyWindow(SDL_Window* window) { delete window; }

void SDL_SetWindowTitle(SDL_Window*, const char* title) { web_page::SetTitle(title); }

void SDL_SetWindowSize(SDL_Window* window, int w, int h) {
  window->W = w;
  window->H = h;
  emscripten_set_canvas_element_size("#canvas", w, h);
  web_page::FitCanvas();
}

void SDL_GetWindowSize(SDL_Window* window, int* w, int* h) {
  *w = window->W;
  *h = window->H;
}

void SDL_SetWindowPosition(SDL_Window*, int, int) {}

int SDL_SetWindowFullscreen(SDL_Window*, Uint32 flags) {
  web_page::RequestFullScreen(flags != 0);
  return 0;
}

Uint32 SDL_GetWindowID(SDL_Window*) { return 1; }
int SDL_GetWindowDisplayIndex(SDL_Window*) { return 0; }

int SDL_GetDesktopDisplayMode(int, SDL_DisplayMode* mode) {
  *mode = SDL_DisplayMode{};
  web_page::ViewportSize(mode->w, mode->h);
  // The browser paces frames by its animation frames: the game's own
  // limiter is given a rate it never needs to wait for.
  mode->refresh_rate = 1000;
  return 0;
}

int SDL_GetCurrentDisplayMode(int index, SDL_DisplayMode* mode) { return SDL_GetDesktopDisplayMode(index, mode); }

void* SDL_GL_GetProcAddress(const char*) { return nullptr; }

SDL_Surface* SDL_CreateRGBSurfaceWithFormat(Uint32, int w, int h, int, Uint32) {
  auto* surface = new SDL_Surface{};
  surface->w = w;
  surface->h = h;
  surface->pitch = w * 4;
  surface->pixels = new Uint8[static_cast<size_t>(w) * h * 4];
  return surface;
}

void SDL_FreeSurface(SDL_Surface* surface) {
  if (!surface) return;
  delete[] static_cast<Uint8*>(surface->pixels);
  delete surface;
}

void SDL_SetWindowIcon(SDL_Window*, SDL_Surface*) {}  // the page has its own icon

SDL_Renderer* SDL_CreateRenderer(SDL_Window* window, int, Uint32 flags) {
  if (flags & SDL_RENDERER_SOFTWARE) return nullptr;  // WebGL or nothing
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.alpha = false;
  attributes.depth = false;
  attributes.stencil = false;
  attributes.antialias = false;
  // A frame the game does not redraw stays on the canvas.
  attributes.preserveDrawingBuffer = true;
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context("#canvas", &attributes);
  if (context <= 0) {
    lastError = "this browser offers no WebGL 2";
    return nullptr;
  }
  emscripten_webgl_make_context_current(context);
  auto* r = new SDL_Renderer;
  r->Window = window;
  r->Context = context;
  if (!BuildProgram(*r)) {
    lastError = "the drawing shaders could not be built";
    emscripten_webgl_destroy_context(context);
    delete r;
    return nullptr;
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  return r;
}

void SDL_DestroyRenderer(SDL_Renderer* r) {
  if (!r) return;
  emscripten_webgl_destroy_context(r->Context);
  delete r;
}

int SDL_GetRendererInfo(SDL_Renderer*, SDL_RendererInfo* info) {
  *info = SDL_RendererInfo{};
  info->name = "webgl2";
  info->flags = SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC;
  return 0;
}

bool SDL_RenderTargetSupported(SDL_Renderer*) { return true; }

SDL_Texture* SDL_CreateTexture(SDL_Renderer* r, Uint32 format, int access, int w, int h) {
  if (!r || w <= 0 || h <= 0) return nullptr;
  auto* t = new SDL_Texture;
  t->W = w;
  t->H = h;
  t->Format = format;
  glGenTextures(1, &t->Id);
  glBindTexture(GL_TEXTURE_2D, t->Id);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  SDL_SetTextureScaleMode(t, SDL_ScaleModeLinear);
  if (access == SDL_TEXTUREACCESS_TARGET) {
    glGenFramebuffers(1, &t->Framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, t->Framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, t->Id, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    ApplyView(*r);
    if (!complete) {
      SDL_DestroyTexture(t);
      return nullptr;
    }
  }
  return t;
}

void SDL_DestroyTexture(SDL_Texture* t) {
  if (!t) return;
  if (t->Framebuffer) glDeleteFramebuffers(1, &t->Framebuffer);
  glDeleteTextures(1, &t->Id);
  delete t;
}

int SDL_UpdateTexture(SDL_Texture* t, const SDL_Rect* rect, const void* pixels, int pitch) {
  const SDL_Rect all{0, 0, t->W, t->H};
  const SDL_Rect& part = rect ? *rect : all;
  std::vector<Uint8> rgba(static_cast<size_t>(part.w) * part.h * 4);
  if (!Convert(part.w, part.h, t->Format, pixels, pitch, SDL_PIXELFORMAT_ABGR8888, rgba.data(), part.w * 4))
    return -1;
  glBindTexture(GL_TEXTURE_2D, t->Id);
  glTexSubImage2D(GL_TEXTURE_2D, 0, part.x, part.y, part.w, part.h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return 0;
}

int SDL_SetTextureScaleMode(SDL_Texture* t, SDL_ScaleMode mode) {
  const GLint filter = mode == SDL_ScaleModeLinear ? GL_LINEAR : GL_NEAREST;
  glBindTexture(GL_TEXTURE_2D, t->Id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  return 0;
}

int SDL_SetTextureBlendMode(SDL_Texture* t, SDL_BlendMode mode) {
  t->Blend = mode;
  return 0;
}

int SDL_SetTextureAlphaMod(SDL_Texture* t, Uint8 alpha) {
  t->A = alpha;
  return 0;
}

int SDL_SetTextureColorMod(SDL_Texture* t, Uint8 r, Uint8 g, Uint8 b) {
  t->R = r;
  t->G = g;
  t->B = b;
  return 0;
}

int SDL_SetRenderTarget(SDL_Renderer* r, SDL_Texture* texture) {
  if (texture && !texture->Framebuffer) return -1;
  r->Target = texture;
  r->Clipped = false;  // as SDL does: a new target starts unclipped
  ApplyView(*r);
  return 0;
}

SDL_Texture* SDL_GetRenderTarget(SDL_Renderer* r) { return r->Target; }

int SDL_RenderSetClipRect(SDL_Renderer* r, const SDL_Rect* rect) {
  r->Clipped = rect != nullptr;
  if (rect) r->Clip = *rect;
  ApplyView(*r);
  return 0;
}

int SDL_SetRenderDrawColor(SDL_Renderer* r, Uint8 red, Uint8 green, Uint8 blue, Uint8 alpha) {
  r->R = red;
  r->G = green;
  r->B = blue;
  r->A = alpha;
  return 0;
}

int SDL_SetRenderDrawBlendMode(SDL_Renderer* r, SDL_BlendMode mode) {
  r->Blend = mode;
  return 0;
}

int SDL_RenderClear(SDL_Renderer* r) {
  glDisable(GL_SCISSOR_TEST);  // clearing ignores the clip rectangle
  glClearColor(r->R / 255.0f, r->G / 255.0f, r->B / 255.0f, r->A / 255.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  ApplyView(*r);
  return 0;
}

int SDL_RenderFillRectF(SDL_Renderer* r, const SDL_FRect* rect) {
  ApplyBlend(r->Blend);
  glUniform1i(r->TexturedLocation, 0);
  glUniform4f(r->TintLocation, r->R / 255.0f, r->G / 255.0f, r->B / 255.0f, r->A / 255.0f);
  Quad(rect->x, rect->y, rect->w, rect->h, 0, 0, 1, 1);
  return 0;
}

int SDL_RenderFillRect(SDL_Renderer* r, const SDL_Rect* rect) {
  const SDL_FRect f{static_cast<float>(rect->x), static_cast<float>(rect->y), static_cast<float>(rect->w),
                    static_cast<float>(rect->h)};
  return SDL_RenderFillRectF(r, &f);
}

int SDL_RenderCopyF(SDL_Renderer* r, SDL_Texture* t, const SDL_Rect* src, const SDL_FRect* dst) {
  if (!t || t == r->Target) return -1;
  const SDL_Rect all{0, 0, t->W, t->H};
  const SDL_Rect& s = src ? *src : all;
  int w, h;
  SurfaceSize(*r, w, h);
  const SDL_FRect whole{0, 0, static_cast<float>(w), static_cast<float>(h)};
  const SDL_FRect& d = dst ? *dst : whole;
  ApplyBlend(t->Blend);
  glUniform1i(r->TexturedLocation, 1);
  glUniform4f(r->TintLocation, t->R / 255.0f, t->G / 255.0f, t->B / 255.0f, t->A / 255.0f);
  glBindTexture(GL_TEXTURE_2D, t->Id);
  const float tw = static_cast<float>(t->W), th = static_cast<float>(t->H);
  Quad(d.x, d.y, d.w, d.h, s.x / tw, s.y / th, (s.x + s.w) / tw, (s.y + s.h) / th);
  return 0;
}

int SDL_RenderCopy(SDL_Renderer* r, SDL_Texture* t, const SDL_Rect* src, const SDL_Rect* dst) {
  if (!dst) return SDL_RenderCopyF(r, t, src, nullptr);
  const SDL_FRect f{static_cast<float>(dst->x), static_cast<float>(dst->y), static_cast<float>(dst->w),
                    static_cast<float>(dst->h)};
  return SDL_RenderCopyF(r, t, src, &f);
}

int SDL_RenderReadPixels(SDL_Renderer* r, const SDL_Rect* rect, Uint32 format, void* pixels, int pitch) {
  int w, h;
  SurfaceSize(*r, w, h);
  const SDL_Rect all{0, 0, w, h};
  const SDL_Rect& part = rect ? *rect : all;
  std::vector<Uint8> rgba(static_cast<size_t>(part.w) * part.h * 4);
  const int y = r->Target ? part.y : h - part.y - part.h;
  glReadPixels(part.x, y, part.w, part.h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  if (!r->Target) {  // the canvas comes bottom row first
    const size_t row = static_cast<size_t>(part.w) * 4;
    for (int i = 0; i < part.h / 2; i++)
      std::swap_ranges(rgba.begin() + i * row, rgba.begin() + (i + 1) * row, rgba.begin() + (part.h - 1 - i) * row);
  }
  return Convert(part.w, part.h, SDL_PIXELFORMAT_ABGR8888, rgba.data(), part.w * 4, format, pixels, pitch) ? 0 : -1;
}

void SDL_RenderPresent(SDL_Renderer*) { web_page::FramePresented(); }

int SDL_ConvertPixels(int w, int h, Uint32 fromFormat, const void* from, int fromPitch, Uint32 toFormat, void* to,
                      int toPitch) {
  return Convert(w, h, fromFormat, from, fromPitch, toFormat, to, toPitch) ? 0 : -1;
}
