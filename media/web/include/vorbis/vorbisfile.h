// The part of libvorbisfile's interface that the media layer's sound code
// uses, implemented with stb_vorbis for the browser: a file read whole
// through the callbacks, decoded as 16-bit little-endian signed samples.
#pragma once

#include <cstddef>
#include <cstdint>

using ogg_int64_t = int64_t;

struct ov_callbacks {
  size_t (*read_func)(void* ptr, size_t size, size_t count, void* source);
  int (*seek_func)(void* source, ogg_int64_t offset, int whence);
  int (*close_func)(void* source);
  long (*tell_func)(void* source);
};

struct vorbis_info {
  int version;
  int channels;
  long rate;
};

struct stb_vorbis;
struct OggVorbis_File {
  stb_vorbis* Decoder = nullptr;
  unsigned char* Bytes = nullptr;  // the whole file, read through the callbacks
  vorbis_info Info{};
};

constexpr long OV_HOLE = -3;
constexpr int OV_EREAD = -128;

int ov_open_callbacks(void* source, OggVorbis_File* file, const char* initial, long initialBytes,
                      ov_callbacks callbacks);
vorbis_info* ov_info(OggVorbis_File* file, int link);
ogg_int64_t ov_pcm_total(OggVorbis_File* file, int link);
long ov_read(OggVorbis_File* file, char* buffer, int length, int bigEndian, int word, int sgned, int* section);
int ov_pcm_seek(OggVorbis_File* file, ogg_int64_t position);
int ov_clear(OggVorbis_File* file);
