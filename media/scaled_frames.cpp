// Frames scaled ahead of drawing, and sets of four frames put together. SDL's software renderer scales a blended
// sprite through two temporary surfaces made and zeroed for each draw, which
// costs several times a plain copy; the tile quarters of a board that is not
// 96 pixels a cell, every particle and the stretched backgrounds are drawn
// that way each frame. Scaled once to the size they are drawn at, by the
// renderer's own smooth scaling, they are copied 1:1 afterwards with the
// same pixels. A fragment of an exploding block, four quarters of a lone
// block, is likewise drawn as one square made once per style and size.
#include <algorithm>

#include "media/internal.h"

using namespace media_internal;

namespace {

bool enabled = true;

// Beyond this many sizes of one image (particles grow and shrink through
// every size up to a cell) the oldest are dropped; far past what a screen uses.
constexpr size_t MAX_SIZES_PER_IMAGE = 160;
constexpr int MAX_SIDE = 4096;
// Quarter sets of one strip: a lone block per cell size, the shapes of a board.
constexpr size_t MAX_SQUARES_PER_IMAGE = 96;

SDL_Texture* MakeScaled(Image& image, int frame, int w, int h) {
  SDL_Renderer* r = Display().Renderer;
  SDL_Texture* scaled = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
  if (!scaled) return nullptr;
  SDL_SetTextureScaleMode(scaled, SDL_ScaleModeLinear);
  SDL_Texture* previous = SDL_GetRenderTarget(r);
  bool done = SDL_SetRenderTarget(r, scaled) == 0;
  if (done) {
    // A plain copy of the frame, alpha included: blending happens when the
    // scaled frame is drawn, in the state of that draw.
    SDL_RenderSetClipRect(r, nullptr);
    SDL_SetTextureBlendMode(image.Texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureAlphaMod(image.Texture, 255);
    SDL_SetTextureColorMod(image.Texture, 255, 255, 255);
    done = SDL_RenderCopy(r, image.Texture, &image.Frames[frame], nullptr) == 0;
  }
  SDL_SetRenderTarget(r, previous);
  ApplyClip();
  if (!done) {
    SDL_DestroyTexture(scaled);
    return nullptr;
  }
  return scaled;
}

}  // namespace

namespace media_internal {

SDL_Texture* ScaledFrameTexture(Image& image, int frame, int w, int h) {
  const DisplayState& d = Display();
  if (!enabled || !d.Software || !d.Renderer || image.Capture || image.Target || !image.Texture) return nullptr;
  if (w == image.Width && h == image.Height) return nullptr;  // already a copy
  if (w <= 0 || h <= 0 || w > MAX_SIDE || h > MAX_SIDE) return nullptr;
  for (const Image::ScaledFrame& s : image.Scaled)
    if (s.Frame == frame && s.W == w && s.H == h) return s.Texture;
  if (image.Scaled.size() >= MAX_SIZES_PER_IMAGE) {
    SDL_DestroyTexture(image.Scaled.front().Texture);
    image.Scaled.erase(image.Scaled.begin());
  }
  SDL_Texture* scaled = MakeScaled(image, frame, w, h);
  if (scaled) image.Scaled.push_back(Image::ScaledFrame{frame, w, h, scaled});
  return scaled;
}

Image* QuartersImage(Image& strip, const int frames[4], int cell) {
  for (const Image::Quarters& q : strip.Squares) {
    if (q.Cell == cell && std::equal(frames, frames + 4, q.Frames)) return q.Whole;
  }
  SDL_Renderer* r = Display().Renderer;
  if (!enabled || !r || strip.Capture || strip.Target || !PrepareImage(&strip) || cell <= 0 || cell > MAX_SIDE / 2 ||
      strip.Squares.size() >= MAX_SQUARES_PER_IMAGE)
    return nullptr;
  for (int i = 0; i < 4; i++)
    if (frames[i] < 0 || frames[i] >= static_cast<int>(strip.Frames.size())) return nullptr;
  SDL_Texture* texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, 2 * cell, 2 * cell);
  if (!texture) return nullptr;
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  SDL_Texture* previous = SDL_GetRenderTarget(r);
  bool done = SDL_SetRenderTarget(r, texture) == 0;
  if (done) {
    SDL_RenderSetClipRect(r, nullptr);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 0);
    SDL_RenderClear(r);
    // Each quarter as it would be drawn (scaled once where the renderer
    // would scale it), copied with its alpha: blending happens when the
    // whole square is drawn.
    const SDL_Rect places[4] = {{0, 0, cell, cell}, {cell, 0, cell, cell}, {cell, cell, cell, cell}, {0, cell, cell, cell}};
    for (int i = 0; i < 4 && done; i++) {
      SDL_Texture* source = ScaledFrameTexture(strip, frames[i], cell, cell);
      const SDL_Rect* from = source ? nullptr : &strip.Frames[frames[i]];
      if (!source) source = strip.Texture;
      SDL_SetTextureBlendMode(source, SDL_BLENDMODE_NONE);
      SDL_SetTextureAlphaMod(source, 255);
      SDL_SetTextureColorMod(source, 255, 255, 255);
      done = SDL_RenderCopy(r, source, from, &places[i]) == 0;
    }
  }
  SDL_SetRenderTarget(r, previous);
  ApplyClip();
  if (!done) {
    SDL_DestroyTexture(texture);
    return nullptr;
  }
  auto* whole = new Image;
  whole->Texture = texture;
  whole->Width = whole->Height = 2 * cell;
  whole->Target = true;  // made by drawing: never scaled ahead itself
  whole->Frames.push_back(SDL_Rect{0, 0, 2 * cell, 2 * cell});
  Image::Quarters made;
  std::copy(frames, frames + 4, made.Frames);
  made.Cell = cell;
  made.Whole = whole;
  strip.Squares.push_back(made);
  return whole;
}

void ReleaseScaledFrames(Image& image) {
  for (const Image::ScaledFrame& s : image.Scaled) SDL_DestroyTexture(s.Texture);
  image.Scaled.clear();
  for (const Image::Quarters& q : image.Squares) {
    SDL_DestroyTexture(q.Whole->Texture);
    delete q.Whole;
  }
  image.Squares.clear();
}

}  // namespace media_internal

void media_test::UseScaledFrames(bool on) {
  enabled = on;
  DropScaledFrames();
}
