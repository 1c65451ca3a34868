// Word-wrapped text boxes, the credits screen, the transient message and the
// time format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The text the credits screen draws (the tutorial shows its texts through it
// too).
extern std::string CreditsText;

// Draws text wrapped to right - left, each line centred, over a black shadow.
// The box grows downwards with the text, to the bottom of the screen.
void DrawTextBox(int left, int top, int right, int red, int green, int blue, const std::string& text);
// The transient message started by StartMenuCaption or ShowBoardMessage.
void DrawMessage();
// A message in the middle of the board, light, for two and a half seconds.
void ShowBoardMessage(const std::string& text);
// Minutes, an apostrophe, two-digit seconds and a double quote.
std::string FormatTime(int64_t seconds);

// The lines of a text box of `width` pixels, `measure` giving the width of a
// string. Words keep the space that follows them; "@" at the start of a word
// that is not the first of its line breaks the line and is dropped; a word
// wider than the box stands alone. The empty line that ends the text is not
// included, so an empty text gives one line holding a space. Wrapping stops
// after `maxLines` lines.
std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure,
                                  size_t maxLines = SIZE_MAX);
// WrapText with the widths of the text font, to as many lines as the screen
// shows.
std::vector<std::string> TextBoxLines(const std::string& text, int width);
