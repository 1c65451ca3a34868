// TrueType fonts through FreeType and the built-in bitmap font. Glyphs are
// rasterised (anti-aliased) the first time a character is met and kept as
// small white textures whose alpha is the coverage; drawing tints them. A
// character the font lacks is drawn as a hollow box, so that it is seen
// rather than silently dropped; only control and invisible formatting
// characters take no room.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "media/internal.h"

using namespace media_internal;

namespace {

struct Glyph {
  bool Exists = false;   // takes room: the face's glyph or the missing-glyph box
  bool Missing = false;  // the font has no glyph for the character: a box
  float Advance = 0;    // unhinted advance in pixels
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::vector<uint8_t> Coverage;   // Width x Height, until the texture is made
  SDL_Texture* Texture = nullptr;  // made on the first draw; null when blank
};

}  // namespace

struct Font {
  FT_Face Face = nullptr;  // null for the built-in font
  std::vector<uint8_t> FileBytes;  // the face reads from here (files only)
  int PixelSize = 0;  // of the em square
  int Ascent = 0;
  int LineHeight = 0;
  std::unordered_map<uint32_t, Glyph> Glyphs;
};

namespace {

FT_Library library = nullptr;

std::vector<Font*>& AllFonts() {
  static auto* fonts = new std::vector<Font*>;  // lives until the process ends
  return *fonts;
}

Font*& BuiltInFont() {
  static Font* font = nullptr;
  return font;
}

void KeepCoverage(Glyph& g, const uint8_t* coverage, int pitch) {
  g.Coverage.resize(static_cast<size_t>(g.Width) * g.Height);
  for (int y = 0; y < g.Height; y++)
    for (int x = 0; x < g.Width; x++) g.Coverage[static_cast<size_t>(y) * g.Width + x] = coverage[y * pitch + x];
}

SDL_Texture* CoverageTexture(const std::vector<uint8_t>& coverage, int width, int height) {
  SDL_Renderer* r = Display().Renderer;
  if (!r || width <= 0 || height <= 0 || coverage.empty()) return nullptr;
  std::vector<uint32_t> pixels(coverage.size());
  for (size_t i = 0; i < coverage.size(); i++) pixels[i] = 0xFFFFFF00u | coverage[i];
  SDL_Texture* texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_STATIC, width, height);
  if (!texture) return nullptr;
  SDL_UpdateTexture(texture, nullptr, pixels.data(), width * 4);
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  return texture;
}

// Characters that show nothing when the font has no glyph for them: control
// characters, zero-width spaces and joiners, direction marks and embeddings,
// variation selectors and the byte-order mark.
bool Invisible(uint32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
         (c >= 0x2060 && c <= 0x206F) || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF;
}

// A hollow box for a character the font lacks: about as tall as a capital
// letter of an `em`-pixel font, with strokes that thicken with the size.
Glyph MissingGlyphBox(uint32_t codePoint, int em) {
  Glyph g;
  if (Invisible(codePoint)) return g;
  g.Exists = g.Missing = true;
  g.Width = std::max(4, static_cast<int>(std::lround(0.5 * em)));
  g.Height = std::max(6, static_cast<int>(std::lround(0.7 * em)));
  g.Left = std::max(1, static_cast<int>(std::lround(0.08 * em)));
  g.Top = g.Height;
  g.Advance = static_cast<float>(g.Width + 2 * g.Left);
  const int stroke = std::max(1, static_cast<int>(std::lround(em / 14.0)));
  g.Coverage.assign(static_cast<size_t>(g.Width) * g.Height, 0);
  for (int y = 0; y < g.Height; y++)
    for (int x = 0; x < g.Width; x++) {
      const bool edge = x < stroke || y < stroke || x >= g.Width - stroke || y >= g.Height - stroke;
      if (edge) g.Coverage[static_cast<size_t>(y) * g.Width + x] = 255;
    }
  return g;
}

Glyph MakeFaceGlyph(Font* font, uint32_t codePoint) {
  Glyph g;
  FT_UInt index = FT_Get_Char_Index(font->Face, codePoint);
  if (index == 0) return MissingGlyphBox(codePoint, font->PixelSize);
  // Advances come unhinted so that widths are those of the face itself.
  if (FT_Load_Glyph(font->Face, index, FT_LOAD_DEFAULT) != 0) return g;
  FT_GlyphSlot slot = font->Face->glyph;
  g.Exists = true;
  g.Advance = static_cast<float>(slot->linearHoriAdvance) / 65536.0f;
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
  const FT_Bitmap& bitmap = slot->bitmap;
  g.Left = slot->bitmap_left;
  g.Top = slot->bitmap_top;
  g.Width = static_cast<int>(bitmap.width);
  g.Height = static_cast<int>(bitmap.rows);
  if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.pitch > 0) KeepCoverage(g, bitmap.buffer, bitmap.pitch);
  return g;
}

Glyph MakeBuiltInGlyph(uint32_t codePoint) {
  Glyph g;
  const DefaultGlyph* d = DefaultFontGlyph(codePoint);
  if (!d) return MissingGlyphBox(codePoint, DEFAULT_FONT_ASCENT);
  g.Exists = true;
  g.Advance = d->Advance;
  g.Left = d->Left;
  g.Top = d->Top;
  g.Width = d->Width;
  g.Height = d->Height;
  if (d->Coverage) KeepCoverage(g, d->Coverage, d->Width);
  return g;
}

Font* Current() {
  Font* font = Draw().CurrentFont;
  if (font) return font;
  Font*& builtIn = BuiltInFont();
  if (!builtIn) {
    builtIn = new Font;
    builtIn->Ascent = DEFAULT_FONT_ASCENT;
    builtIn->LineHeight = DEFAULT_FONT_LINE_HEIGHT;
  }
  return builtIn;
}

Glyph& GlyphOf(Font* font, uint32_t codePoint) {
  auto it = font->Glyphs.find(codePoint);
  if (it != font->Glyphs.end()) return it->second;
  Glyph g = font->Face ? MakeFaceGlyph(font, codePoint) : MakeBuiltInGlyph(codePoint);
  return font->Glyphs.emplace(codePoint, g).first->second;
}

void DestroyFont(Font* font) {
  for (auto& entry : font->Glyphs)
    if (entry.second.Texture) SDL_DestroyTexture(entry.second.Texture);
  if (font->Face) FT_Done_Face(font->Face);
  delete font;
}

// The pen after one more character: the running total is truncated to an
// integer after each addition, the same way for measuring and drawing.
float Advance(float pen, const Glyph& g) { return g.Exists ? std::trunc(pen + g.Advance) : pen; }

}  // namespace

namespace media_internal {

uint32_t NextCodePoint(const std::string& text, size_t& pos) {
  const uint8_t c = static_cast<uint8_t>(text[pos]);
  const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
  if (extra == 0) {
    pos++;
    return c;
  }
  if (extra < 0 || pos + extra >= text.size()) {
    pos++;
    return 0xFFFD;
  }
  uint32_t value = c & (0x3F >> extra);
  for (int i = 1; i <= extra; i++) {
    const uint8_t next = static_cast<uint8_t>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      pos++;
      return 0xFFFD;
    }
    value = (value << 6) | (next & 0x3F);
  }
  pos += extra + 1;
  return value;
}

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void FreeAllFonts() {
  for (Font* font : AllFonts()) DestroyFont(font);
  AllFonts().clear();
  if (BuiltInFont()) DestroyFont(BuiltInFont());
  BuiltInFont() = nullptr;
  Draw().CurrentFont = nullptr;
  if (library) FT_Done_FreeType(library);
  library = nullptr;
}

void RenderText(const std::string& text, float x, float y) {
  SDL_Renderer* r = Display().Renderer;
  if (!r || !Display().Open) return;
  Font* font = Current();
  const DrawState& s = Draw();
  float pen = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    Glyph& g = GlyphOf(font, NextCodePoint(text, pos));
    if (!g.Texture && !g.Coverage.empty()) {
      g.Texture = CoverageTexture(g.Coverage, g.Width, g.Height);
      if (g.Texture) g.Coverage.clear();
    }
    if (g.Texture) {
      PrepareTexture(g.Texture, true);
      SDL_FRect dest{x + (pen + static_cast<float>(g.Left)) * s.ScaleX,
                     y + static_cast<float>(font->Ascent - g.Top) * s.ScaleY, static_cast<float>(g.Width) * s.ScaleX,
                     static_cast<float>(g.Height) * s.ScaleY};
      SDL_RenderCopyF(r, g.Texture, nullptr, &dest);
    }
    pen = Advance(pen, g);
  }
}

}  // namespace media_internal

Font* LoadTrueTypeFont(const std::string& path, int pixelSize) {
  if (pixelSize <= 0) return nullptr;
  if (!library && FT_Init_FreeType(&library) != 0) return nullptr;
  auto* font = new Font;
  const uint8_t* data;
  size_t length;
  // FreeType reads the face from these bytes for as long as the font lives.
  if (!ViewPathBytes(path, font->FileBytes, data, length)) {
    delete font;
    return nullptr;
  }
  if (FT_New_Memory_Face(library, data, static_cast<FT_Long>(length), 0, &font->Face) != 0) {
    font->Face = nullptr;
    delete font;
    return nullptr;
  }
  if (!FT_IS_SCALABLE(font->Face) || FT_Set_Pixel_Sizes(font->Face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    DestroyFont(font);
    return nullptr;
  }
  const FT_Size_Metrics& m = font->Face->size->metrics;
  font->PixelSize = pixelSize;
  font->Ascent = static_cast<int>((m.ascender + 63) >> 6);
  font->LineHeight = static_cast<int>((m.height + 63) >> 6);
  AllFonts().push_back(font);
  return font;
}

void FreeFont(Font* font) {
  if (!font) return;
  FlushDraws();  // queued text may still use it
  auto& fonts = AllFonts();
  auto it = std::find(fonts.begin(), fonts.end(), font);
  if (it == fonts.end()) return;
  fonts.erase(it);
  if (Draw().CurrentFont == font) Draw().CurrentFont = nullptr;
  DestroyFont(font);
}

void SelectFont(Font* font) { Draw().CurrentFont = font; }

int StringWidth(const std::string& text) {
  Font* font = Current();
  float pen = 0;
  size_t pos = 0;
  while (pos < text.size()) pen = Advance(pen, GlyphOf(font, NextCodePoint(text, pos)));
  return static_cast<int>(pen);
}

int FontHeight() { return Current()->LineHeight; }

bool FontHasGlyphs(const std::string& text) {
  Font* font = Current();
  size_t pos = 0;
  while (pos < text.size()) {
    const Glyph& g = GlyphOf(font, NextCodePoint(text, pos));
    if (g.Exists && !g.Missing) return true;
  }
  return false;
}
