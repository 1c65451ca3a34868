// PNG and JPEG decoding from memory into RGBA bytes, and PNG writing.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "media/internal.h"

namespace {

// The largest picture decoded: its header alone must not make the game ask
// for gigabytes. Far above any picture the game ships.
constexpr uint32_t MAX_PICTURE_SIDE = 16384;
constexpr uint64_t MAX_PICTURE_PIXELS = 32ull << 20;

bool SizeAcceptable(uint32_t width, uint32_t height) {
  return width > 0 && height > 0 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
         static_cast<uint64_t>(width) * height <= MAX_PICTURE_PIXELS;
}

bool DecodePng(const uint8_t* data, size_t length, std::vector<uint8_t>& rgba, int& width, int& height) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, length)) return false;
  if (!SizeAcceptable(image.width, image.height)) {
    png_image_free(&image);
    return false;
  }
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

// Everything the JPEG decoder changes lives here, outside the stack frame
// that calls setjmp: after a longjmp only values that were not changed since
// setjmp (the pointer to this) may be read.
struct JpegJob {
  jpeg_decompress_struct Info;
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  JSAMPLE* Row = nullptr;  // one RGB row, from malloc
  bool Created = false;
};

[[noreturn]] void JpegFail(j_common_ptr info) {
  std::longjmp(static_cast<JpegJob*>(info->client_data)->Jump, 1);
}
void JpegSilent(j_common_ptr) {}

void EndJpeg(JpegJob* job) {
  if (job->Created) jpeg_destroy_decompress(&job->Info);
  std::free(job->Row);
  job->Row = nullptr;
  job->Created = false;
}

// Decodes into `rgba`, which must already hold width x height x 4 bytes
// once the header is read; kept free of C++ objects with destructors, which
// a longjmp would skip.
bool RunJpeg(JpegJob* const job, const uint8_t* data, size_t length, std::vector<uint8_t>& rgba, int& width,
             int& height) {
  if (setjmp(job->Jump)) {
    EndJpeg(job);
    return false;
  }
  job->Info.err = jpeg_std_error(&job->Manager);
  job->Manager.error_exit = JpegFail;
  job->Manager.output_message = JpegSilent;
  job->Info.client_data = job;
  jpeg_create_decompress(&job->Info);
  job->Created = true;
  jpeg_mem_src(&job->Info, data, static_cast<unsigned long>(length));
  if (jpeg_read_header(&job->Info, TRUE) != JPEG_HEADER_OK ||
      !SizeAcceptable(job->Info.image_width, job->Info.image_height)) {
    EndJpeg(job);
    return false;
  }
  job->Info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&job->Info);
  const size_t w = job->Info.output_width, h = job->Info.output_height;
  if (!SizeAcceptable(static_cast<uint32_t>(w), static_cast<uint32_t>(h)) || job->Info.output_components != 3) {
    EndJpeg(job);
    return false;
  }
  job->Row = static_cast<JSAMPLE*>(std::malloc(w * 3));
  if (!job->Row) {
    EndJpeg(job);
    return false;
  }
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  rgba.assign(w * h * 4, 255);
  while (job->Info.output_scanline < job->Info.output_height) {
    JSAMPROW rowPointer = job->Row;
    const size_t y = job->Info.output_scanline;
    if (jpeg_read_scanlines(&job->Info, &rowPointer, 1) != 1) break;
    uint8_t* out = rgba.data() + y * w * 4;
    for (size_t x = 0; x < w; x++) {
      out[x * 4 + 0] = job->Row[x * 3 + 0];
      out[x * 4 + 1] = job->Row[x * 3 + 1];
      out[x * 4 + 2] = job->Row[x * 3 + 2];
    }
  }
  jpeg_finish_decompress(&job->Info);
  EndJpeg(job);
  return true;
}

bool DecodeJpeg(const uint8_t* data, size_t length, std::vector<uint8_t>& rgba, int& width, int& height) {
  auto job = std::make_unique<JpegJob>();
  try {
    return RunJpeg(job.get(), data, length, rgba, width, height);
  } catch (...) {
    EndJpeg(job.get());
    throw;
  }
}

}  // namespace

namespace media_internal {

bool DecodePicture(const uint8_t* data, size_t length, std::vector<uint8_t>& rgba, int& width, int& height) {
  if (!data || length < 4) return false;
  bool ok = false;
  try {
    if (data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G') {
      ok = DecodePng(data, length, rgba, width, height);
    } else if (data[0] == 0xFF && data[1] == 0xD8) {
      ok = DecodeJpeg(data, length, rgba, width, height);
    }
  } catch (const std::bad_alloc&) {
    // Memory ran out for this picture: it fails alone.
    ok = false;
  } catch (const std::length_error&) {
    ok = false;
  }
  if (!ok) rgba.clear();
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
