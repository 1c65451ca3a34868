// Decoding of RIFF WAVE (16-bit PCM) and Ogg Vorbis into 16-bit samples.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

#include "media/sound_codec.h"

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

bool DecodeWave(const uint8_t* data, size_t length, DecodedSound& out) {
  if (length < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) return false;
  bool haveFormat = false;
  size_t pos = 12;
  while (pos + 8 <= length) {
    const uint8_t* chunk = data + pos;
    const size_t size = Le32(chunk + 4);
    const size_t body = pos + 8;
    if (size > length - body) return false;  // truncated chunk
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size < 16) return false;
      const uint16_t format = Le16(data + body), channels = Le16(data + body + 2), bits = Le16(data + body + 14);
      out.Rate = static_cast<int>(Le32(data + body + 4));
      out.Channels = channels;
      // PCM (1), or the extensible form (0xFFFE) carrying PCM.
      if ((format != 1 && format != 0xFFFE) || bits != 16 || (channels != 1 && channels != 2) || out.Rate <= 0)
        return false;
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) return false;
      const size_t frames = size / (2 * out.Channels);
      out.Samples.resize(frames * out.Channels);
      for (size_t i = 0; i < out.Samples.size(); i++) out.Samples[i] = static_cast<int16_t>(Le16(data + body + 2 * i));
      return true;
    }
    pos = body + size + (size & 1);  // chunks are padded to even sizes
  }
  return false;
}

struct Memory {
  const uint8_t* Data;
  size_t Length;
  size_t Position;
};

size_t MemRead(void* ptr, size_t size, size_t count, void* source) {
  auto* m = static_cast<Memory*>(source);
  if (size == 0) return 0;
  size_t items = std::min(count, (m->Length - m->Position) / size);
  std::memcpy(ptr, m->Data + m->Position, items * size);
  m->Position += items * size;
  return items;
}

int MemSeek(void* source, ogg_int64_t offset, int whence) {
  auto* m = static_cast<Memory*>(source);
  ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(m->Position)
                                                                   : static_cast<ogg_int64_t>(m->Length);
  ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(m->Length)) return -1;
  m->Position = static_cast<size_t>(target);
  return 0;
}

long MemTell(void* source) { return static_cast<long>(static_cast<Memory*>(source)->Position); }

}  // namespace


struct VorbisStream::Decoder {
  Memory Source{};
  OggVorbis_File File{};
  bool Opened = false;
  ~Decoder() {
    if (Opened) ov_clear(&File);
  }
};

VorbisStream::VorbisStream() = default;
VorbisStream::~VorbisStream() = default;

bool VorbisStream::Open(const uint8_t* data, size_t length) {
  decoder_.reset();
  if (!data || length < 4 || std::memcmp(data, "OggS", 4) != 0) return false;
  auto d = std::make_unique<Decoder>();
  d->Source = Memory{data, length, 0};
  ov_callbacks callbacks{MemRead, MemSeek, nullptr, MemTell};
  if (ov_open_callbacks(&d->Source, &d->File, nullptr, 0, callbacks) != 0) return false;
  d->Opened = true;
  vorbis_info* info = ov_info(&d->File, -1);
  if (!info || info->channels < 1 || info->channels > 2 || info->rate <= 0) return false;
  channels_ = info->channels;
  rate_ = static_cast<int>(info->rate);
  const ogg_int64_t total = ov_pcm_total(&d->File, -1);
  totalFrames_ = total >= 0 ? static_cast<int64_t>(total) : -1;
  decoder_ = std::move(d);
  return true;
}

long VorbisStream::Read(int16_t* out, size_t maxSamples) {
  if (!decoder_) return -1;
  const size_t frameBytes = static_cast<size_t>(channels_) * 2;
  const size_t bytes = maxSamples * 2 / frameBytes * frameBytes;
  if (bytes == 0) return 0;
  for (;;) {
    int section = 0;
    const long got = ov_read(&decoder_->File, reinterpret_cast<char*>(out), static_cast<int>(bytes), 0, 2, 1,
                             &section);
    if (got == OV_HOLE) continue;  // a gap in the data: decoding goes on after it
    if (got < 0) return -1;
    return got / 2;
  }
}

bool VorbisStream::Rewind() { return decoder_ && ov_pcm_seek(&decoder_->File, 0) == 0; }

namespace {

// The whole file at once, into a buffer sized from the length the stream
// states (grown only if the stream holds more than it said).
bool DecodeVorbis(const uint8_t* data, size_t length, DecodedSound& out) {
  VorbisStream stream;
  if (!stream.Open(data, length)) return false;
  out.Channels = stream.Channels();
  out.Rate = stream.Rate();
  const size_t stated = stream.TotalFrames() > 0 ? static_cast<size_t>(stream.TotalFrames()) * out.Channels : 0;
  out.Samples.resize(std::max<size_t>(stated, 4096));
  size_t at = 0;
  for (;;) {
    if (out.Samples.size() - at < 4096) out.Samples.resize(out.Samples.size() + 65536);
    const long got = stream.Read(out.Samples.data() + at, out.Samples.size() - at);
    if (got < 0) return false;
    if (got == 0) break;
    at += static_cast<size_t>(got);
  }
  out.Samples.resize(at);
  return true;
}

}  // namespace

bool DecodeSound(const uint8_t* data, size_t length, DecodedSound& out) {
  out = DecodedSound();
  if (!data || length < 4) return false;
  if (std::memcmp(data, "RIFF", 4) == 0) return DecodeWave(data, length, out);
  if (std::memcmp(data, "OggS", 4) == 0) return DecodeVorbis(data, length, out);
  return false;
}
