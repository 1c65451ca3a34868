// Word-wrapped text boxes, the credits screen, the transient message and the
// time format.
#pragma once

#include <cstdint>
#include <string>

extern std::string CreditsText;

// Draws text wrapped to right - left, each line centred, over a black shadow.
void DrawTextBox(int left, int top, int right, int red, int green, int blue, const std::string& text);
// The transient message started by StartMenuCaption.
void DrawMessage();
// Minutes, an apostrophe, two-digit seconds and a double quote.
std::string FormatTime(int64_t seconds);
