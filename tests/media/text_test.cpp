// Fonts: widths, heights, glyph-less characters, the draw scale and the
// built-in font.
#include <gtest/gtest.h>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

namespace {

const char* const FONT = "Data/a2.ttf";

// Columns [first, last] of the display that hold any lit pixel in rows
// y0..y1; first = -1 when none.
void InkColumns(int y0, int y1, int& first, int& last) {
  first = last = -1;
  for (int x = 0; x < 400; x++)
    for (int y = y0; y <= y1; y++)
      if ((media_test::ReadPixel(x, y) & 0xFFFFFF00u) != 0) {
        if (first < 0) first = x;
        last = x;
        break;
      }
}

int InkRowsAbove(int y, int x0, int x1) {
  int rows = 0;
  for (int yy = 0; yy < y; yy++)
    for (int x = x0; x <= x1; x++)
      if ((media_test::ReadPixel(x, yy) & 0xFFFFFF00u) != 0) {
        rows++;
        break;
      }
  return rows;
}

class Text : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_support::OpenTestDisplay(400, 200));
    SetBlendMode(BLEND_ALPHA);
    ClearClipArea();
  }
  void TearDown() override {
    SelectFont(nullptr);
    if (font_) FreeFont(font_);
  }
  // The game's font at `size`; skips the test when the repository lacks it.
  Font* GameFont(int size) {
    if (!test_support::SourceFileExists(FONT)) return nullptr;
    font_ = LoadTrueTypeFont(test_support::SourceDir() + "/" + FONT, size);
    return font_;
  }
  Font* font_ = nullptr;
};

#define REQUIRE_FONT(size)                                                          \
  Font* font = GameFont(size);                                                      \
  if (!test_support::SourceFileExists(FONT)) GTEST_SKIP() << FONT << " is missing"; \
  ASSERT_NE(font, nullptr);                                                         \
  SelectFont(font)

TEST_F(Text, WidthsTruncateTheRunningTotalAfterEachCharacter) {
  REQUIRE_FONT(30);
  const int one = StringWidth("i");
  EXPECT_GT(one, 0);
  // With an integer running total, each character adds its truncated advance.
  EXPECT_EQ(StringWidth("iiiiiiii"), 8 * one);
  EXPECT_EQ(StringWidth("Wi"), StringWidth("W") + one);
  EXPECT_EQ(StringWidth(""), 0);
  EXPECT_GE(FontHeight(), 30);
  EXPECT_LT(FontHeight(), 60);
}

// A character the font lacks is a hollow box of the text's colour, in the
// game's font and in the built-in one; control and invisible formatting
// characters take no room.
TEST_F(Text, CharactersWithoutGlyphsShowAsHollowBoxes) {
  const std::string privateUse = "\xEE\x80\x80";  // U+E000
  for (int size : {0, 30, 68}) {  // 0: the built-in font
    SCOPED_TRACE(size);
    ClearClipArea();
    if (size > 0) {
      Font* font = GameFont(size);
      if (!font) GTEST_SKIP() << FONT << " is missing";
      SelectFont(font);
    }
    const int box = StringWidth(privateUse);
    EXPECT_GT(box, FontHeight() / 4);
    EXPECT_EQ(StringWidth(privateUse + "\xEE\x80\x81"), 2 * box);
    EXPECT_EQ(StringWidth("A" + privateUse + "A"), StringWidth("AA") + box);
    EXPECT_FALSE(FontHasGlyphs(privateUse + "\xEE\x80\x81"));
    EXPECT_TRUE(FontHasGlyphs(privateUse + "A"));
    for (const char* invisible : {"\t", "\r\n", "\xE2\x80\x8F", "\xEF\xBB\xBF"})  // tab, CR LF, RLM, BOM
      EXPECT_EQ(StringWidth(std::string("A") + invisible), StringWidth("A")) << invisible;
    SetDrawColour(0, 255, 0);
    DrawString(privateUse, 100, 50);
    int first, last;
    InkColumns(0, 199, first, last);
    ASSERT_GE(first, 100);
    EXPECT_LE(last, 100 + box);
    // Lit in the text's colour along its sides, empty in the middle.
    const int middle = (first + last) / 2;
    int top = -1, bottom = -1;
    for (int y = 50; y < 50 + FontHeight(); y++)
      if ((media_test::ReadPixel(middle, y) & 0xFFFFFF00u) != 0) {
        if (top < 0) top = y;
        bottom = y;
      }
    ASSERT_GT(bottom - top, 4);
    const uint32_t side = media_test::ReadPixel(first, (top + bottom) / 2);
    EXPECT_GT((side >> 16) & 0xFF, 200u);
    EXPECT_EQ(side >> 24, 0u);
    EXPECT_EQ(media_test::ReadPixel(middle, (top + bottom) / 2) & 0xFFFFFF00u, 0u);
    if (size > 0) {
      SelectFont(nullptr);
      FreeFont(font_);
      font_ = nullptr;
    }
  }
}

TEST_F(Text, TextIsPlacedFromItsTopLeftCorner) {
  REQUIRE_FONT(30);
  SetDrawOrigin(5, 0);
  DrawString("Hb", 45, 60);
  int first, last;
  InkColumns(0, 199, first, last);
  EXPECT_GE(first, 50);
  EXPECT_LT(first, 50 + 6);
  EXPECT_LE(last, 50 + StringWidth("Hb") + 2);
  EXPECT_EQ(InkRowsAbove(60, 0, 399), 0);
  // Something is drawn in the upper part of the line (the top of "H").
  bool inkNearTop = false;
  for (int y = 60; y < 60 + FontHeight() / 2 && !inkNearTop; y++)
    for (int x = first; x <= last && !inkNearTop; x++) inkNearTop = (media_test::ReadPixel(x, y) & 0xFFFFFF00u) != 0;
  EXPECT_TRUE(inkNearTop);
}

TEST_F(Text, HalfHorizontalScaleHalvesTheDrawnWidthButNotTheMeasuredOne) {
  REQUIRE_FONT(40);
  const std::string text = "MMMMMM";
  const int measured = StringWidth(text);
  DrawString(text, 0, 0);
  int first, last;
  InkColumns(0, 80, first, last);
  const int full = last - first;
  ClearClipArea();
  SetDrawScale(0.5f, 1.0f);
  EXPECT_EQ(StringWidth(text), measured);
  const int height = FontHeight();
  DrawString(text, 0, 0);
  InkColumns(0, 80, first, last);
  const int half = last - first;
  EXPECT_NEAR(half, full / 2, 2);
  EXPECT_EQ(FontHeight(), height);
  // The recording reports the drawn size.
  media_test::StartRecording();
  DrawString(text, 10, 20);
  media_test::StopRecording();
  ASSERT_EQ(media_test::RecordedDraws().size(), 1u);
  EXPECT_EQ(media_test::RecordedDraws()[0].Kind, media_test::DrawKind::Text);
  EXPECT_FLOAT_EQ(media_test::RecordedDraws()[0].W, measured * 0.5f);
  EXPECT_EQ(media_test::RecordedDraws()[0].Text, text);
}

TEST_F(Text, TextTakesTheColourAndTheEmbeddedFontLoads) {
  if (!test_support::SourceFileExists(FONT)) GTEST_SKIP() << FONT << " is missing";
  // The archive keeps pointers to the bytes: they must outlive the test.
  static const std::string bytes = test_support::ReadSourceFile(FONT);
  RegisterEmbeddedFile("Data/test_font.ttf", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  font_ = LoadTrueTypeFont("incbin::Data/test_font.ttf", 60);
  ASSERT_NE(font_, nullptr);
  SelectFont(font_);
  SetDrawColour(0, 255, 0);
  DrawString("\xE2\x96\x88I", 10, 10);  // a full block where the font has one, and an I
  int greenest = 0, reddest = 0;
  for (int y = 10; y < 80; y++)
    for (int x = 10; x < 10 + StringWidth("\xE2\x96\x88I"); x++) {
      uint32_t p = media_test::ReadPixel(x, y);
      greenest = std::max(greenest, static_cast<int>((p >> 16) & 0xFF));
      reddest = std::max(reddest, static_cast<int>(p >> 24));
    }
  EXPECT_GT(greenest, 200);
  EXPECT_EQ(reddest, 0);
}

TEST_F(Text, MissingOrBrokenFontFilesGiveNothing) {
  test_support::TempDir dir;
  EXPECT_EQ(LoadTrueTypeFont(dir.File("none.ttf"), 20), nullptr);
  ASSERT_TRUE(test_support::WriteWholeFile(dir.File("bad.ttf"), "not a font at all"));
  EXPECT_EQ(LoadTrueTypeFont(dir.File("bad.ttf"), 20), nullptr);
  EXPECT_EQ(LoadTrueTypeFont("incbin::Data/none.ttf", 20), nullptr);
  if (test_support::SourceFileExists(FONT)) {
    EXPECT_EQ(LoadTrueTypeFont(test_support::SourceDir() + "/" + FONT, 0), nullptr);
  }
}

TEST_F(Text, BuiltInFontCoversPrintableAsciiOnly) {
  SelectFont(nullptr);
  EXPECT_GT(StringWidth("A"), 0);
  EXPECT_EQ(StringWidth("AAAA"), 4 * StringWidth("A"));
  EXPECT_TRUE(FontHasGlyphs("A"));
  EXPECT_FALSE(FontHasGlyphs("\xC3\xA9"));  // é: a box
  EXPECT_EQ(StringWidth("\t"), 0);
  EXPECT_GT(FontHeight(), 8);
  SetDrawColour(255, 0, 0);
  SetDrawScale(2, 2);
  DrawString("X", 100, 100);
  int first, last;
  InkColumns(100, 199, first, last);
  EXPECT_GE(first, 100);
  EXPECT_LE(last, 100 + 2 * (StringWidth("X") + 1));  // ink may pass the advance a little
  EXPECT_GT(last - first, StringWidth("X"));  // drawn twice as wide
  EXPECT_EQ(InkRowsAbove(100, 0, 399), 0);
}

TEST_F(Text, FreedFontFallsBackToTheBuiltInOne) {
  REQUIRE_FONT(50);
  const int big = FontHeight();
  FreeFont(font_);
  font_ = nullptr;
  EXPECT_NE(FontHeight(), big);
  EXPECT_GT(StringWidth("abc"), 0);
}

}  // namespace
