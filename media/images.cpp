// Images: decoded once, uploaded to one texture per image with every frame
// surrounded by a copy of its edge pixels (so bilinear sampling of a frame
// never picks up its neighbours), and capture images.
#include <algorithm>
#include <cstring>
#include <chrono>
#include <memory>

#include "media/internal.h"

using namespace media_internal;

namespace {

std::vector<Image*>& AllImages() {
  static auto* images = new std::vector<Image*>;  // lives until the process ends
  return *images;
}

SDL_Renderer* Renderer() { return Display().Renderer; }

// Copies the w x h frame at (sx, sy) of `src` into `dst` at (dx, dy) with a
// one-pixel border repeating the frame's edge.
void CopyFramePadded(const std::vector<uint8_t>& src, int srcWidth, int sx, int sy, int w, int h,
                     std::vector<uint8_t>& dst, int dstWidth, int dx, int dy) {
  for (int y = -1; y <= h; y++) {
    const int fy = std::clamp(y, 0, h - 1);
    for (int x = -1; x <= w; x++) {
      const int fx = std::clamp(x, 0, w - 1);
      const uint8_t* p = &src[(static_cast<size_t>(sy + fy) * srcWidth + sx + fx) * 4];
      uint8_t* q = &dst[(static_cast<size_t>(dy + 1 + y) * dstWidth + dx + 1 + x) * 4];
      std::copy(p, p + 4, q);
    }
  }
}

// Frames side by side in rows of at most 4096 pixels, each with its border.
void LayOutFrames(Image& image, int cellW, int cellH, size_t count, int& texW, int& texH) {
  const int padW = cellW + 2, padH = cellH + 2;
  const int perRow = std::max(1, std::min(static_cast<int>(count), 4096 / padW));
  const int rows = (static_cast<int>(count) + perRow - 1) / perRow;
  texW = perRow * padW;
  texH = rows * padH;
  image.Width = cellW;
  image.Height = cellH;
  image.Frames.clear();
  for (size_t i = 0; i < count; i++) {
    const int dx = static_cast<int>(i % perRow) * padW, dy = static_cast<int>(i / perRow) * padH;
    image.Frames.push_back(SDL_Rect{dx + 1, dy + 1, cellW, cellH});
  }
}

// The opacity-weighted mean colour of the w x h cell at (sx, sy).
SDL_Color MeanColour(const std::vector<uint8_t>& rgba, int picWidth, int sx, int sy, int w, int h) {
  uint64_t sum[3] = {}, weight = 0;
  for (int y = 0; y < h; y++) {
    const uint8_t* p = &rgba[(static_cast<size_t>(sy + y) * picWidth + sx) * 4];
    for (int x = 0; x < w; x++, p += 4) {
      for (int c = 0; c < 3; c++) sum[c] += static_cast<uint64_t>(p[c]) * p[3];
      weight += p[3];
    }
  }
  if (weight == 0) return SDL_Color{255, 255, 255, 0};
  return SDL_Color{static_cast<uint8_t>(sum[0] / weight), static_cast<uint8_t>(sum[1] / weight),
                   static_cast<uint8_t>(sum[2] / weight), 255};
}

// Builds the image's texture from the decoded picture.
bool Upload(Image& image, const std::vector<uint8_t>& rgba, int picWidth) {
  SDL_Renderer* r = Renderer();
  if (!r || image.Cells.empty()) return false;
  int texW, texH;
  LayOutFrames(image, image.Width, image.Height, image.Cells.size(), texW, texH);
  std::vector<uint8_t> atlas(static_cast<size_t>(texW) * texH * 4, 0);
  image.FrameMeans.clear();
  for (size_t i = 0; i < image.Cells.size(); i++) {
    const SDL_Rect& f = image.Frames[i];
    image.FrameMeans.push_back(
        MeanColour(rgba, picWidth, image.Cells[i].x, image.Cells[i].y, image.Width, image.Height));
    CopyFramePadded(rgba, picWidth, image.Cells[i].x, image.Cells[i].y, image.Width, image.Height, atlas, texW,
                    f.x - 1, f.y - 1);
  }
  image.Texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, texW, texH);
  if (!image.Texture) return false;
  // Textures hold the renderer's own pixel layout, so that blending a frame
  // onto the screen needs no conversion of each pixel.
  SDL_ConvertPixels(texW, texH, SDL_PIXELFORMAT_ABGR8888, atlas.data(), texW * 4, SDL_PIXELFORMAT_ARGB8888,
                    atlas.data(), texW * 4);
  SDL_UpdateTexture(image.Texture, nullptr, atlas.data(), texW * 4);
  SDL_SetTextureScaleMode(image.Texture, SDL_ScaleModeLinear);
  return true;
}

// The image that drawing goes into, with the display's origin and clip area
// to put back afterwards.
struct ImageDrawing {
  Image* Into = nullptr;
  float OriginX = 0, OriginY = 0;
  int ClipX = 0, ClipY = 0, ClipW = 0, ClipH = 0;
};

ImageDrawing& Drawing() {
  static auto* drawing = new ImageDrawing;  // lives until the process ends
  return *drawing;
}

std::vector<Image*>& PendingImages() {
  static auto* pending = new std::vector<Image*>;  // lives until the process ends
  return *pending;
}

// The picture averaged down to w x h (each target pixel the mean of the
// source pixels it covers), in one pass over the source.
std::vector<uint8_t> ScaledDown(const std::vector<uint8_t>& rgba, int srcW, int srcH, int w, int h) {
  std::vector<uint32_t> sum(static_cast<size_t>(w) * h * 4, 0), count(static_cast<size_t>(w) * h, 0);
  for (int y = 0; y < srcH; y++) {
    const size_t ty = static_cast<size_t>(static_cast<int64_t>(y) * h / srcH);
    for (int x = 0; x < srcW; x++) {
      const size_t t = ty * w + static_cast<size_t>(static_cast<int64_t>(x) * w / srcW);
      const uint8_t* p = &rgba[(static_cast<size_t>(y) * srcW + x) * 4];
      for (int c = 0; c < 4; c++) sum[t * 4 + c] += p[c];
      count[t]++;
    }
  }
  std::vector<uint8_t> out(sum.size());
  for (size_t t = 0; t < count.size(); t++)
    for (int c = 0; c < 4; c++) out[t * 4 + c] = static_cast<uint8_t>(count[t] ? sum[t * 4 + c] / count[t] : 0);
  return out;
}

// Decodes the picture behind a pending image and uploads it. A picture that
// cannot be decoded leaves an image that draws nothing.
void Decode(Image& image) {
  image.Pending = false;
  auto& pending = PendingImages();
  pending.erase(std::remove(pending.begin(), pending.end(), &image), pending.end());
  std::vector<uint8_t> rgba;
  int w = 0, h = 0;
  const uint8_t* data;
  size_t length;
  std::vector<uint8_t> fileBytes;
  if (ViewPathBytes(image.Source, fileBytes, data, length) && DecodePicture(data, length, rgba, w, h) &&
      w == image.PictureWidth && h == image.PictureHeight) {
    if (image.Deferred && (w > image.Width || h > image.Height)) {
      fileBytes = std::vector<uint8_t>();
      rgba = ScaledDown(rgba, w, h, image.Width, image.Height);
      w = image.Width;
    }
    Upload(image, rgba, w);
    // Drawing skipped a deferred picture until now: the screen it stands on
    // has changed even if the next frame's drawing is the same.
    if (image.Deferred) ScreenContentChanged();
  }
  image.Source = std::string();
}

// An image of the picture at `path` cut into the given cells. Pictures of
// the archive are only measured now and decoded when first needed; a file
// of the player's is decoded at once, so that a damaged one gives none.
Image* MakeImage(const std::string& path, int cellW, int cellH, int first, int count) {
  if (!Renderer()) return nullptr;
  const uint8_t* data;
  size_t length;
  std::vector<uint8_t> fileBytes;
  if (!ViewPathBytes(path, fileBytes, data, length)) return nullptr;
  std::vector<uint8_t> rgba;
  int w, h;
  const bool lazy = IsEmbeddedPath(path);
  if (lazy ? !PictureSize(data, length, w, h) : !DecodePicture(data, length, rgba, w, h)) return nullptr;
  if (cellW == 0) {  // the whole picture
    cellW = w;
    cellH = h;
  }
  const int perRow = w / cellW, rows = h / cellH;
  // Every asked cell must lie inside the picture.
  if (perRow <= 0 || first + count > perRow * rows) return nullptr;
  auto image = std::make_unique<Image>();
  for (int k = first; k < first + count; k++)
    image->Cells.push_back(SDL_Point{(k % perRow) * cellW, (k / perRow) * cellH});
  image->PictureWidth = w;
  image->PictureHeight = h;
  int texW, texH;
  LayOutFrames(*image, cellW, cellH, image->Cells.size(), texW, texH);
  if (lazy) {
    image->Pending = true;
    image->Source = path;
    PendingImages().push_back(image.get());
  } else if (!Upload(*image, rgba, w)) {
    return nullptr;
  }
  AllImages().push_back(image.get());
  return image.release();
}

uint32_t Be32(const uint8_t* p) { return (uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }
int Be16(const uint8_t* p) { return (p[0] << 8) | p[1]; }

}  // namespace

namespace media_internal {

uint64_t SteadyNs() {
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

bool PictureSize(const uint8_t* data, size_t length, int& width, int& height) {
  if (!data || length < 24) return false;
  if (data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G') {
    if (std::memcmp(data + 12, "IHDR", 4) != 0) return false;
    const uint32_t w = Be32(data + 16), h = Be32(data + 20);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
  }
  if (data[0] != 0xFF || data[1] != 0xD8) return false;
  // Walk the JPEG segments to the frame header (SOF0..SOF15 but DHT, JPG, DAC).
  size_t pos = 2;
  while (pos + 9 <= length) {
    if (data[pos] != 0xFF) return false;
    const uint8_t marker = data[pos + 1];
    if (marker == 0xFF) {  // fill byte
      pos++;
      continue;
    }
    const size_t size = static_cast<size_t>(Be16(data + pos + 2));
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      height = Be16(data + pos + 5);
      width = Be16(data + pos + 7);
      return width > 0 && height > 0;
    }
    if (size < 2) return false;
    pos += 2 + size;
  }
  return false;
}

bool PrepareImage(Image* image) {
  if (image->Pending && image->Deferred) return false;  // the spare time decodes it
  if (image->Pending) Decode(*image);
  return image->Texture != nullptr;
}

void DropScaledFrames() {
  FlushDraws();  // queued draws may still use them
  for (Image* image : AllImages()) ReleaseScaledFrames(*image);
}

bool PrefetchImagesUntil(uint64_t dueNs, bool atLeastOne) {
  auto& pending = PendingImages();
  if (!pending.empty() && (atLeastOne || SteadyNs() < dueNs)) {
    do {
      Decode(*pending.front());
    } while (!pending.empty() && SteadyNs() < dueNs);
  }
  return !pending.empty();
}

void FreeAllImages() {
  PendingImages().clear();
  Drawing().Into = nullptr;
  for (Image* image : AllImages()) {
    ReleaseScaledFrames(*image);
    if (image->Texture) SDL_DestroyTexture(image->Texture);
    delete image;
  }
  AllImages().clear();
}

}  // namespace media_internal

Image* LoadSprite(const std::string& path) { return MakeImage(path, 0, 0, 0, 1); }

Image* LoadSpriteWithin(const std::string& path, int maxWidth, int maxHeight) {
  if (!Renderer() || maxWidth <= 0 || maxHeight <= 0 || IsEmbeddedPath(path)) return nullptr;
  // Only the header is read now: at most the first few kilobytes matter
  // for a PNG, a JPEG's frame header may come later.
  std::vector<uint8_t> bytes;
  int w, h;
  if (!ReadAllBytes(path, bytes) || !PictureSize(bytes.data(), bytes.size(), w, h) ||
      static_cast<int64_t>(w) * h > PLAYER_PICTURE_PIXELS)
    return nullptr;
  auto image = std::make_unique<Image>();
  image->Cells.push_back(SDL_Point{0, 0});
  image->PictureWidth = w;
  image->PictureHeight = h;
  // Fitted inside the box, keeping the picture's proportions.
  int fitW = w, fitH = h;
  if (fitW > maxWidth || fitH > maxHeight) {
    if (static_cast<int64_t>(w) * maxHeight > static_cast<int64_t>(h) * maxWidth) {
      fitW = maxWidth;
      fitH = std::max(1, static_cast<int>(static_cast<int64_t>(h) * maxWidth / w));
    } else {
      fitH = maxHeight;
      fitW = std::max(1, static_cast<int>(static_cast<int64_t>(w) * maxHeight / h));
    }
  }
  int texW, texH;
  LayOutFrames(*image, fitW, fitH, 1, texW, texH);
  image->Pending = true;
  image->Deferred = true;
  image->Source = path;
  PendingImages().push_back(image.get());
  AllImages().push_back(image.get());
  return image.release();
}

Image* LoadSpriteStrip(const std::string& path, int cellWidth, int cellHeight, int first, int count) {
  if (cellWidth <= 0 || cellHeight <= 0 || first < 0 || count <= 0) return nullptr;
  return MakeImage(path, cellWidth, cellHeight, first, count);
}

Image* CreateCaptureImage(int width, int height) {
  SDL_Renderer* r = Renderer();
  if (!r || width <= 0 || height <= 0) return nullptr;
  auto* image = new Image;
  image->Width = width;
  image->Height = height;
  image->Capture = true;
  image->Frames.push_back(SDL_Rect{0, 0, width, height});
  image->Texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width, height);
  if (!image->Texture) {
    delete image;
    return nullptr;
  }
  std::vector<uint8_t> empty(static_cast<size_t>(width) * height * 4, 0);
  SDL_UpdateTexture(image->Texture, nullptr, empty.data(), width * 4);
  SDL_SetTextureScaleMode(image->Texture, SDL_ScaleModeNearest);
  AllImages().push_back(image);
  return image;
}

void CaptureScreen(Image* image, int x, int y) {
  SDL_Renderer* r = Renderer();
  if (!r || !image || !image->Texture || !Display().Open) return;
  FlushDraws();  // the screen as drawn so far
  ScreenContentChanged();
  // Only the part that lies on the display is read; the rest stays as it was.
  SDL_Rect want{x, y, image->Width, image->Height}, screen{0, 0, Display().Width, Display().Height}, part;
  if (!SDL_IntersectRect(&want, &screen, &part)) return;
  std::vector<uint8_t> pixels(static_cast<size_t>(part.w) * part.h * 4);
  if (SDL_RenderReadPixels(r, &part, SDL_PIXELFORMAT_ARGB8888, pixels.data(), part.w * 4) != 0) return;
  for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;  // the screen is opaque
  SDL_Rect target{part.x - x, part.y - y, part.w, part.h};
  SDL_UpdateTexture(image->Texture, &target, pixels.data(), part.w * 4);
}

Image* CreateTargetImage(int width, int height) {
  SDL_Renderer* r = Renderer();
  if (!r || width <= 0 || height <= 0 || !SDL_RenderTargetSupported(r)) return nullptr;
  auto* image = new Image;
  image->Width = width;
  image->Height = height;
  image->Target = true;
  image->Frames.push_back(SDL_Rect{0, 0, width, height});
  image->Texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (!image->Texture) {
    delete image;
    return nullptr;
  }
  SDL_SetTextureScaleMode(image->Texture, SDL_ScaleModeLinear);
  AllImages().push_back(image);
  // Starts transparent black.
  FlushDraws();
  SDL_Texture* previous = SDL_GetRenderTarget(r);
  if (SDL_SetRenderTarget(r, image->Texture) == 0) {
    SDL_SetRenderDrawColor(r, 0, 0, 0, 0);
    SDL_RenderClear(r);
  }
  SDL_SetRenderTarget(r, previous);
  ApplyClip();
  return image;
}

void BeginImageDrawing(Image* image) {
  SDL_Renderer* r = Renderer();
  ImageDrawing& d = Drawing();
  if (!r || d.Into || !image || !image->Target || !image->Texture) return;
  // Draws are queued: what was queued for the display goes there first.
  FlushDraws();
  if (SDL_SetRenderTarget(r, image->Texture) != 0) return;
  DrawState& s = Draw();
  d.Into = image;
  d.OriginX = s.OriginX;
  d.OriginY = s.OriginY;
  d.ClipX = s.ClipX;
  d.ClipY = s.ClipY;
  d.ClipW = s.ClipW;
  d.ClipH = s.ClipH;
  SetDrawOrigin(0, 0);
  SetClipArea(0, 0, image->Width, image->Height);
}

void EndImageDrawing() {
  SDL_Renderer* r = Renderer();
  ImageDrawing& d = Drawing();
  if (!r || !d.Into) return;
  FlushDraws();  // the image's own draws
  SDL_SetRenderTarget(r, nullptr);
  d.Into = nullptr;
  SetDrawOrigin(d.OriginX, d.OriginY);
  SetClipArea(d.ClipX, d.ClipY, d.ClipW, d.ClipH);
}

void FreeImage(Image* image) {
  if (!image) return;
  // An image being drawn into is let go of first.
  if (Drawing().Into == image) EndImageDrawing();
  auto& images = AllImages();
  auto it = std::find(images.begin(), images.end(), image);
  if (it == images.end()) return;
  FlushDraws();  // queued draws may still use it
  images.erase(it);
  auto& pending = PendingImages();
  pending.erase(std::remove(pending.begin(), pending.end(), image), pending.end());
  ReleaseScaledFrames(*image);
  if (image->Texture) SDL_DestroyTexture(image->Texture);
  delete image;
}

int ImageWidth(const Image* image) { return image ? image->Width : 0; }
int ImageHeight(const Image* image) { return image ? image->Height : 0; }
int ImageFrames(const Image* image) { return image ? static_cast<int>(image->Frames.size()) : 0; }

bool FrameColour(const Image* image, int frame, int& r, int& g, int& b) {
  r = g = b = 255;
  if (!image || frame < 0 || frame >= static_cast<int>(image->FrameMeans.size())) return false;
  const SDL_Color& c = image->FrameMeans[static_cast<size_t>(frame)];
  if (c.a == 0) return false;
  r = c.r;
  g = c.g;
  b = c.b;
  return true;
}

bool media_test::ImageDecoded(const Image* image) { return image && !image->Pending && image->Texture; }
