// PNG and JPEG decoding from memory into RGBA bytes, and PNG writing, for
// the browser: stb_image and stb_image_write instead of libpng and libjpeg.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
// The largest picture decoded: its header alone must not make the game ask
// for gigabytes (the same bounds as on the desktop).
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include "media/internal.h"

namespace {

constexpr uint64_t MAX_PICTURE_PIXELS = 32ull << 20;

void Append(void* context, void* data, int size) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(context);
  bytes->insert(bytes->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

}  // namespace

namespace media_internal {

bool DecodePicture(const uint8_t* data, size_t length, std::vector<uint8_t>& rgba, int& width, int& height) {
  rgba.clear();
  if (!data || length < 4 || length > 0x7FFFFFFF) return false;
  const bool png = data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G';
  const bool jpeg = data[0] == 0xFF && data[1] == 0xD8;
  int w = 0, h = 0, channels = 0;
  const int size = static_cast<int>(length);
  if ((!png && !jpeg) || !stbi_info_from_memory(data, size, &w, &h, &channels) || w <= 0 || h <= 0 ||
      static_cast<uint64_t>(w) * h > MAX_PICTURE_PIXELS)
    return false;
  stbi_uc* pixels = stbi_load_from_memory(data, size, &w, &h, &channels, 4);
  if (!pixels) return false;
  rgba.assign(pixels, pixels + static_cast<size_t>(w) * h * 4);
  stbi_image_free(pixels);
  width = w;
  height = h;
  return true;
}

bool EncodePNG(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height) {
  if (width <= 0 || height <= 0 || rgba.size() < static_cast<size_t>(width) * height * 4) return false;
  std::vector<uint8_t> bytes;
  if (!stbi_write_png_to_func(Append, &bytes, width, height, 4, rgba.data(), width * 4)) return false;
  return WriteFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace media_internal
