// Header readers for the file formats the game's assets come in. They look
// only at the bytes that tell the form of a file (size, channels, sample
// format), so a test can check an asset without decoding it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PictureHeader {
  bool Ok = false;
  int Width = 0;
  int Height = 0;
  bool Alpha = false;  // PNG colour type 4 or 6; JPEG never
  std::string Error;
};

// PNG: signature, then an IHDR chunk first.
PictureHeader ReadPngHeader(const std::string& bytes);
// JPEG: SOI, then markers up to the first start-of-frame.
PictureHeader ReadJpegHeader(const std::string& bytes);

struct WaveHeader {
  bool Ok = false;
  int Format = 0;  // 1 = PCM
  int Channels = 0;
  int SampleRate = 0;
  int BitsPerSample = 0;
  uint32_t DataBytes = 0;
  std::string Error;
};

// RIFF WAVE: the fmt chunk and the size of the data chunk.
WaveHeader ReadWaveHeader(const std::string& bytes);

struct VorbisHeader {
  bool Ok = false;
  int Channels = 0;
  int SampleRate = 0;
  std::string Error;
};

// Ogg Vorbis: the identification header in the first page of the stream.
VorbisHeader ReadVorbisHeader(const std::string& bytes);

// Decodes UTF-8 into code points. False on a malformed sequence, an overlong
// form, a surrogate or a character outside the 16-bit range (the game's text
// reader decodes one to three bytes per character).
bool DecodeUtf8(const std::string& bytes, std::vector<uint32_t>& out);
// One code point as UTF-8.
std::string EncodeUtf8(uint32_t c);
