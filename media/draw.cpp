// The drawing state and the drawing primitives. Every primitive is recorded
// (for tests) before it reaches the renderer, so recording works whatever
// the renderer can do.
#include <algorithm>

#include "media/internal.h"

using namespace media_internal;

namespace {

bool recording = false;
// Lives until the process ends, so tests may look at it at any time.
std::vector<media_test::DrawCall>& recorded = *new std::vector<media_test::DrawCall>;

SDL_BlendMode SdlBlend(BlendMode mode) {
  switch (mode) {
    case BLEND_SOLID: return SDL_BLENDMODE_NONE;
    case BLEND_ADDITIVE: return SDL_BLENDMODE_ADD;
    // The mask mode (skip pixels under half alpha, replace the others) is
    // approximated by alpha blending: the only picture drawn in it is
    // opaque, where both give the same result.
    case BLEND_MASK:
    case BLEND_ALPHA:
    default: return SDL_BLENDMODE_BLEND;
  }
}

Uint8 ToByte(float unit) { return static_cast<Uint8>(std::clamp(unit, 0.0f, 1.0f) * 255.0f + 0.5f); }

SDL_Renderer* Target() {
  DisplayState& d = Display();
  return d.Open ? d.Renderer : nullptr;
}

void DrawFrame(Image* image, float x, float y, float w, float h, int frame) {
  SDL_Renderer* r = Target();
  if (!r || !image || !image->Texture || frame < 0 || frame >= static_cast<int>(image->Frames.size())) return;
  PrepareTexture(image->Texture, false);
  const DrawState& s = Draw();
  SDL_FRect dest{x + s.OriginX, y + s.OriginY, w * s.ScaleX, h * s.ScaleY};
  SDL_RenderCopyF(r, image->Texture, &image->Frames[frame], &dest);
}

}  // namespace

namespace media_internal {

DrawState& Draw() {
  static auto* state = new DrawState;  // lives until the process ends
  return *state;
}

void ResetDrawState(int width, int height) {
  DrawState& s = Draw();
  s = DrawState();
  s.ClipW = width;
  s.ClipH = height;
}

void ApplyClip() {
  SDL_Renderer* r = Target();
  if (!r) return;
  const DrawState& s = Draw();
  SDL_Rect clip{s.ClipX, s.ClipY, std::max(0, s.ClipW), std::max(0, s.ClipH)};
  SDL_RenderSetClipRect(r, &clip);
}

void PrepareTexture(SDL_Texture* texture, bool coverageOnly) {
  const DrawState& s = Draw();
  BlendMode mode = s.Blend;
  // Glyphs are coverage maps: drawing them without blending would paint
  // their boxes, so solid text keeps its coverage but ignores the alpha.
  if (coverageOnly && mode == BLEND_SOLID) {
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(texture, 255);
  } else {
    SDL_SetTextureBlendMode(texture, SdlBlend(mode));
    SDL_SetTextureAlphaMod(texture, mode == BLEND_SOLID ? 255 : ToByte(s.Alpha));
  }
  SDL_SetTextureColorMod(texture, static_cast<Uint8>(s.R), static_cast<Uint8>(s.G), static_cast<Uint8>(s.B));
}

bool Recording() { return recording; }

void RecordDraw(media_test::DrawKind kind, const Image* image, int frame, float x, float y, float w, float h,
                const std::string& text) {
  if (!recording) return;
  const DrawState& s = Draw();
  media_test::DrawCall call{kind,     image,    frame,    x,        y,        w,    h,    s.R,
                            s.G,      s.B,      s.Alpha,  s.Blend,  s.ScaleX, s.ScaleY,
                            s.ClipX,  s.ClipY,  s.ClipW,  s.ClipH,  text};
  recorded.push_back(std::move(call));
}

}  // namespace media_internal

void SetDrawColour(int r, int g, int b) {
  DrawState& s = Draw();
  s.R = std::clamp(r, 0, 255);
  s.G = std::clamp(g, 0, 255);
  s.B = std::clamp(b, 0, 255);
}

void SetDrawAlpha(float alpha) { Draw().Alpha = std::clamp(alpha, 0.0f, 1.0f); }

void SetBlendMode(BlendMode mode) { Draw().Blend = mode; }

void SetDrawScale(float sx, float sy) {
  Draw().ScaleX = sx;
  Draw().ScaleY = sy;
}

void SetDrawOrigin(float x, float y) {
  Draw().OriginX = x;
  Draw().OriginY = y;
}

void SetClipArea(int x, int y, int w, int h) {
  DrawState& s = Draw();
  s.ClipX = x;
  s.ClipY = y;
  s.ClipW = w;
  s.ClipH = h;
  ApplyClip();
}

void SetClearColour(int r, int g, int b) {
  DrawState& s = Draw();
  s.ClearR = std::clamp(r, 0, 255);
  s.ClearG = std::clamp(g, 0, 255);
  s.ClearB = std::clamp(b, 0, 255);
}

void ClearClipArea() {
  const DrawState& s = Draw();
  RecordDraw(media_test::DrawKind::Clear, nullptr, 0, static_cast<float>(s.ClipX), static_cast<float>(s.ClipY),
             static_cast<float>(s.ClipW), static_cast<float>(s.ClipH), "");
  SDL_Renderer* r = Target();
  if (!r || s.ClipW <= 0 || s.ClipH <= 0) return;
  // SDL_RenderClear ignores the clip rectangle; a solid fill respects it.
  SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(r, static_cast<Uint8>(s.ClearR), static_cast<Uint8>(s.ClearG),
                         static_cast<Uint8>(s.ClearB), 255);
  SDL_Rect rect{s.ClipX, s.ClipY, s.ClipW, s.ClipH};
  SDL_RenderFillRect(r, &rect);
}

void FillRect(float x, float y, float w, float h) {
  const DrawState& s = Draw();
  const float ax = x + s.OriginX, ay = y + s.OriginY;
  RecordDraw(media_test::DrawKind::Fill, nullptr, 0, ax, ay, w * s.ScaleX, h * s.ScaleY, "");
  SDL_Renderer* r = Target();
  if (!r) return;
  SDL_SetRenderDrawBlendMode(r, SdlBlend(s.Blend));
  Uint8 alpha = s.Blend == BLEND_SOLID ? 255 : ToByte(s.Alpha);
  SDL_SetRenderDrawColor(r, static_cast<Uint8>(s.R), static_cast<Uint8>(s.G), static_cast<Uint8>(s.B), alpha);
  SDL_FRect rect{ax, ay, w * s.ScaleX, h * s.ScaleY};
  SDL_RenderFillRectF(r, &rect);
}

void DrawSprite(Image* image, float x, float y, int frame) {
  if (!image) return;
  const DrawState& s = Draw();
  const float w = static_cast<float>(image->Width), h = static_cast<float>(image->Height);
  RecordDraw(media_test::DrawKind::Sprite, image, frame, x + s.OriginX, y + s.OriginY, w * s.ScaleX,
             h * s.ScaleY, "");
  DrawFrame(image, x, y, w, h, frame);
}

void DrawSpriteStretched(Image* image, float x, float y, float w, float h, int frame) {
  if (!image) return;
  const DrawState& s = Draw();
  RecordDraw(media_test::DrawKind::Stretched, image, frame, x + s.OriginX, y + s.OriginY, w * s.ScaleX,
             h * s.ScaleY, "");
  DrawFrame(image, x, y, w, h, frame);
}

void DrawString(const std::string& text, float x, float y) {
  const DrawState& s = Draw();
  RecordDraw(media_test::DrawKind::Text, nullptr, 0, x + s.OriginX, y + s.OriginY,
             static_cast<float>(StringWidth(text)) * s.ScaleX, static_cast<float>(FontHeight()) * s.ScaleY, text);
  RenderText(text, x + s.OriginX, y + s.OriginY);
}

namespace media_test {

void StartRecording() {
  recorded.clear();
  recording = true;
}

void StopRecording() { recording = false; }

const std::vector<DrawCall>& RecordedDraws() { return recorded; }

}  // namespace media_test
