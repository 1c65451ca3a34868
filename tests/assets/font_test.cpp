// The game's font can show every character of every language file, at the
// sizes the game uses.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/archive.h"
#include "media/media.h"
#include "media/media_test.h"
#include "tests/assets/asset_files.h"
#include "tests/assets/formats.h"
#include "tests/assets/language_files.h"
#include "tests/support/test_support.h"

namespace {

const char* const FONT = "Data/a2.ttf";

// Text font size and block size of the five resolution rows.
struct Row {
  int TextFontSize;
  int BlockSize;
};
const Row ROWS[] = {{68, 150}, {59, 128}, {45, 96}, {35, 74}, {28, 56}};

class GameFont : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(test_support::OpenTestDisplay()); }
  void TearDown() override {
    SelectFont(nullptr);
    for (Font* font : fonts_) FreeFont(font);
  }
  Font* Load(const std::string& path, int size) {
    Font* font = LoadTrueTypeFont(path, size);
    if (font) fonts_.push_back(font);
    return font;
  }
  std::vector<Font*> fonts_;
};

// Every character used by the language files, with a file that uses it.
std::map<uint32_t, std::string> LanguageCharacters() {
  std::map<uint32_t, std::string> used;
  for (const ShippedLanguage& language : ShippedLanguages()) {
    const std::string bytes = MemberFile(LanguageFileName(language));
    std::vector<uint32_t> characters;
    if (bytes.size() < 3 || !DecodeUtf8(bytes.substr(3), characters)) {
      ADD_FAILURE() << LanguageFileName(language) << " cannot be decoded";
      continue;
    }
    for (uint32_t c : characters)
      if (c != '\r' && c != '\n') used.emplace(c, language.Code);
  }
  return used;
}

// The pixels of a text drawn in white into a fresh image with the selected
// font.
std::vector<uint32_t> Ink(const std::string& text) {
  const int size = 96;
  Image* image = CreateTargetImage(size, size);
  BeginImageDrawing(image);
  DrawString(text, 10, 10);
  EndImageDrawing();
  std::vector<uint32_t> pixels;
  for (int y = 0; y < size; y++)
    for (int x = 0; x < size; x++) pixels.push_back(media_test::ReadImagePixel(image, x, y));
  FreeImage(image);
  return pixels;
}

// The pieces of a text between its "@" breaks.
std::vector<std::string> BrokenLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find('@', start)) != std::string::npos; start = at + 1)
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

TEST_F(GameFont, HasAGlyphForEveryCharacterOfEveryLanguage) {
  const std::map<uint32_t, std::string> used = LanguageCharacters();
  ASSERT_GT(used.size(), 200u);
  for (int size : {30, 91}) {
    Font* font = Load(test_support::SourceDir() + "/" + FONT, size);
    ASSERT_NE(font, nullptr) << "size " << size;
    SelectFont(font);
    for (const auto& [c, code] : used)
      EXPECT_TRUE(FontHasGlyphs(EncodeUtf8(c))) << "U+" << std::hex << c << " of " << code << " at " << std::dec
                                               << size << " px";
  }
}

TEST_F(GameFont, CoversPrintableAsciiButNotEverything) {
  Font* font = Load(test_support::SourceDir() + "/" + FONT, 45);
  ASSERT_NE(font, nullptr);
  SelectFont(font);
  for (uint32_t c = 0x20; c < 0x7F; c++) EXPECT_TRUE(FontHasGlyphs(EncodeUtf8(c))) << "character " << c;
  // A character of a script no language uses has no glyph: it shows as a box.
  for (uint32_t c : {0x0E01u, 0x10D0u}) {  // Thai, Georgian
    EXPECT_FALSE(FontHasGlyphs(EncodeUtf8(c))) << c;
    EXPECT_GT(StringWidth(EncodeUtf8(c)), 0) << c;
  }
}

// Whole blocks, not only today's texts: a player who edits or adds a
// language file sees letters, not boxes. Latin-1, Latin Extended-A, Greek and
// Hebrew (their assigned characters) and Cyrillic, with Romanian's
// comma-below letters, each with a glyph of its own (not the cedilla
// letters' glyphs). The common Chinese characters are checked by the font
// tools' test, which can list them.
TEST_F(GameFont, CoversWholeBlocks) {
  Font* font = Load(test_support::SourceDir() + "/" + FONT, 45);
  ASSERT_NE(font, nullptr);
  SelectFont(font);
  std::set<uint32_t> unassigned = {0x378, 0x379, 0x380, 0x381, 0x382, 0x383, 0x38B, 0x38D, 0x3A2, 0x590};
  for (uint32_t c = 0x5C8; c <= 0x5CF; c++) unassigned.insert(c);
  for (uint32_t c = 0x5EB; c <= 0x5EE; c++) unassigned.insert(c);
  for (uint32_t c = 0x5F5; c <= 0x5FF; c++) unassigned.insert(c);
  const std::pair<uint32_t, uint32_t> blocks[] = {{0x00A0, 0x00FF}, {0x0100, 0x017F}, {0x0370, 0x03FF},
                                                  {0x0400, 0x04FF}, {0x0590, 0x05FF}, {0x0218, 0x021B}};
  int checked = 0;
  for (const auto& [first, last] : blocks)
    for (uint32_t c = first; c <= last; c++) {
      if (unassigned.count(c)) continue;
      checked++;
      EXPECT_TRUE(FontHasGlyphs(EncodeUtf8(c))) << "U+" << std::hex << c;
      if (c >= 0x483 && c <= 0x487) {  // combining marks: no advance, ink over the letter before
        EXPECT_NE(Ink(EncodeUtf8(0x430) + EncodeUtf8(c)), Ink(EncodeUtf8(0x430))) << "U+" << std::hex << c;
      }
    }
  EXPECT_EQ(checked, 96 + 128 + 135 + 256 + 88 + 4);
  // A ghost glyph would keep the width: the comma-below letters must not be
  // drawn as their cedilla twins, which differ only below the baseline.
  for (const auto& [comma, cedilla] : {std::pair<uint32_t, uint32_t>{0x0219, 0x015F}, {0x021B, 0x0163}})
    EXPECT_NE(Ink(EncodeUtf8(comma)), Ink(EncodeUtf8(cedilla))) << "U+" << std::hex << comma;
}

TEST_F(GameFont, LoadsFromTheProgramsArchive) {
  RegisterArchive();
  Font* font = Load(std::string(EMBEDDED_PREFIX) + FONT, 60);
  ASSERT_NE(font, nullptr);
  SelectFont(font);
  EXPECT_TRUE(FontHasGlyphs("中文"));
  EXPECT_GT(FontHeight(), 60);
}

// Hebrew lines are stored in visual order and Chinese has no spaces to wrap
// at, so their long texts break only where an "@" says; no line may be wider
// than the text box (the board's width less 10 pixels) at any resolution.
TEST_F(GameFont, BrokenLinesOfRightToLeftAndChineseTextsFitTheTextBox) {
  for (const char* name : {"Data/pLiMo_text_HE.txt", "Data/pLiMo_text_CN.txt"}) {
    const LanguageFile file = ReadLanguageFile(MemberFile(name));
    ASSERT_TRUE(file.Ok) << name << ": " << file.Error;
    for (const Row& row : ROWS) {
      Font* font = Load(test_support::SourceDir() + "/" + FONT, row.TextFontSize);
      ASSERT_NE(font, nullptr);
      SelectFont(font);
      for (const char* key : {"Tuto0", "Tuto1", "Tuto2", "Tuto3", "Tuto4", "Tuto6", "Tuto7", "Credits Text"})
        for (const std::string& line : BrokenLines(TextOf(file, key)))
          EXPECT_LE(StringWidth(line), 10 * row.BlockSize - 10)
              << name << " " << key << " at block size " << row.BlockSize << ": " << line;
    }
  }
}
