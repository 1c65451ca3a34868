#include "tests/assets/formats.h"

namespace {

uint32_t Be32(const std::string& b, size_t at) {
  return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
         (uint32_t(uint8_t(b[at + 2])) << 8) | uint32_t(uint8_t(b[at + 3]));
}
uint32_t Be16(const std::string& b, size_t at) { return (uint32_t(uint8_t(b[at])) << 8) | uint8_t(b[at + 1]); }
uint32_t Le32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | (uint32_t(uint8_t(b[at + 1])) << 8) | (uint32_t(uint8_t(b[at + 2])) << 16) |
         (uint32_t(uint8_t(b[at + 3])) << 24);
}
uint32_t Le16(const std::string& b, size_t at) { return uint32_t(uint8_t(b[at])) | (uint32_t(uint8_t(b[at + 1])) << 8); }

template <typename Header>
Header Fail(const std::string& why) {
  Header h;
  h.Error = why;
  return h;
}

}  // namespace

PictureHeader ReadPngHeader(const std::string& bytes) {
  static const std::string signature("\x89PNG\r\n\x1a\n", 8);
  if (bytes.size() < 33 || bytes.compare(0, 8, signature) != 0) return Fail<PictureHeader>("no PNG signature");
  if (Be32(bytes, 8) != 13 || bytes.compare(12, 4, "IHDR") != 0) return Fail<PictureHeader>("IHDR is not first");
  PictureHeader h;
  h.Width = static_cast<int>(Be32(bytes, 16));
  h.Height = static_cast<int>(Be32(bytes, 20));
  const int colourType = uint8_t(bytes[25]);
  h.Alpha = colourType == 4 || colourType == 6;
  h.Ok = h.Width > 0 && h.Height > 0;
  if (!h.Ok) h.Error = "empty picture";
  return h;
}

PictureHeader ReadJpegHeader(const std::string& bytes) {
  if (bytes.size() < 4 || uint8_t(bytes[0]) != 0xFF || uint8_t(bytes[1]) != 0xD8)
    return Fail<PictureHeader>("no JPEG start-of-image");
  size_t at = 2;
  while (at + 4 <= bytes.size()) {
    if (uint8_t(bytes[at]) != 0xFF) return Fail<PictureHeader>("marker expected");
    const int marker = uint8_t(bytes[at + 1]);
    if (marker == 0xFF) {  // fill byte
      at++;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) break;  // end of image or scan before any frame
    const uint32_t length = Be16(bytes, at + 2);
    if (length < 2 || at + 2 + length > bytes.size()) return Fail<PictureHeader>("segment runs past the end");
    const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (startOfFrame) {
      if (length < 8) return Fail<PictureHeader>("short frame header");
      PictureHeader h;
      h.Height = static_cast<int>(Be16(bytes, at + 5));
      h.Width = static_cast<int>(Be16(bytes, at + 7));
      h.Ok = h.Width > 0 && h.Height > 0;
      if (!h.Ok) h.Error = "empty picture";
      return h;
    }
    at += 2 + length;
  }
  return Fail<PictureHeader>("no start-of-frame");
}

WaveHeader ReadWaveHeader(const std::string& bytes) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
    return Fail<WaveHeader>("not RIFF WAVE");
  if (Le32(bytes, 4) + 8 != bytes.size()) return Fail<WaveHeader>("RIFF size does not match the file");
  WaveHeader h;
  bool haveFormat = false, haveData = false;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const uint32_t size = Le32(bytes, at + 4);
    if (at + 8 + size > bytes.size()) return Fail<WaveHeader>("chunk runs past the end");
    if (bytes.compare(at, 4, "fmt ") == 0) {
      if (size < 16) return Fail<WaveHeader>("short fmt chunk");
      h.Format = static_cast<int>(Le16(bytes, at + 8));
      h.Channels = static_cast<int>(Le16(bytes, at + 10));
      h.SampleRate = static_cast<int>(Le32(bytes, at + 12));
      const uint32_t blockAlign = Le16(bytes, at + 20);
      h.BitsPerSample = static_cast<int>(Le16(bytes, at + 22));
      if (blockAlign != uint32_t(h.Channels * h.BitsPerSample / 8)) return Fail<WaveHeader>("block align mismatch");
      haveFormat = true;
    } else if (bytes.compare(at, 4, "data") == 0) {
      h.DataBytes = size;
      haveData = true;
    }
    at += 8 + size + (size & 1);
  }
  if (!haveFormat || !haveData) return Fail<WaveHeader>("fmt or data chunk missing");
  h.Ok = true;
  return h;
}

VorbisHeader ReadVorbisHeader(const std::string& bytes) {
  if (bytes.size() < 28 || bytes.compare(0, 4, "OggS") != 0) return Fail<VorbisHeader>("no Ogg page");
  if (bytes[4] != 0) return Fail<VorbisHeader>("unknown Ogg version");
  if ((uint8_t(bytes[5]) & 0x02) == 0) return Fail<VorbisHeader>("first page does not begin the stream");
  const size_t segments = uint8_t(bytes[26]);
  const size_t packet = 27 + segments;
  if (segments == 0 || bytes.size() < packet + 30) return Fail<VorbisHeader>("first page too short");
  if (uint8_t(bytes[27]) != 30) return Fail<VorbisHeader>("identification packet is not 30 bytes");
  if (bytes[packet] != 1 || bytes.compare(packet + 1, 6, "vorbis") != 0)
    return Fail<VorbisHeader>("no Vorbis identification header");
  if (Le32(bytes, packet + 7) != 0) return Fail<VorbisHeader>("unknown Vorbis version");
  if ((uint8_t(bytes[packet + 29]) & 1) == 0) return Fail<VorbisHeader>("framing bit not set");
  VorbisHeader h;
  h.Channels = uint8_t(bytes[packet + 11]);
  h.SampleRate = static_cast<int>(Le32(bytes, packet + 12));
  h.Ok = h.Channels > 0 && h.SampleRate > 0;
  if (!h.Ok) h.Error = "no channels or no rate";
  return h;
}

bool DecodeUtf8(const std::string& bytes, std::vector<uint32_t>& out) {
  out.clear();
  size_t i = 0;
  while (i < bytes.size()) {
    const uint8_t c = uint8_t(bytes[i]);
    int extra;
    uint32_t value;
    if (c < 0x80) {
      extra = 0, value = c;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1, value = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, value = c & 0x0F;
    } else {
      return false;  // continuation byte in front, or a four-byte form
    }
    if (i + extra >= bytes.size()) return false;  // cut short by the end
    for (int k = 1; k <= extra; k++) {
      const uint8_t next = uint8_t(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      value = (value << 6) | (next & 0x3F);
    }
    if ((extra == 1 && value < 0x80) || (extra == 2 && value < 0x800)) return false;  // overlong
    if (value >= 0xD800 && value <= 0xDFFF) return false;
    out.push_back(value);
    i += extra + 1;
  }
  return true;
}

std::string EncodeUtf8(uint32_t c) {
  std::string s;
  if (c < 0x80) {
    s += char(c);
  } else if (c < 0x800) {
    s += char(0xC0 | (c >> 6));
    s += char(0x80 | (c & 0x3F));
  } else {
    s += char(0xE0 | (c >> 12));
    s += char(0x80 | ((c >> 6) & 0x3F));
    s += char(0x80 | (c & 0x3F));
  }
  return s;
}
