#include "localisation/utf8.h"

void AppendUtf8(std::string& text, uint32_t c) {
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = REPLACEMENT_CHARACTER;
  if (c < 0x80) {
    text.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    text.push_back(static_cast<char>(0xC0 | (c >> 6)));
    text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    text.push_back(static_cast<char>(0xE0 | (c >> 12)));
    text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    text.push_back(static_cast<char>(0xF0 | (c >> 18)));
    text.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool ReadUtf8Lead(unsigned lead, Utf8Lead& out) {
  if (lead >= 0xC2 && lead <= 0xDF) {
    out = {1, lead & 0x1Fu, 0x80};
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    out = {2, lead & 0x0Fu, 0x800};
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    out = {3, lead & 0x07u, 0x10000};
  } else {
    return false;
  }
  return true;
}

bool NextUtf8(const std::string& text, size_t& position, uint32_t& codePoint) {
  if (position >= text.size()) return false;
  const unsigned char lead = static_cast<unsigned char>(text[position]);
  if (lead < 0x80) {
    position++;
    codePoint = lead;
    return true;
  }
  // A malformed sequence yields U+FFFD and skips its lead byte alone.
  codePoint = REPLACEMENT_CHARACTER;
  Utf8Lead form;
  if (!ReadUtf8Lead(lead, form)) {
    position++;
    return true;
  }
  uint32_t c = form.Bits;
  for (int i = 1; i <= form.Extra; i++) {
    if (position + i >= text.size() || (static_cast<unsigned char>(text[position + i]) & 0xC0) != 0x80) {
      position++;
      return true;
    }
    c = (c << 6) | (static_cast<unsigned char>(text[position + i]) & 0x3F);
  }
  if (!ValidUtf8Value(c, form.Minimum)) {
    position++;
    return true;
  }
  position += static_cast<size_t>(form.Extra) + 1;
  codePoint = c;
  return true;
}

namespace {

// Blocks where capital and small letters alternate: the small letter is the
// capital + 1 and stands at odd (or even) code points.
struct PairedRange {
  uint32_t First, Last;  // small letters inside
  bool SmallIsOdd;
};
const PairedRange PAIRED[] = {
    {0x0100, 0x0137, true},  {0x0139, 0x0148, false}, {0x014A, 0x0177, true},  {0x0179, 0x017E, false},
    {0x01CD, 0x01DC, false}, {0x01DE, 0x01EF, true},  {0x01F8, 0x021F, true},  {0x0222, 0x0233, true},
    {0x03D8, 0x03EF, true},  {0x0460, 0x0481, true},  {0x048A, 0x04BF, true},  {0x04C1, 0x04CE, false},
    {0x04D0, 0x052F, true},  {0x1E00, 0x1E95, true},  {0x1EA0, 0x1EFF, true},
};

}  // namespace

uint32_t UpperCodePoint(uint32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
  if (c == 0xB5) return 0x39C;  // micro sign -> capital mu
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  if (c == 0x131) return 'I';  // dotless i
  if (c == 0x17F) return 'S';  // long s
  // Greek
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 37;
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 63;
  // Cyrillic
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  if (c == 0x4CF) return 0x4C0;
  // Armenian
  if (c >= 0x561 && c <= 0x586) return c - 48;
  // Full-width Latin
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 32;
  for (const PairedRange& range : PAIRED) {
    if (c >= range.First && c <= range.Last && ((c & 1) != 0) == range.SmallIsOdd) return c - 1;
  }
  return c;
}

std::string ToCapitals(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  size_t position = 0;
  uint32_t c;
  while (NextUtf8(text, position, c)) AppendUtf8(result, UpperCodePoint(c));
  return result;
}
