// libvorbisfile's calls used by the sound code, on stb_vorbis (see
// vorbis/vorbisfile.h).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

#include "media/web/include/vorbis/vorbisfile.h"

int ov_open_callbacks(void* source, OggVorbis_File* file, const char*, long, ov_callbacks callbacks) {
  *file = OggVorbis_File();
  // The length from the end, then everything from the start.
  if (callbacks.seek_func(source, 0, SEEK_END) != 0) return OV_EREAD;
  const long length = callbacks.tell_func(source);
  if (length <= 0 || callbacks.seek_func(source, 0, SEEK_SET) != 0) return OV_EREAD;
  auto* bytes = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(length)));
  if (!bytes) return OV_EREAD;
  if (callbacks.read_func(bytes, 1, static_cast<size_t>(length), source) != static_cast<size_t>(length)) {
    std::free(bytes);
    return OV_EREAD;
  }
  int error = 0;
  file->Decoder = stb_vorbis_open_memory(bytes, static_cast<int>(length), &error, nullptr);
  if (!file->Decoder) {
    std::free(bytes);
    return OV_EREAD;
  }
  file->Bytes = bytes;
  const stb_vorbis_info info = stb_vorbis_get_info(file->Decoder);
  file->Info = vorbis_info{1, info.channels, static_cast<long>(info.sample_rate)};
  return 0;
}

vorbis_info* ov_info(OggVorbis_File* file, int) { return file->Decoder ? &file->Info : nullptr; }

ogg_int64_t ov_pcm_total(OggVorbis_File* file, int) {
  if (!file->Decoder) return -1;
  const unsigned frames = stb_vorbis_stream_length_in_samples(file->Decoder);
  return frames > 0 ? static_cast<ogg_int64_t>(frames) : -1;
}

long ov_read(OggVorbis_File* file, char* buffer, int length, int, int, int, int* section) {
  if (!file->Decoder) return OV_EREAD;
  if (section) *section = 0;
  const int channels = file->Info.channels;
  const int frames = stb_vorbis_get_samples_short_interleaved(file->Decoder, channels,
                                                              reinterpret_cast<short*>(buffer), length / 2);
  return static_cast<long>(frames) * channels * 2;
}

int ov_pcm_seek(OggVorbis_File* file, ogg_int64_t position) {
  if (!file->Decoder) return OV_EREAD;
  return stb_vorbis_seek(file->Decoder, static_cast<unsigned>(position)) ? 0 : OV_EREAD;
}

int ov_clear(OggVorbis_File* file) {
  if (file->Decoder) stb_vorbis_close(file->Decoder);
  std::free(file->Bytes);
  *file = OggVorbis_File();
  return 0;
}
