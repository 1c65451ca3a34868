// The part of FreeType's interface that the media layer's font code uses,
// implemented with stb_truetype for the browser: scalable faces read from
// memory, sized in pixels, glyphs rendered as 8-bit coverage.
#pragma once

#include <cstdint>

using FT_Error = int;
using FT_UInt = unsigned int;
using FT_Long = long;
using FT_Pos = long;
using FT_Fixed = long;
using FT_Int32 = int32_t;

struct FT_LibraryRec;
using FT_Library = FT_LibraryRec*;

constexpr unsigned char FT_PIXEL_MODE_GRAY = 2;
constexpr FT_Int32 FT_LOAD_DEFAULT = 0;
enum FT_Render_Mode { FT_RENDER_MODE_NORMAL = 0 };

struct FT_Bitmap {
  unsigned int rows = 0, width = 0;
  int pitch = 0;
  unsigned char* buffer = nullptr;
  unsigned char pixel_mode = FT_PIXEL_MODE_GRAY;
};

struct FT_FaceRec;
struct FT_GlyphSlotRec {
  FT_FaceRec* face = nullptr;
  FT_Fixed linearHoriAdvance = 0;  // 16.16 pixels
  int bitmap_left = 0, bitmap_top = 0;
  FT_Bitmap bitmap;
  FT_UInt index = 0;
};
using FT_GlyphSlot = FT_GlyphSlotRec*;

struct FT_Size_Metrics {
  FT_Pos ascender = 0, descender = 0, height = 0;  // 26.6 pixels
};
struct FT_SizeRec {
  FT_Size_Metrics metrics;
};

struct FT_FaceRec {
  FT_GlyphSlot glyph = nullptr;
  FT_SizeRec* size = nullptr;
  struct Private;
  Private* internal = nullptr;
};
using FT_Face = FT_FaceRec*;

#define FT_IS_SCALABLE(face) ((face) != nullptr)

FT_Error FT_Init_FreeType(FT_Library* library);
FT_Error FT_Done_FreeType(FT_Library library);
FT_Error FT_New_Memory_Face(FT_Library library, const unsigned char* bytes, FT_Long length, FT_Long index,
                            FT_Face* face);
FT_Error FT_Done_Face(FT_Face face);
FT_Error FT_Set_Pixel_Sizes(FT_Face face, FT_UInt width, FT_UInt height);
FT_UInt FT_Get_Char_Index(FT_Face face, unsigned long codePoint);
FT_Error FT_Load_Glyph(FT_Face face, FT_UInt index, FT_Int32 flags);
FT_Error FT_Render_Glyph(FT_GlyphSlot slot, FT_Render_Mode mode);
