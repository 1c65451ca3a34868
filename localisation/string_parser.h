// The line tokenizer of the game's text files (language files, profile).
// A parser holds one line and takes tokens off its front; each token removes
// what it consumed and the blanks after it. Lines are UTF-8.
#pragma once

#include <cstdint>
#include <string>

// A blank is any character of code 32 or less.
bool IsBlank(char c);
// Removes blanks from both ends and nothing else.
std::string TrimBlanks(const std::string& text);

class T_STRING_PARSER {
 public:
  std::string CurrentLine;  // the part of the line not consumed yet

  // A parser over `line`, unchanged (not trimmed).
  static T_STRING_PARSER InitString(const std::string& line);

  // Cuts the line before its first "{" (also inside quotes), then trims it.
  void StripComments();
  // 1 when the line holds only blanks, else 0.
  int IsEmpty() const;
  // A double-quoted string off the front. "" (line unchanged) when the line
  // does not begin with a quote; "" (only the opening quote removed) when
  // the closing quote is missing or follows at once.
  std::string GetString();
  // The text before the first "=", trimmed; the "=" stays at the front.
  // "" (line unchanged) when there is no "=" or it comes first.
  std::string GetParam();
  // One character (a whole UTF-8 sequence) off the front; "" on an empty line.
  std::string GetCharacter();
  // An unsigned decimal number off the front (wrapping on overflow); 0 and
  // the line unchanged when it does not begin with a digit.
  int64_t GetValue();
};
