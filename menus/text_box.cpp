#include "menus/text_box.h"

#include <algorithm>

#include "app/display.h"
#include "app/frame_input.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "play/play_input.h"

std::string CreditsText;

namespace {

// The last wrapping, kept because the credits screen draws the same text
// every frame.
struct WrapCache {
  std::string Text;
  int Width = -1;
  const Font* WithFont = nullptr;
  int FontPixels = 0;
  std::vector<std::string> Lines;
} Cache;

}  // namespace

std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure, size_t maxLines) {
  std::vector<std::string> lines;
  // The text is walked once with a position instead of cutting its front
  // off word by word, so wrapping costs time in proportion to its length.
  const std::string all = text + " ";
  size_t at = 0;
  // The word starting at `from`, up to and including its first space.
  const auto wordAt = [&all](size_t from) {
    const size_t space = all.find(' ', from);
    return space == std::string::npos ? std::string() : all.substr(from, space + 1 - from);
  };
  while (lines.size() < maxLines) {
    std::string line;
    std::string word = wordAt(at);
    for (;;) {
      line += word;
      at += word.size();
      if (at < all.size() && all[at] == '@') {
        at += 1;
        word.clear();
      } else {
        word = wordAt(at);
      }
      if (word.empty() || measure(line + word) > width) break;
    }
    if (line.empty()) break;
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> TextBoxLines(const std::string& text, int width) {
  SelectFont(TextFont);
  if (Cache.Text != text || Cache.Width != width || Cache.WithFont != TextFont ||
      Cache.FontPixels != TextFontPixels()) {
    // No more lines than the screen can show: the rest would be drawn below it.
    const int lineHeight = std::max(1, TextFontPixels() + ScreenHeight / 100);
    const size_t maxLines = static_cast<size_t>(std::max(1, ScreenHeight / lineHeight + 1));
    Cache.Lines = WrapText(text, width, [](const std::string& s) { return StringWidth(s); }, maxLines);
    Cache.Text = text;
    Cache.Width = width;
    Cache.WithFont = TextFont;
    Cache.FontPixels = TextFontPixels();
  }
  return Cache.Lines;
}

void DrawTextBox(int left, int top, int right, int red, int green, int blue, const std::string& text) {
  const std::vector<std::string> lines = TextBoxLines(text, right - left);  // selects the text font
  const int centre = (left + right) / 2;
  const int lineHeight = TextFontPixels() + ScreenHeight / 100;
  SetBlendMode(BLEND_ALPHA);
  SetDrawScale(1, 1);
  for (int pass = 0; pass < 2; pass++) {
    const bool shadow = pass == 0;
    if (shadow) {
      SetDrawColour(0, 0, 0);
      SetDrawAlpha(0.5f);
    } else {
      SetDrawColour(red, green, blue);
      SetDrawAlpha(1);
    }
    const int offset = shadow ? 4 : 0;
    for (size_t i = 0; i < lines.size(); i++) {
      const int x = centre - StringWidth(lines[i]) / 2 + offset;
      const int y = top + offset + static_cast<int>(i) * lineHeight;
      DrawString(lines[i], static_cast<float>(x), static_cast<float>(y));
    }
  }
  SelectFont(nullptr);
}

void DrawMessage() {
  if (!(Message.StartTime < Frame.Now && Frame.Now < Message.EndTime)) return;
  SelectFont(LargeFont);
  if (Message.Light)
    SetDrawColour(255, 255, 255);
  else
    SetDrawColour(0, 0, 0);
  SetBlendMode(BLEND_ALPHA);
  Message.Scale += 0.02f;
  const float fade = 0.0004f * static_cast<float>(Message.EndTime - Frame.Now);
  const int width = StringWidth(Message.Text), height = FontHeight();
  // The text, then a faint halo three times its size, both centred.
  const float scales[2] = {Message.Scale, 3 * Message.Scale};
  const float alphas[2] = {fade, fade / 3};
  for (int i = 0; i < 2; i++) {
    const float s = scales[i];
    SetDrawAlpha(alphas[i]);
    SetDrawScale(s, s);
    DrawString(Message.Text, static_cast<float>(Message.CentreX - static_cast<int>(width * s / 2)),
               static_cast<float>(Message.CentreY - static_cast<int>(height * s / 2)));
  }
  SetDrawAlpha(1);
  SetDrawScale(1, 1);
  SelectFont(nullptr);
}

void ShowBoardMessage(const std::string& text) {
  constexpr int64_t BOARD_MESSAGE_MS = 2500;
  Message.Text = text;
  Message.CentreX = 5 * BlockSize;
  Message.CentreY = 4 * BlockSize;
  Message.StartTime = Frame.Now;
  Message.EndTime = Frame.Now + BOARD_MESSAGE_MS;
  Message.Scale = 1.0f;
  Message.Light = 1;
}

std::string FormatTime(int64_t seconds) {
  if (seconds < 0) seconds = 0;  // a clock that went backwards shows no time, not "-1'-5"
  const int64_t rest = seconds % 60;
  return std::to_string(seconds / 60) + "'" + (rest < 10 ? "0" : "") + std::to_string(rest) + "\"";
}
