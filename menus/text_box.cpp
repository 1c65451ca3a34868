#include "menus/text_box.h"

#include <algorithm>
#include <cmath>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "board/block.h"
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

// The last fitting of a text box: the scale that lets its lines fit the
// height, and the lines wrapped at that scale.
struct FitCache {
  std::string Text;
  int Width = -1, MaxHeight = -1, LineHeight = -1;
  const Font* WithFont = nullptr;
  float Scale = 1;
  std::vector<std::string> Lines;
} Fit;

constexpr float SMALLEST_TEXT_SCALE = 0.5f;

const FitCache& FitText(const std::string& text, int width, int maxHeight, int lineHeight) {
  SelectFont(TextFont);
  if (Fit.Text == text && Fit.Width == width && Fit.MaxHeight == maxHeight && Fit.LineHeight == lineHeight &&
      Fit.WithFont == TextFont)
    return Fit;
  Fit.Text = text;
  Fit.Width = width;
  Fit.MaxHeight = maxHeight;
  Fit.LineHeight = lineHeight;
  Fit.WithFont = TextFont;
  const auto measure = [](const std::string& s) { return StringWidth(s); };
  for (Fit.Scale = 1;; Fit.Scale -= 0.05f) {
    // Never more lines than the smallest text could show.
    const size_t maxLines = static_cast<size_t>(
        std::max(1.0f, static_cast<float>(maxHeight) / (static_cast<float>(lineHeight) * SMALLEST_TEXT_SCALE)) + 1);
    Fit.Lines = WrapText(text, static_cast<int>(static_cast<float>(width) / Fit.Scale), measure, maxLines);
    const float height = static_cast<float>(Fit.Lines.size()) * static_cast<float>(lineHeight) * Fit.Scale;
    if (height <= static_cast<float>(maxHeight) || Fit.Scale <= SMALLEST_TEXT_SCALE) break;
  }
  return Fit;
}

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

int PanelPadding() { return std::max(8, BlockSize / 6); }

void FillRoundedRect(float x, float y, float w, float h, float radius) {
  const int r = static_cast<int>(std::min({radius, w / 2, h / 2}));
  for (int i = 0; i < r; ++i) {
    const float d = static_cast<float>(r - i) - 0.5f;
    const float inset = std::round(static_cast<float>(r) - std::sqrt(static_cast<float>(r * r) - d * d));
    FillRect(x + inset, y + static_cast<float>(i), w - 2 * inset, 1);
    FillRect(x + inset, y + h - 1 - static_cast<float>(i), w - 2 * inset, 1);
  }
  FillRect(x, y + static_cast<float>(r), w, h - static_cast<float>(2 * r));
}

void DrawPanel(int x, int y, int w, int h, float fade) {
  SetBlendMode(BLEND_ALPHA);
  SetDrawScale(1, 1);
  const float radius = static_cast<float>(std::max(6, BlockSize / 6));
  const float step = static_cast<float>(std::max(2, BlockSize / 32));
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  // The shadow: three widening layers, dropped a little, darkest at the core.
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.12f * fade);
  for (int k = 3; k >= 1; --k) {
    const float grow = step * static_cast<float>(k);
    FillRoundedRect(fx - grow, fy - grow + 2 * step, fw + 2 * grow, fh + 2 * grow, radius + grow);
  }
  SetDrawColour(PANEL_RED, PANEL_GREEN, PANEL_BLUE);
  SetDrawAlpha(PANEL_ALPHA * fade);
  FillRoundedRect(fx, fy, fw, fh, radius);
  SetDrawAlpha(1);
}

namespace {

// A button's face, and the scale of its caption.
struct ButtonShape {
  float X = 0, Y = 0, W = 0, H = 0, Scale = 1;
  int TextWidth = 0;
};

ButtonShape ShapeButton(const std::string& caption, int centreX, int centreY, int maxWidth) {
  SelectFont(LargeFont);
  ButtonShape b;
  const int pad = std::max(8, BlockSize / 4);
  const int widest = maxWidth > 0 ? maxWidth : BOARD_COLUMNS * BlockSize - 2 * BlockSize;
  b.TextWidth = StringWidth(caption);
  if (b.TextWidth + 2 * pad > widest && b.TextWidth > 0)
    b.Scale = std::max(0.1f, static_cast<float>(widest - 2 * pad) / static_cast<float>(b.TextWidth));
  b.W = static_cast<float>(b.TextWidth) * b.Scale + static_cast<float>(2 * pad);
  b.H = static_cast<float>(BlockSize) * 0.8f;
  b.X = std::round(static_cast<float>(centreX) - b.W / 2);
  b.Y = std::round(static_cast<float>(centreY) - b.H / 2);
  return b;
}

}  // namespace

bool InsideButton(const std::string& caption, int centreX, int centreY, int maxWidth, int x, int y) {
  const ButtonShape b = ShapeButton(caption, centreX, centreY, maxWidth);
  SelectFont(nullptr);
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  return fx >= b.X && fx < b.X + b.W && fy >= b.Y && fy < b.Y + b.H;
}

void DrawButton(const std::string& caption, int centreX, int centreY, bool hovered, int maxWidth) {
  const ButtonShape shape = ShapeButton(caption, centreX, centreY, maxWidth);  // selects the large font
  const float w = shape.W, h = shape.H, scale = shape.Scale;
  const int textWidth = shape.TextWidth;
  const float lift = hovered ? static_cast<float>(std::max(2, BlockSize / 24)) : 0.0f;
  const float x = shape.X;
  const float y = shape.Y - lift;
  const float radius = h / 3;
  SetBlendMode(BLEND_ALPHA);
  SetDrawScale(1, 1);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.35f);
  FillRoundedRect(x + 2, y + h * 0.12f + 2 * lift, w, h, radius);
  // The face: a darker rim below, the face above it.
  SetDrawAlpha(1);
  SetDrawColour(196, 132, 24);
  FillRoundedRect(x, y + h * 0.08f, w, h * 0.92f, radius);
  const int glow = hovered ? 20 : 0;
  SetDrawColour(std::min(255, BUTTON_RED + glow), std::min(255, BUTTON_GREEN + glow), std::min(255, BUTTON_BLUE + glow));
  FillRoundedRect(x, y, w, h * 0.92f, radius);
  SetDrawScale(scale, scale);
  SetDrawColour(CAPTION_DARK, CAPTION_DARK, CAPTION_DARK);
  const float tx = std::round(static_cast<float>(centreX) - static_cast<float>(textWidth) * scale / 2);
  const float ty = std::round(y + (h * 0.92f - static_cast<float>(FontHeight()) * scale) / 2);
  DrawString(caption, tx, ty);
  SetDrawScale(1, 1);
  SetDrawColour(255, 255, 255);
  SelectFont(nullptr);
}

int LogoHeight() { return BOARD_COLUMNS * BlockSize * LOGO_PICTURE_HEIGHT / LOGO_PICTURE_WIDTH; }

void DrawLogo() {
  if (LogoPicture == nullptr) return;
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  SetDrawAlpha(1);
  DrawSpriteStretched(LogoPicture, 0, 0, static_cast<float>(BOARD_COLUMNS * BlockSize), static_cast<float>(LogoHeight()), 0);
}

namespace {

// The text fitted into a box from left to right, no taller than maxHeight,
// and the box's height; selects the text font.
const FitCache& FitBox(int left, int right, int maxHeight, const std::string& text, int& height) {
  const int pad = PanelPadding();
  const int lineHeight = TextFontPixels() + ScreenHeight / 100;
  const FitCache& fit = FitText(text, right - left - 2 * pad, maxHeight - 2 * pad, lineHeight);
  height = static_cast<int>(static_cast<float>(fit.Lines.size()) * static_cast<float>(lineHeight) * fit.Scale) + 2 * pad;
  return fit;
}

}  // namespace

int TextBoxHeight(int left, int right, int maxHeight, const std::string& text) {
  int height = 0;
  FitBox(left, right, maxHeight, text, height);
  SelectFont(nullptr);
  return height;
}

int DrawTextBox(int left, int top, int right, int maxHeight, const std::string& text, float fade) {
  const int pad = PanelPadding();
  const int lineHeight = TextFontPixels() + ScreenHeight / 100;
  int height = 0;
  const FitCache& fit = FitBox(left, right, maxHeight, text, height);
  const float scale = fit.Scale;
  DrawPanel(left, top, right - left, height, fade);
  const float centre = static_cast<float>(left + right) / 2;
  SetDrawColour(255, 255, 255);
  SetDrawAlpha(fade);
  SetDrawScale(scale, scale);
  for (size_t i = 0; i < fit.Lines.size(); i++) {
    const float x = std::round(centre - static_cast<float>(StringWidth(fit.Lines[i])) * scale / 2);
    const float y = static_cast<float>(top + pad) + std::round(static_cast<float>(i * lineHeight) * scale);
    DrawString(fit.Lines[i], x, y);
  }
  SetDrawScale(1, 1);
  SetDrawAlpha(1);
  SelectFont(nullptr);
  return height;
}

void DrawMessage() {
  if (!(Message.StartTime < Frame.Now && Frame.Now < Message.EndTime)) return;
  if (Message.OnPanel) {
    // A notice: full strength, fading out over its last half second.
    const float fade = std::min(1.0f, 0.002f * static_cast<float>(Message.EndTime - Frame.Now));
    const int width = BOARD_COLUMNS * BlockSize * 3 / 4;
    const int left = Message.CentreX - width / 2;
    const int top = Message.CentreY - BlockSize;
    DrawTextBox(left, top, left + width, 2 * BlockSize, Message.Text, fade);
    return;
  }
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
  Message.OnPanel = true;
}

std::string FormatTime(int64_t seconds) {
  if (seconds < 0) seconds = 0;  // a clock that went backwards shows no time, not "-1'-5"
  const int64_t rest = seconds % 60;
  return std::to_string(seconds / 60) + "'" + (rest < 10 ? "0" : "") + std::to_string(rest) + "\"";
}
