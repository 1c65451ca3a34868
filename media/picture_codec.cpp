// PNG and JPEG decoding from memory into RGBA bytes, and PNG writing.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "media/internal.h"

namespace {

bool DecodePng(const uint8_t* data, size_t length, std::vector<uint8_t>& rgba, int& width, int& height) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, length)) return false;
  image.format = PNG_FORMAT_RGBA;
  rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return true;
}

struct JpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

void JpegFail(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->Jump, 1); }
void JpegSilent(j_common_ptr) {}

bool DecodeJpeg(const uint8_t* data, size_t length, std::vector<uint8_t>& rgba, int& width, int& height) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = JpegFail;
  error.Manager.output_message = JpegSilent;
  std::vector<uint8_t> row;
  if (setjmp(error.Jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(length));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  rgba.assign(static_cast<size_t>(width) * height * 4, 255);
  row.resize(static_cast<size_t>(width) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rowPointer = row.data();
    const size_t y = info.output_scanline;
    jpeg_read_scanlines(&info, &rowPointer, 1);
    uint8_t* out = rgba.data() + y * width * 4;
    for (int x = 0; x < width; x++) {
      out[x * 4 + 0] = row[x * 3 + 0];
      out[x * 4 + 1] = row[x * 3 + 1];
      out[x * 4 + 2] = row[x * 3 + 2];
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

namespace media_internal {

bool DecodePicture(const uint8_t* data, size_t length, std::vector<uint8_t>& rgba, int& width, int& height) {
  if (!data || length < 4) return false;
  bool ok = false;
  if (data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G') {
    ok = DecodePng(data, length, rgba, width, height);
  } else if (data[0] == 0xFF && data[1] == 0xD8) {
    ok = DecodeJpeg(data, length, rgba, width, height);
  }
  return ok && width > 0 && height > 0;
}

bool EncodePNG(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height) {
  if (width <= 0 || height <= 0 || rgba.size() < static_cast<size_t>(width) * height * 4) return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) return false;
  std::vector<uint8_t> bytes(size);
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr)) return false;
  return WriteFileAtomically(path, bytes.data(), size);
}

}  // namespace media_internal
