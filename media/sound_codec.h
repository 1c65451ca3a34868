// Sound decoding for the mixer: RIFF WAVE 16-bit PCM and Ogg Vorbis.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedSound {
  int Channels = 0;  // 1 or 2
  int Rate = 0;      // frames per second
  std::vector<int16_t> Samples;  // interleaved
};

// False for anything else, or for a damaged or truncated file.
bool DecodeSound(const uint8_t* data, size_t length, DecodedSound& out);
