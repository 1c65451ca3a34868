// Sound decoding for the mixer: RIFF WAVE 16-bit PCM and Ogg Vorbis, either
// whole (short effects) or piece by piece as a sound plays (music).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct DecodedSound {
  int Channels = 0;  // 1 or 2
  int Rate = 0;      // frames per second
  std::vector<int16_t> Samples;  // interleaved
};

// False for anything else, or for a damaged or truncated file.
bool DecodeSound(const uint8_t* data, size_t length, DecodedSound& out);

// An Ogg Vorbis file in memory decoded a piece at a time. The bytes are not
// copied: they must outlive the stream.
class VorbisStream {
 public:
  VorbisStream();
  ~VorbisStream();
  VorbisStream(const VorbisStream&) = delete;
  VorbisStream& operator=(const VorbisStream&) = delete;

  // False when the bytes are not an Ogg Vorbis file of one or two channels.
  bool Open(const uint8_t* data, size_t length);
  int Channels() const { return channels_; }
  int Rate() const { return rate_; }
  // Frames of the whole stream as its last page states them; -1 unknown.
  int64_t TotalFrames() const { return totalFrames_; }
  // Decodes up to `maxSamples` interleaved samples (a whole number of
  // frames) into `out`: the count, 0 at the end, -1 for a damaged stream.
  long Read(int16_t* out, size_t maxSamples);
  // Back to the first sample; false when that failed.
  bool Rewind();

 private:
  struct Decoder;
  std::unique_ptr<Decoder> decoder_;
  int channels_ = 0, rate_ = 0;
  int64_t totalFrames_ = -1;
};
