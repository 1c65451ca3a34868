// FreeType's calls used by the font code, on stb_truetype (see
// freetype_subset.h).
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>

#include <cmath>
#include <vector>

#include "media/web/include/freetype_subset.h"

struct FT_LibraryRec {};

struct FT_FaceRec::Private {
  stbtt_fontinfo Info{};
  float Scale = 0;
  FT_GlyphSlotRec Slot;
  FT_SizeRec Size;
  std::vector<unsigned char> Coverage;
};

FT_Error FT_Init_FreeType(FT_Library* library) {
  *library = new FT_LibraryRec;
  return 0;
}

FT_Error FT_Done_FreeType(FT_Library library) {
  delete library;
  return 0;
}

FT_Error FT_New_Memory_Face(FT_Library, const unsigned char* bytes, FT_Long length, FT_Long index, FT_Face* face) {
  *face = nullptr;
  if (!bytes || length < 12) return 1;
  const int offset = stbtt_GetFontOffsetForIndex(bytes, static_cast<int>(index));
  if (offset < 0 || offset >= length) return 1;
  auto* f = new FT_FaceRec;
  f->internal = new FT_FaceRec::Private;
  if (!stbtt_InitFont(&f->internal->Info, bytes, offset)) {
    FT_Done_Face(f);
    return 1;
  }
  f->glyph = &f->internal->Slot;
  f->size = &f->internal->Size;
  *face = f;
  return 0;
}

FT_Error FT_Done_Face(FT_Face face) {
  if (!face) return 0;
  delete face->internal;
  delete face;
  return 0;
}

FT_Error FT_Set_Pixel_Sizes(FT_Face face, FT_UInt width, FT_UInt height) {
  const FT_UInt pixels = height ? height : width;
  if (pixels == 0) return 1;
  FT_FaceRec::Private& p = *face->internal;
  // A pixel size is the size of the em square, as in FreeType.
  p.Scale = stbtt_ScaleForMappingEmToPixels(&p.Info, static_cast<float>(pixels));
  int ascent = 0, descent = 0, gap = 0;
  stbtt_GetFontVMetrics(&p.Info, &ascent, &descent, &gap);
  FT_Size_Metrics& m = p.Size.metrics;
  // Rounded outwards to whole pixels in 26.6, as FreeType does for
  // scalable faces.
  m.ascender = static_cast<FT_Pos>(std::ceil(ascent * p.Scale)) * 64;
  m.descender = static_cast<FT_Pos>(std::floor(descent * p.Scale)) * 64;
  m.height = static_cast<FT_Pos>(std::round((ascent - descent + gap) * p.Scale)) * 64;
  return 0;
}

FT_UInt FT_Get_Char_Index(FT_Face face, unsigned long codePoint) {
  return static_cast<FT_UInt>(stbtt_FindGlyphIndex(&face->internal->Info, static_cast<int>(codePoint)));
}

FT_Error FT_Load_Glyph(FT_Face face, FT_UInt index, FT_Int32) {
  FT_FaceRec::Private& p = *face->internal;
  int advance = 0, bearing = 0;
  stbtt_GetGlyphHMetrics(&p.Info, static_cast<int>(index), &advance, &bearing);
  p.Slot = FT_GlyphSlotRec();
  p.Slot.face = face;
  p.Slot.index = index;
  p.Slot.linearHoriAdvance = static_cast<FT_Fixed>(std::lround(advance * p.Scale * 65536.0));
  return 0;
}

FT_Error FT_Render_Glyph(FT_GlyphSlot slot, FT_Render_Mode) {
  FT_FaceRec::Private* p = slot->face->internal;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  const int glyph = static_cast<int>(slot->index);
  stbtt_GetGlyphBitmapBox(&p->Info, glyph, p->Scale, p->Scale, &x0, &y0, &x1, &y1);
  const int w = x1 - x0, h = y1 - y0;
  slot->bitmap_left = x0;
  slot->bitmap_top = -y0;
  slot->bitmap = FT_Bitmap();
  if (w <= 0 || h <= 0) return 0;
  p->Coverage.assign(static_cast<size_t>(w) * h, 0);
  stbtt_MakeGlyphBitmap(&p->Info, p->Coverage.data(), w, h, w, p->Scale, p->Scale, glyph);
  slot->bitmap.width = static_cast<unsigned int>(w);
  slot->bitmap.rows = static_cast<unsigned int>(h);
  slot->bitmap.pitch = w;
  slot->bitmap.buffer = p->Coverage.data();
  return 0;
}
