#include "localisation/string_parser.h"

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string TrimBlanks(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) first++;
  while (last > first && IsBlank(text[last - 1])) last--;
  return text.substr(first, last - first);
}

T_STRING_PARSER T_STRING_PARSER::InitString(const std::string& line) {
  T_STRING_PARSER parser;
  parser.CurrentLine = line;
  return parser;
}

void T_STRING_PARSER::StripComments() {
  const size_t brace = CurrentLine.find('{');
  if (brace != std::string::npos) CurrentLine.resize(brace);
  CurrentLine = TrimBlanks(CurrentLine);
}

int T_STRING_PARSER::IsEmpty() const {
  for (char c : CurrentLine)
    if (!IsBlank(c)) return 0;
  return 1;
}

std::string T_STRING_PARSER::GetString() {
  if (CurrentLine.empty() || CurrentLine[0] != '"') return std::string();
  CurrentLine.erase(0, 1);
  const size_t close = CurrentLine.find('"');
  if (close == std::string::npos || close == 0) return std::string();
  std::string result = CurrentLine.substr(0, close);
  CurrentLine = TrimBlanks(CurrentLine.substr(close + 1));
  return result;
}

std::string T_STRING_PARSER::GetParam() {
  const size_t equals = CurrentLine.find('=');
  if (equals == std::string::npos || equals == 0) return std::string();
  std::string result = TrimBlanks(CurrentLine.substr(0, equals));
  CurrentLine = TrimBlanks(CurrentLine.substr(equals));
  return result;
}

std::string T_STRING_PARSER::GetCharacter() {
  if (CurrentLine.empty()) return std::string();
  // A UTF-8 lead byte and its continuation bytes make one character.
  size_t length = 1;
  if (static_cast<unsigned char>(CurrentLine[0]) >= 0xC0) {
    while (length < CurrentLine.size() && length < 4 && (static_cast<unsigned char>(CurrentLine[length]) & 0xC0) == 0x80)
      length++;
  }
  std::string result = CurrentLine.substr(0, length);
  CurrentLine = TrimBlanks(CurrentLine.substr(length));
  return result;
}

int64_t T_STRING_PARSER::GetValue() {
  uint64_t value = 0;  // unsigned, so that overflow wraps without undefined behaviour
  size_t i = 0;
  while (i < CurrentLine.size() && CurrentLine[i] >= '0' && CurrentLine[i] <= '9') {
    value = value * 10 + static_cast<uint64_t>(CurrentLine[i] - '0');
    i++;
  }
  CurrentLine = TrimBlanks(CurrentLine.substr(i));
  return static_cast<int64_t>(value);
}
