// The drawing state and the drawing primitives. Every primitive is recorded
// (for tests) before it reaches the renderer, so recording works whatever
// the renderer can do.
//
// Primitives are queued with the drawing state they were called in and
// reach the renderer when the frame is presented. A frame whose queue is
// the same as the last shown frame's, with no event in between and nothing
// else changed on screen, is not drawn nor presented again: a still screen
// costs next to nothing, and any change shows in the very next frame.
#include <algorithm>
#include <atomic>

#include "media/internal.h"

using namespace media_internal;

namespace {

bool recording = false;

// One queued primitive: what it draws and the state it was called in.
struct QueuedDraw {
  media_test::DrawKind Kind = media_test::DrawKind::Clear;
  Image* Img = nullptr;
  int Frame = 0;
  float X = 0, Y = 0, W = 0, H = 0;  // as passed, before origin and scale
  DrawState State;
  std::string Text;
};

bool SameState(const DrawState& a, const DrawState& b) {
  return a.R == b.R && a.G == b.G && a.B == b.B && a.Alpha == b.Alpha && a.Blend == b.Blend &&
         a.ScaleX == b.ScaleX && a.ScaleY == b.ScaleY && a.OriginX == b.OriginX && a.OriginY == b.OriginY &&
         a.ClipX == b.ClipX && a.ClipY == b.ClipY && a.ClipW == b.ClipW && a.ClipH == b.ClipH &&
         a.ClearR == b.ClearR && a.ClearG == b.ClearG && a.ClearB == b.ClearB && a.CurrentFont == b.CurrentFont;
}

bool SameDraw(const QueuedDraw& a, const QueuedDraw& b) {
  return a.Kind == b.Kind && a.Img == b.Img && a.Frame == b.Frame && a.X == b.X && a.Y == b.Y && a.W == b.W &&
         a.H == b.H && SameState(a.State, b.State) && a.Text == b.Text;
}

// The queue of this frame and the last shown one. Entries are reused from
// frame to frame (their texts keep their room), so queueing allocates
// nothing once the lists have grown to a frame's size.
struct FrameQueue {
  std::vector<QueuedDraw> Calls;
  size_t Count = 0;
  // Room for a full board's frame, made when a display opens, so that even
  // the first frame queues without allocating.
  void Reserve() {
    constexpr size_t CALLS = 3072, TEXT = 32;
    if (Calls.size() >= CALLS) return;
    Calls.resize(CALLS);
    for (QueuedDraw& q : Calls) q.Text.reserve(TEXT);
  }
  void Add(media_test::DrawKind kind, Image* image, int frame, float x, float y, float w, float h,
           const std::string& text) {
    if (Count == Calls.size()) Calls.emplace_back();
    QueuedDraw& q = Calls[Count++];
    q.Kind = kind;
    q.Img = image;
    q.Frame = frame;
    q.X = x;
    q.Y = y;
    q.W = w;
    q.H = h;
    q.State = Draw();
    q.Text.assign(text);
    // Only the parts of the state that the primitive uses are kept, so that
    // two frames drawing the same pixels compare equal.
    DrawState& st = q.State;
    const DrawState fresh;
    if (kind == media_test::DrawKind::Clear) {
      const DrawState keep = st;
      st = fresh;
      st.ClipX = keep.ClipX;
      st.ClipY = keep.ClipY;
      st.ClipW = keep.ClipW;
      st.ClipH = keep.ClipH;
      st.ClearR = keep.ClearR;
      st.ClearG = keep.ClearG;
      st.ClearB = keep.ClearB;
    } else {
      st.ClearR = fresh.ClearR;
      st.ClearG = fresh.ClearG;
      st.ClearB = fresh.ClearB;
      if (kind != media_test::DrawKind::Text) st.CurrentFont = fresh.CurrentFont;
    }
  }
  bool SameAs(const FrameQueue& other) const {
    if (Count != other.Count) return false;
    for (size_t i = 0; i < Count; i++)
      if (!SameDraw(Calls[i], other.Calls[i])) return false;
    return true;
  }
};

FrameQueue* current = new FrameQueue;  // both live until the process ends
FrameQueue* shown = new FrameQueue;
size_t replayed = 0;             // calls of the current queue already sent to the renderer
bool mustShow = true;            // something changed besides the queue
std::atomic<unsigned> events{0};  // platform events seen; any of them shows the next frame
unsigned eventsAtLastShow = 0;
long presentedFrames = 0;

int CountEvent(void*, SDL_Event* event) {
  // SDL marks the end of each poll with an event of its own: not news.
  if (event->type != SDL_POLLSENTINEL) events++;
  return 0;
}

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
  if (image) PrepareImage(image);
  SDL_Renderer* r = Target();
  if (!r || !image || !image->Texture || frame < 0 || frame >= static_cast<int>(image->Frames.size())) return;
  const DrawState& s = Draw();
  SDL_FRect dest{x + s.OriginX, y + s.OriginY, w * s.ScaleX, h * s.ScaleY};
  // The software renderer draws at whole pixels, the size truncated.
  const int wholeW = std::max(static_cast<int>(dest.w), 1), wholeH = std::max(static_cast<int>(dest.h), 1);
  SDL_Texture* scaled = dest.w > 0 && dest.h > 0 ? ScaledFrameTexture(*image, frame, wholeW, wholeH) : nullptr;
  if (scaled) {
    dest.w = static_cast<float>(wholeW);
    dest.h = static_cast<float>(wholeH);
    PrepareTexture(scaled, false);
    SDL_RenderCopyF(r, scaled, nullptr, &dest);
    return;
  }
  PrepareTexture(image->Texture, false);
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
  // A new display: whatever was queued for the old one is dropped, and the
  // next frame is shown whatever it holds.
  current->Count = 0;
  current->Reserve();
  shown->Reserve();
  replayed = 0;
  mustShow = true;
  static const bool watching = (SDL_AddEventWatch(CountEvent, nullptr), true);
  (void)watching;
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

namespace {

void RunClear() {
  const DrawState& s = Draw();
  SDL_Renderer* r = Target();
  if (!r || s.ClipW <= 0 || s.ClipH <= 0) return;
  // SDL_RenderClear ignores the clip rectangle; a solid fill respects it.
  SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(r, static_cast<Uint8>(s.ClearR), static_cast<Uint8>(s.ClearG),
                         static_cast<Uint8>(s.ClearB), 255);
  SDL_Rect rect{s.ClipX, s.ClipY, s.ClipW, s.ClipH};
  SDL_RenderFillRect(r, &rect);
}

void RunFill(float x, float y, float w, float h) {
  const DrawState& s = Draw();
  const float ax = x + s.OriginX, ay = y + s.OriginY;
  SDL_Renderer* r = Target();
  if (!r) return;
  SDL_SetRenderDrawBlendMode(r, SdlBlend(s.Blend));
  Uint8 alpha = s.Blend == BLEND_SOLID ? 255 : ToByte(s.Alpha);
  SDL_SetRenderDrawColor(r, static_cast<Uint8>(s.R), static_cast<Uint8>(s.G), static_cast<Uint8>(s.B), alpha);
  SDL_FRect rect{ax, ay, w * s.ScaleX, h * s.ScaleY};
  SDL_RenderFillRectF(r, &rect);
}

// Sends one queued call to the renderer in the state it was called in.
void Run(const QueuedDraw& q) {
  DrawState& s = Draw();
  const bool clipChanged =
      s.ClipX != q.State.ClipX || s.ClipY != q.State.ClipY || s.ClipW != q.State.ClipW || s.ClipH != q.State.ClipH;
  s = q.State;
  if (clipChanged) ApplyClip();
  switch (q.Kind) {
    case media_test::DrawKind::Clear: RunClear(); break;
    case media_test::DrawKind::Fill: RunFill(q.X, q.Y, q.W, q.H); break;
    case media_test::DrawKind::Sprite:
    case media_test::DrawKind::Stretched: DrawFrame(q.Img, q.X, q.Y, q.W, q.H, q.Frame); break;
    case media_test::DrawKind::Text: RenderText(q.Text, q.X + s.OriginX, q.Y + s.OriginY); break;
  }
}

void Queue(media_test::DrawKind kind, Image* image, int frame, float x, float y, float w, float h,
           const std::string& text) {
  if (Target()) current->Add(kind, image, frame, x, y, w, h, text);
}

}  // namespace

namespace media_internal {

void FlushDraws() {
  if (replayed == current->Count) return;
  const DrawState live = Draw();
  for (; replayed < current->Count; replayed++) Run(current->Calls[replayed]);
  Draw() = live;
  ApplyClip();
  // Drawn outside a presented frame: the next one is shown in any case.
  mustShow = true;
}

void ScreenContentChanged() { mustShow = true; }

bool FinishFrame() {
  const unsigned seen = events.load();
  const bool still = !mustShow && replayed == 0 && seen == eventsAtLastShow && current->SameAs(*shown);
  if (still) {
    current->Count = 0;
    return false;
  }
  const DrawState live = Draw();
  for (; replayed < current->Count; replayed++) Run(current->Calls[replayed]);
  Draw() = live;
  ApplyClip();
  std::swap(current, shown);
  current->Count = 0;
  replayed = 0;
  mustShow = false;
  eventsAtLastShow = seen;
  presentedFrames++;
  return true;
}

}  // namespace media_internal

void ClearClipArea() {
  const DrawState& s = Draw();
  RecordDraw(media_test::DrawKind::Clear, nullptr, 0, static_cast<float>(s.ClipX), static_cast<float>(s.ClipY),
             static_cast<float>(s.ClipW), static_cast<float>(s.ClipH), "");
  Queue(media_test::DrawKind::Clear, nullptr, 0, 0, 0, 0, 0, "");
}

void FillRect(float x, float y, float w, float h) {
  const DrawState& s = Draw();
  RecordDraw(media_test::DrawKind::Fill, nullptr, 0, x + s.OriginX, y + s.OriginY, w * s.ScaleX, h * s.ScaleY, "");
  Queue(media_test::DrawKind::Fill, nullptr, 0, x, y, w, h, "");
}

void DrawSprite(Image* image, float x, float y, int frame) {
  if (!image) return;
  const DrawState& s = Draw();
  const float w = static_cast<float>(image->Width), h = static_cast<float>(image->Height);
  RecordDraw(media_test::DrawKind::Sprite, image, frame, x + s.OriginX, y + s.OriginY, w * s.ScaleX,
             h * s.ScaleY, "");
  Queue(media_test::DrawKind::Sprite, image, frame, x, y, w, h, "");
}

void DrawSpriteStretched(Image* image, float x, float y, float w, float h, int frame) {
  if (!image) return;
  const DrawState& s = Draw();
  RecordDraw(media_test::DrawKind::Stretched, image, frame, x + s.OriginX, y + s.OriginY, w * s.ScaleX,
             h * s.ScaleY, "");
  Queue(media_test::DrawKind::Stretched, image, frame, x, y, w, h, "");
}

void DrawQuarters(Image* strip, float x, float y, int cell, const int frames[4]) {
  if (!strip) return;
  const float c = static_cast<float>(cell);
  const float qx[4] = {x, x + c, x + c, x}, qy[4] = {y, y, y + c, y + c};
  const DrawState& s = Draw();
  if (Recording()) {
    for (int i = 0; i < 4; i++)
      RecordDraw(media_test::DrawKind::Stretched, strip, frames[i], qx[i] + s.OriginX, qy[i] + s.OriginY,
                 c * s.ScaleX, c * s.ScaleY, "");
  }
  if (!Target()) return;
  Image* whole = s.ScaleX == 1.0f && s.ScaleY == 1.0f ? QuartersImage(*strip, frames, cell) : nullptr;
  if (whole) {
    Queue(media_test::DrawKind::Sprite, whole, 0, x, y, 2 * c, 2 * c, "");
  } else {
    for (int i = 0; i < 4; i++) Queue(media_test::DrawKind::Stretched, strip, frames[i], qx[i], qy[i], c, c, "");
  }
}

void DrawString(const std::string& text, float x, float y) {
  const DrawState& s = Draw();
  RecordDraw(media_test::DrawKind::Text, nullptr, 0, x + s.OriginX, y + s.OriginY,
             static_cast<float>(StringWidth(text)) * s.ScaleX, static_cast<float>(FontHeight()) * s.ScaleY, text);
  Queue(media_test::DrawKind::Text, nullptr, 0, x, y, 0, 0, text);
}

namespace media_test {

void StartRecording() {
  recorded.clear();
  recording = true;
}

void StopRecording() { recording = false; }

const std::vector<DrawCall>& RecordedDraws() { return recorded; }

long PresentedFrames() { return presentedFrames; }

}  // namespace media_test
