// Images: decoded once, uploaded to one texture per image with every frame
// surrounded by a copy of its edge pixels (so bilinear sampling of a frame
// never picks up its neighbours), and capture images.
#include <algorithm>

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

Image* MakeImage(const std::vector<uint8_t>& rgba, int picWidth, int cellW, int cellH,
                 const std::vector<SDL_Point>& cells) {
  SDL_Renderer* r = Renderer();
  if (!r || cells.empty()) return nullptr;
  // Frames side by side in rows of at most 4096 pixels.
  const int padW = cellW + 2, padH = cellH + 2;
  const int perRow = std::max(1, std::min(static_cast<int>(cells.size()), 4096 / padW));
  const int rows = (static_cast<int>(cells.size()) + perRow - 1) / perRow;
  const int texW = perRow * padW, texH = rows * padH;
  std::vector<uint8_t> atlas(static_cast<size_t>(texW) * texH * 4, 0);
  auto* image = new Image;
  image->Width = cellW;
  image->Height = cellH;
  for (size_t i = 0; i < cells.size(); i++) {
    const int dx = static_cast<int>(i % perRow) * padW, dy = static_cast<int>(i / perRow) * padH;
    CopyFramePadded(rgba, picWidth, cells[i].x, cells[i].y, cellW, cellH, atlas, texW, dx, dy);
    image->Frames.push_back(SDL_Rect{dx + 1, dy + 1, cellW, cellH});
  }
  image->Texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, texW, texH);
  if (!image->Texture) {
    delete image;
    return nullptr;
  }
  SDL_UpdateTexture(image->Texture, nullptr, atlas.data(), texW * 4);
  SDL_SetTextureScaleMode(image->Texture, SDL_ScaleModeLinear);
  AllImages().push_back(image);
  return image;
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

bool LoadPicture(const std::string& path, std::vector<uint8_t>& rgba, int& width, int& height) {
  const uint8_t* data;
  size_t length;
  std::vector<uint8_t> fileBytes;
  if (!ViewPathBytes(path, fileBytes, data, length)) return false;
  return DecodePicture(data, length, rgba, width, height);
}

}  // namespace

namespace media_internal {

void FreeAllImages() {
  Drawing().Into = nullptr;
  for (Image* image : AllImages()) {
    if (image->Texture) SDL_DestroyTexture(image->Texture);
    delete image;
  }
  AllImages().clear();
}

}  // namespace media_internal

Image* LoadSprite(const std::string& path) {
  std::vector<uint8_t> rgba;
  int w, h;
  if (!LoadPicture(path, rgba, w, h)) return nullptr;
  return MakeImage(rgba, w, w, h, {SDL_Point{0, 0}});
}

Image* LoadSpriteStrip(const std::string& path, int cellWidth, int cellHeight, int first, int count) {
  if (cellWidth <= 0 || cellHeight <= 0 || first < 0 || count <= 0) return nullptr;
  std::vector<uint8_t> rgba;
  int w, h;
  if (!LoadPicture(path, rgba, w, h)) return nullptr;
  const int perRow = w / cellWidth, rows = h / cellHeight;
  // Every asked cell must lie inside the picture.
  if (perRow <= 0 || first + count > perRow * rows) return nullptr;
  std::vector<SDL_Point> cells;
  for (int k = first; k < first + count; k++) cells.push_back(SDL_Point{(k % perRow) * cellWidth, (k / perRow) * cellHeight});
  return MakeImage(rgba, w, cellWidth, cellHeight, cells);
}

Image* CreateCaptureImage(int width, int height) {
  SDL_Renderer* r = Renderer();
  if (!r || width <= 0 || height <= 0) return nullptr;
  auto* image = new Image;
  image->Width = width;
  image->Height = height;
  image->Capture = true;
  image->Frames.push_back(SDL_Rect{0, 0, width, height});
  image->Texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, width, height);
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
  // Only the part that lies on the display is read; the rest stays as it was.
  SDL_Rect want{x, y, image->Width, image->Height}, screen{0, 0, Display().Width, Display().Height}, part;
  if (!SDL_IntersectRect(&want, &screen, &part)) return;
  std::vector<uint8_t> pixels(static_cast<size_t>(part.w) * part.h * 4);
  if (SDL_RenderReadPixels(r, &part, SDL_PIXELFORMAT_ABGR8888, pixels.data(), part.w * 4) != 0) return;
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
  image->Texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (!image->Texture) {
    delete image;
    return nullptr;
  }
  SDL_SetTextureScaleMode(image->Texture, SDL_ScaleModeLinear);
  AllImages().push_back(image);
  // Starts transparent black.
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
  images.erase(it);
  if (image->Texture) SDL_DestroyTexture(image->Texture);
  delete image;
}

int ImageWidth(const Image* image) { return image ? image->Width : 0; }
int ImageHeight(const Image* image) { return image ? image->Height : 0; }
int ImageFrames(const Image* image) { return image ? static_cast<int>(image->Frames.size()) : 0; }
