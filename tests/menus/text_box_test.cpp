// Text box wrapping, the transient message and the time format.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/archive.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/text_box.h"
#include "play/play_input.h"
#include "tests/support/test_support.h"

namespace {

using Lines = std::vector<std::string>;

// Ten pixels a byte: widths that a test can count.
Lines Wrap(const std::string& text, int width) {
  return WrapText(text, width, [](const std::string& s) { return static_cast<int>(s.size()) * 10; });
}

TEST(WrapText, WordsKeepTheirSpaceAndFillTheWidth) {
  // "ab cd " is 60 wide and fits 60; adding "ef " would make 90.
  EXPECT_EQ(Wrap("ab cd ef", 60), (Lines{"ab cd ", "ef "}));
  EXPECT_EQ(Wrap("ab cd ef", 59), (Lines{"ab ", "cd ", "ef "}));
  EXPECT_EQ(Wrap("ab cd ef", 1000), Lines{"ab cd ef "});
}

TEST(WrapText, AWordWiderThanTheBoxStandsAlone) {
  EXPECT_EQ(Wrap("a enormousword b", 50), (Lines{"a ", "enormousword ", "b "}));
  // Without spaces (as in Chinese) only "@" breaks.
  EXPECT_EQ(Wrap("\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87", 10), Lines{"\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87 "});
}

TEST(WrapText, AtBreaksOnlyAtTheStartOfALaterWord) {
  EXPECT_EQ(Wrap("one @two", 1000), (Lines{"one ", "two "}));
  EXPECT_EQ(Wrap("one @ two", 1000), (Lines{"one ", " two "}));
  // " @ @ " leaves a line holding one space: a blank line.
  EXPECT_EQ(Wrap("a @ @ b", 1000), (Lines{"a ", " ", " b "}));
  // Inside a word, at the very start and as the first word of a line, "@"
  // is a character.
  EXPECT_EQ(Wrap("mail@home", 1000), Lines{"mail@home "});
  EXPECT_EQ(Wrap("@PLAY", 1000), Lines{"@PLAY "});
  EXPECT_EQ(Wrap("a @@b", 1000), (Lines{"a ", "@b "}));
  EXPECT_EQ(Wrap("@@ x", 1000), Lines{"@@ x "});
}

TEST(WrapText, EmptyTextIsOneBlankLine) { EXPECT_EQ(Wrap("", 100), Lines{" "}); }

TEST(WrapText, LongTextsAreNotCutAfterTwentyEightLines) {
  std::string text = "line0";
  for (int i = 1; i < 40; i++) text += " @line" + std::to_string(i);
  const Lines lines = Wrap(text, 1000);
  ASSERT_EQ(lines.size(), 40u);
  EXPECT_EQ(lines[39], "line39 ");
}

TEST(WrapText, AHugeTextStopsAtTheLinesAScreenShows) {
  std::string text;
  while (text.size() < 990000) text += "word @";
  const Lines lines =
      WrapText(text, 1000, [](const std::string& s) { return static_cast<int>(s.size()) * 10; }, 30);
  ASSERT_EQ(lines.size(), 30u);
  EXPECT_EQ(lines[29], "word ");
}

TEST(FormatTime, MinutesApostropheTwoDigitSecondsQuote) {
  EXPECT_EQ(FormatTime(75), "1'15\"");
  EXPECT_EQ(FormatTime(5), "0'05\"");
  EXPECT_EQ(FormatTime(0), "0'00\"");
  EXPECT_EQ(FormatTime(6000), "100'00\"");
  EXPECT_EQ(FormatTime(-5), "0'00\"");
}

// With the game's font, at the text font size of the 1024 x 768 screen.
class TextBoxTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(test_support::OpenTestDisplay(1024, 768));
    RegisterArchive();
  }
  void SetUp() override {
    ScreenWidth = 1024;
    ScreenHeight = 768;
    BlockSize = 96;
    TextFont = LoadTrueTypeFont(std::string(EMBEDDED_PREFIX) + "Data/a2.ttf", TextFontPixels());
    LargeFont = LoadTrueTypeFont(std::string(EMBEDDED_PREFIX) + "Data/a2.ttf", LargeFontPixels());
    ASSERT_NE(TextFont, nullptr);
    Dir = std::make_unique<test_support::TempDir>();
  }
  void TearDown() override {
    media_test::StopRecording();
    SelectFont(nullptr);
    FreeFont(TextFont);
    FreeFont(LargeFont);
    TextFont = LargeFont = nullptr;
    ClearLanguages();
  }
  void LoadShipped(const std::string& code) {
    const std::string path = Dir->File("pLiMo_text_" + code + ".txt");
    ASSERT_TRUE(test_support::WriteWholeFile(path, test_support::ReadSourceFile("Data/pLiMo_text_" + code + ".txt")));
    ASSERT_EQ(LoadLanguage(path), 1);
  }
  std::unique_ptr<test_support::TempDir> Dir;
};

TEST_F(TextBoxTest, ShippedEnglishCreditsBreakAtEachAt) {
  LoadShipped("EN");
  const Lines lines = TextBoxLines(GetText("Credits Text"), 10 * 96 - 10);
  EXPECT_EQ(lines, (Lines{"\xC2\xA9 2026 the pLiMo lite contributors ", " Licence: MIT ", " ",
                          " Font: Comfortaa (SIL OFL 1.1), ", " DejaVu Sans (Bitstream Vera, Arev), ",
                          " Droid Sans Fallback (Apache 2.0) ", " ", " Libraries: SDL2 (zlib), libpng (libpng), ",
                          " libjpeg-turbo (IJG, BSD-3-Clause), ", " libvorbis (BSD-3-Clause), ", " FreeType (FTL) "}));
}

TEST_F(TextBoxTest, FirstTutorialTextPutsTheBracketedWordOnItsOwnLine) {
  LoadShipped("EN");
  const Lines lines = TextBoxLines(GetText("Tuto0"), 10 * 96 - 10);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Welcome to pLiMo ");
  EXPECT_EQ(lines[1], "[Tutorial] ");
  SelectFont(TextFont);
  std::string joined;
  for (size_t i = 2; i < lines.size(); i++) {
    EXPECT_LE(StringWidth(lines[i]), 950) << lines[i];
    joined += lines[i];
  }
  EXPECT_EQ(joined, "Touch the screen or click anywhere to continue. ");
}

TEST_F(TextBoxTest, EveryLanguagesCreditsFitTheScreenWidth) {
  for (const char* code : {"BG", "CN", "DE", "EN", "ES", "FR", "HE", "HU", "IT", "NL", "PL", "PT", "RO", "SV", "ZA"}) {
    LoadShipped(code);
    const Lines lines = TextBoxLines(GetText("Credits Text"), 950);
    EXPECT_GE(lines.size(), 5u) << code;
    SelectFont(TextFont);
    for (const std::string& line : lines) {
      // A line of more than one word fits the box.
      if (line.find(' ', 1) != line.size() - 1) {
        EXPECT_LE(StringWidth(line), 950) << code << ": " << line;
      }
    }
  }
}

TEST_F(TextBoxTest, DrawsAPanelThenWhiteLinesCentredInsideItsPadding) {
  media_test::StartRecording();
  const int height = DrawTextBox(10, 10, 960, 500, "ab @cd");
  media_test::StopRecording();
  std::vector<media_test::DrawCall> texts;
  float panelTop = 1e9f, panelBottom = -1e9f;
  for (const auto& call : media_test::RecordedDraws()) {
    if (call.Kind == media_test::DrawKind::Text) texts.push_back(call);
    if (call.Kind == media_test::DrawKind::Fill && call.R == PANEL_RED && call.B == PANEL_BLUE) {
      panelTop = std::min(panelTop, call.Y);
      panelBottom = std::max(panelBottom, call.Y + call.H);
    }
  }
  ASSERT_EQ(texts.size(), 2u);
  SelectFont(TextFont);
  const int lineHeight = TextFontPixels() + 768 / 100;
  const int pad = 96 / 6;
  EXPECT_EQ(texts[0].Text, "ab ");
  EXPECT_FLOAT_EQ(texts[0].X, std::round(485 - StringWidth("ab ") / 2.0f));
  EXPECT_FLOAT_EQ(texts[0].Y, static_cast<float>(10 + pad));
  EXPECT_EQ(texts[1].Text, "cd ");
  EXPECT_FLOAT_EQ(texts[1].Y, static_cast<float>(10 + pad + lineHeight));
  EXPECT_EQ(texts[1].R, 255);
  EXPECT_FLOAT_EQ(texts[1].Alpha, 1.0f);
  EXPECT_EQ(height, 2 * lineHeight + 2 * pad);
  EXPECT_FLOAT_EQ(panelTop, 10);
  EXPECT_FLOAT_EQ(panelBottom, static_cast<float>(10 + height));

  // A text too tall for the height allowed shrinks until its panel fits.
  media_test::StartRecording();
  const int shrunk = DrawTextBox(10, 10, 960, lineHeight + 2 * pad, "ab @cd");
  media_test::StopRecording();
  EXPECT_LE(shrunk, lineHeight + 2 * pad);
  for (const auto& call : media_test::RecordedDraws())
    if (call.Kind == media_test::DrawKind::Text) {
      EXPECT_LT(call.ScaleY, 1.0f);
    }
}

TEST_F(TextBoxTest, TransientMessageShowsFromThreeHundredToThirteenHundredMilliseconds) {
  Message = TransientMessage();
  Message.Text = "Play";
  Message.CentreX = 200;
  Message.CentreY = 100;
  Message.StartTime = 10000 + 300;
  Message.EndTime = 10000 + 1300;
  Message.Scale = 1.0f;
  Message.Light = 1;
  auto drawnAt = [](int64_t now) {
    Frame.Now = now;
    media_test::StartRecording();
    DrawMessage();
    media_test::StopRecording();
    std::vector<media_test::DrawCall> texts;
    for (const auto& call : media_test::RecordedDraws())
      if (call.Kind == media_test::DrawKind::Text) texts.push_back(call);
    return texts;
  };
  EXPECT_TRUE(drawnAt(10000).empty());
  EXPECT_TRUE(drawnAt(10300).empty());
  const auto first = drawnAt(10301);
  ASSERT_EQ(first.size(), 2u);
  EXPECT_NEAR(first[0].Alpha, 0.3996f, 1e-4);
  EXPECT_NEAR(first[1].Alpha, 0.3996f / 3, 1e-4);
  EXPECT_FLOAT_EQ(first[0].ScaleX, 1.02f);
  EXPECT_FLOAT_EQ(first[1].ScaleX, 3.06f);
  EXPECT_EQ(first[0].R, 255);
  SelectFont(LargeFont);
  const int width = StringWidth("Play"), height = FontHeight();
  EXPECT_FLOAT_EQ(first[0].X, static_cast<float>(200 - static_cast<int>(width * 1.02f / 2)));
  EXPECT_FLOAT_EQ(first[0].Y, static_cast<float>(100 - static_cast<int>(height * 1.02f / 2)));
  EXPECT_FLOAT_EQ(drawnAt(10800)[0].ScaleX, 1.04f);  // grows by 0.02 a drawn frame
  EXPECT_EQ(drawnAt(11299).size(), 2u);
  EXPECT_TRUE(drawnAt(11300).empty());
  EXPECT_FLOAT_EQ(Message.Scale, 1.06f);
}

}  // namespace
