// UTF-8 helpers shared by the text reader, the text lookup and the text box.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t REPLACEMENT_CHARACTER = 0xFFFD;

// Appends the UTF-8 form of a code point (surrogates and values past
// U+10FFFF become U+FFFD).
void AppendUtf8(std::string& text, uint32_t codePoint);
// Decodes the character starting at `position` and moves past it. A byte
// that does not start a well-formed sequence yields U+FFFD and is skipped
// alone. Returns false at the end of the text.
bool NextUtf8(const std::string& text, size_t& position, uint32_t& codePoint);
// The simple Unicode capital of a letter (Latin, Greek, Cyrillic, Armenian
// and the full-width forms); other characters are returned unchanged.
uint32_t UpperCodePoint(uint32_t codePoint);
// Every letter of a UTF-8 text in capitals.
std::string ToCapitals(const std::string& text);
