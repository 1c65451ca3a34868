// UTF-8 helpers shared by the text reader, the text lookup and the text box.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t REPLACEMENT_CHARACTER = 0xFFFD;

// Appends the UTF-8 form of a code point (surrogates and values past
// U+10FFFF become U+FFFD).
void AppendUtf8(std::string& text, uint32_t codePoint);
// What a lead byte of a multi-byte sequence says: how many continuation
// bytes follow, the bits it carries and the smallest code point such a
// sequence may encode (longer forms are overlong). False for a byte that
// cannot lead a sequence.
struct Utf8Lead {
  int Extra = 0;
  uint32_t Bits = 0, Minimum = 0;
};
bool ReadUtf8Lead(unsigned lead, Utf8Lead& out);
// True when a decoded value is a character UTF-8 may carry: not overlong,
// not a surrogate, not past U+10FFFF.
inline bool ValidUtf8Value(uint32_t c, uint32_t minimum) {
  return c >= minimum && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}
// Decodes the character starting at `position` and moves past it. A byte
// that does not start a well-formed sequence yields U+FFFD and is skipped
// alone. Returns false at the end of the text.
bool NextUtf8(const std::string& text, size_t& position, uint32_t& codePoint);
// The simple Unicode capital of a letter (Latin, Greek, Cyrillic, Armenian
// and the full-width forms); other characters are returned unchanged.
uint32_t UpperCodePoint(uint32_t codePoint);
// Every letter of a UTF-8 text in capitals.
std::string ToCapitals(const std::string& text);
