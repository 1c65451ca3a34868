// Text lookup, loading language files (also damaged ones) and discovering
// the languages of a folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "localisation/languages.h"
#include "localisation/utf8.h"
#include "tests/localisation/language_fixture.h"
#include "media/media_test.h"

namespace {

const char* const BOM = "\xEF\xBB\xBF";

// A small language file: a mark, a comment line and CR LF line ends.
std::string LanguageText(const std::string& entries) { return std::string(BOM) + "{ test }\r\n" + entries; }

TEST_F(LanguageTest, KeysMatchInAnyLetterCase) {
  T_LTEXT::AddText("Play", "Jouer");
  T_LTEXT::AddText("\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0\xD1\x82\xD1\x8C", "cyrillic");  // Играть
  T_LTEXT::AddText("\xCE\xB1\xCF\x81\xCF\x87\xCE\xAE", "greek");                    // αρχή
  T_LTEXT::AddText("\xC3\xA9t\xC3\xA9 \xC5\x9F\xC8\x9B", "latin");                  // été şț
  EXPECT_EQ(GetText("play"), "Jouer");
  EXPECT_EQ(GetText("PLAY"), "Jouer");
  EXPECT_EQ(GetText("pLaY"), "Jouer");
  EXPECT_EQ(GetText("\xD0\x98\xD0\x93\xD0\xA0\xD0\x90\xD0\xA2\xD0\xAC"), "cyrillic");  // ИГРАТЬ
  EXPECT_EQ(GetText("\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD1\x82\xD1\x8C"), "cyrillic");  // играть
  EXPECT_EQ(GetText("\xCE\x91\xCE\xA1\xCE\xA7\xCE\x89"), "greek");                    // ΑΡΧΉ
  EXPECT_EQ(GetText("\xC3\x89T\xC3\x89 \xC5\x9E\xC8\x9A"), "latin");                  // ÉTÉ ŞȚ
}

TEST_F(LanguageTest, MissingKeyShowsTheKeyInCapitals) {
  EXPECT_EQ(GetText("play"), "@PLAY");
  EXPECT_EQ(GetText("\xD0\xB4\xD0\xB0"), "@\xD0\x94\xD0\x90");  // да -> @ДА
  EXPECT_EQ(GetText(""), "@");
}

TEST_F(LanguageTest, FirstOfTwoKeysWinsEmptyKeyIsNotStoredEmptyTextIs) {
  const std::string path = Write("pLiMo_text_T.txt", LanguageText(
      "\"Play\" = \"first\"\r\n\"PLAY\" = \"second\"\r\n\"\" = \"nothing\"\r\n\"Quit\" = \"\"\r\n"));
  ASSERT_EQ(LoadLanguage(path), 1);
  EXPECT_EQ(GetText("Play"), "first");
  EXPECT_EQ(GetText("Quit"), "");
  EXPECT_EQ(Texts.size(), 3u);
  for (const T_LTEXT& entry : Texts) EXPECT_FALSE(entry.Key.empty());
}

TEST_F(LanguageTest, ShippedEnglishLoads) {
  ASSERT_EQ(LoadLanguage(CopyShipped("pLiMo_text_EN.txt")), 1);
  EXPECT_EQ(GetText("Play"), "Play");
  EXPECT_EQ(GetText("Center"), "Centered");
  EXPECT_EQ(GetText("Full"), "Best Fit");
  EXPECT_EQ(GetText("lcode"), "EN");
  EXPECT_EQ(GetText("Tuto5"), "@TUTO5");
}

TEST_F(LanguageTest, EveryShippedTextRendersInTheGameFont) {
  // Each language's own texts, read through the loader, have a glyph for
  // every character that is not a blank.
  SelectFont(LargeFont);
  int languages = 0;
  for (const char* code : {"BG", "CN", "DE", "EN", "ES", "FR", "HE", "HU", "IT", "NL", "PL", "PT", "RO", "SV", "ZA"}) {
    ASSERT_EQ(LoadLanguage(CopyShipped(std::string("pLiMo_text_") + code + ".txt")), 1) << code;
    EXPECT_GT(Texts.size(), 40u) << code;
    EXPECT_GT(StringWidth(GetText("Play")), 0) << code;
    EXPECT_NE(GetText("Credits Text")[0], '@') << code;
    for (const T_LTEXT& entry : Texts) {
      size_t position = 0;
      uint32_t c;
      while (NextUtf8(entry.Text, position, c)) {
        if (c <= 32) continue;
        std::string one;
        AppendUtf8(one, c);
        EXPECT_GT(StringWidth(one), 0) << code << " " << entry.Key << " U+" << std::hex << c;
      }
    }
    languages++;
  }
  EXPECT_EQ(languages, 15);
}

TEST_F(LanguageTest, MissingFileKeepsThePreviousTexts) {
  T_LTEXT::AddText("Play", "kept");
  EXPECT_EQ(LoadLanguage(Dir.File("none.txt")), 0);
  EXPECT_EQ(GetText("Play"), "kept");
}

TEST_F(LanguageTest, DamagedFilesAreReadAsFarAsTheyAreSound) {
  T_LTEXT::AddText("Play", "kept");
  // Empty, and not text at all: no entry, so not a language.
  EXPECT_EQ(LoadLanguage(Write("empty.txt", "")), 0);
  EXPECT_EQ(LoadLanguage(Write("binary.txt", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\"\"\xff", 20))), 0);
  EXPECT_EQ(GetText("Play"), "kept");

  // Truncated inside a quote: the entries before it are read; the cut one is
  // missing rather than empty, also when a "{" cuts it.
  ASSERT_EQ(LoadLanguage(Write("cut.txt", LanguageText("\"Play\" = \"Jouer\"\r\n\"Brace\" = \"a { b\"\r\n\"Quit\" = \"Quit"))), 1);
  EXPECT_EQ(GetText("Play"), "Jouer");
  EXPECT_EQ(GetText("Brace"), "@BRACE");
  EXPECT_EQ(GetText("Quit"), "@QUIT");

  // Long lines: a text holds at most what a screen can show, cut between
  // characters.
  std::string longText(T_LTEXT::MAX_TEXT_BYTES - 1, 'w');
  longText += "\xC3\xA9" + std::string(10000, 'w');
  ASSERT_EQ(LoadLanguage(Write("long.txt", LanguageText("\"Long\" = \"" + longText + "\"\r\n" + std::string(30000, ' ') +
                                                         "x\r\n\"Play\" = \"after\""))), 1);
  EXPECT_EQ(GetText("Long"), longText.substr(0, T_LTEXT::MAX_TEXT_BYTES - 1));
  EXPECT_EQ(GetText("Play"), "after");
  // A file larger than any language file is not read at all.
  const std::string huge = Write("huge.txt", LanguageText("\"Play\" = \"huge\"\r\n"));
  std::filesystem::resize_file(huge, uintmax_t{4} << 30);
  EXPECT_EQ(LoadLanguage(huge), 0);
  EXPECT_EQ(GetText("Play"), "after");

  // Invalid UTF-8 inside a text becomes U+FFFD; the other entries are intact.
  ASSERT_EQ(LoadLanguage(Write("bad8.txt", LanguageText("\"Bad\" = \"a\xFF\xC3\"\r\n\"Play\" = \"ok\""))), 1);
  EXPECT_EQ(GetText("Bad"), "a\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(GetText("Play"), "ok");
}

TEST_F(LanguageTest, Utf16FilesLoadAndAnOddLastByteIsDropped) {
  std::string le = "\xFF\xFE";
  for (char c : std::string("\r\n\"Play\" = \"Spela\"\r\n\"Quit\" = \"x\"")) le += std::string(1, c) + '\0';
  le.push_back('Q');  // odd byte count
  ASSERT_EQ(LoadLanguage(Write("le.txt", le)), 1);
  EXPECT_EQ(GetText("Play"), "Spela");
  EXPECT_EQ(GetText("Quit"), "x");

  std::string be = "\xFE\xFF";
  for (char c : std::string("\n\"Play\" = \"Spiel\"")) be += std::string(1, '\0') + c;
  be.push_back('\0');
  ASSERT_EQ(LoadLanguage(Write("be.txt", be)), 1);
  EXPECT_EQ(GetText("Play"), "Spiel");
}

// ------------------------------------------------------------ discovery

std::string Header(const std::string& code, const std::string& name, const std::string& flag) {
  return LanguageText("\"LCode\" = \"" + code + "\"\r\n\"LLanguage\" = \"" + name + "\"\r\n\"LFlagFile\" = \"" + flag + "\"\r\n");
}

std::vector<std::string> Codes() {
  std::vector<std::string> codes;
  for (const auto& language : Languages) codes.push_back(language->code);
  return codes;
}

TEST_F(LanguageTest, ShippedLanguagesAreFoundInFileNameOrder) {
  for (const char* code : {"SV", "FR", "CN", "EN", "HE", "ZA"}) CopyShipped(std::string("pLiMo_text_") + code + ".txt");
  for (const char* flag : {"Swedish", "French", "Chinese", "English", "Hebrew", "Suid-Afrika"}) CopyShipped(std::string(flag) + ".png");
  ScanLanguagesIn(Dir.Path());
  EXPECT_EQ(Codes(), (std::vector<std::string>{"CN", "EN", "FR", "HE", "SV", "ZA"}));
  EXPECT_EQ(LanguageCount, 6);
  for (const auto& language : Languages) {
    EXPECT_NE(language->bitmap, nullptr) << language->code;
    EXPECT_EQ(language->file, Dir.File("pLiMo_text_" + language->code + ".txt"));
  }
  EXPECT_EQ(Languages[0]->name, "\xE4\xB8\xAD\xE6\x96\x87");  // 中文
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(LanguageTest, BigFlagsAreDecodedOnePerFrameAndKeptSmall) {
  // A picture of 1600 x 1200, and the header of one of 5792 x 5792.
  ASSERT_TRUE(test_support::OpenTestDisplay(1600, 1200));
  SetDrawColour(200, 10, 10);
  FillRect(0, 0, 1600, 1200);
  ASSERT_TRUE(media_test::SaveBackBufferPNG(Dir.File("big.png")));
  std::string huge = test_support::ReadWholeFile(Dir.File("big.png"));
  for (int i = 0; i < 4; i++) huge[16 + i] = huge[20 + i] = static_cast<char>((5792u >> (24 - 8 * i)) & 0xFF);
  Write("huge.png", huge);
  for (char c = 'A'; c < 'A' + 15; c++)
    Write(std::string("pLiMo_text_") + c + ".txt", Header(std::string(1, c), "Flag", c == 'O' ? "huge.png" : "big.png"));
  ScanLanguagesIn(Dir.Path());
  ASSERT_EQ(LanguageCount, 15);
  // The huge one is refused from its header alone; the others are measured,
  // scaled to fit 400 x 300, and not decoded yet.
  EXPECT_EQ(Languages[14]->bitmap, nullptr);
  EXPECT_EQ(media_test::RecordedMessages().size(), 1u);
  for (int i = 0; i < 14; i++) {
    EXPECT_EQ(ImageWidth(Languages[i]->bitmap), 400);
    EXPECT_EQ(ImageHeight(Languages[i]->bitmap), 300);
    EXPECT_FALSE(media_test::ImageDecoded(Languages[i]->bitmap));
  }
  // Drawing them decodes nothing; each frame without spare time decodes one.
  media_test::SetUnpacedFrames(true);
  T_LANG::InitFlagsSelection();
  int decoded = 0;
  bool mustBeShown = false;
  for (int frame = 0; frame < 500 && decoded < 14; frame++) {
    T_LANG::DrawFlagsSelection();
    const long shown = media_test::PresentedFrames();
    PresentFrame();
    // A flag decoded after the last frame changes the screen, though the
    // drawing is the same: this frame is shown.
    if (mustBeShown) {
      EXPECT_EQ(media_test::PresentedFrames(), shown + 1) << "frame " << frame;
    }
    int now = 0;
    for (int i = 0; i < 14; i++) now += media_test::ImageDecoded(Languages[i]->bitmap) ? 1 : 0;
    EXPECT_LE(now, decoded + 1);
    mustBeShown = now > decoded;
    decoded = now;
  }
  EXPECT_EQ(decoded, 14);
  media_test::SetUnpacedFrames(false);
  ASSERT_TRUE(test_support::OpenTestDisplay());
}

TEST_F(LanguageTest, OnlyCompleteLanguagesAreOffered) {
  CopyShipped("English.png", "flag.png");
  Write("pLiMo_text_A.TXT", Header("A", "Alpha", "flag.png"));       // extension in any case
  Write("pLiMo_text_B.txt", Header("", "Beta", "flag.png"));         // no code
  Write("pLiMo_text_C.txt", Header("C", "Gamma", "missing.png"));    // no flag file
  Write("pLiMo_text_D.txt", Header("D", "\x01\x02", "flag.png"));    // a name the font cannot show
  Write("plimo_text_E.txt", Header("E", "Epsilon", "flag.png"));     // wrong letter case in the name
  Write("pLiMo_text_F.txt.bak", Header("F", "Phi", "flag.png"));     // not .txt
  Write("pLiMo_text_G.txt", LanguageText("\"LCode\" = \"G\"\r\n\"LLanguage\" = \"Eta\""));  // no flag entry
  Write("pLiMo_text_H.txt", "");                                     // empty
  Write("pLiMo_text_I.txt", std::string("\x00\xFF\x10\x80", 4));     // not text
  Write("pLiMo_text_J.txt", Header("J", "Iota", "flag.png") + "\"LCode\" = \"K\"\r\n");  // later value wins
  ScanLanguagesIn(Dir.Path());
  EXPECT_EQ(Codes(), (std::vector<std::string>{"A", "K"}));
  EXPECT_EQ(LanguageCount, 2);
}

TEST_F(LanguageTest, FlagThatDoesNotDecodeLeavesTheLanguageWithoutPicture) {
  Write("broken.png", "\x89PNG not really");
  Write("pLiMo_text_X.txt", Header("X", "Broken", "broken.png"));
  ScanLanguagesIn(Dir.Path());
  ASSERT_EQ(Languages.size(), 1u);
  EXPECT_EQ(Languages[0]->bitmap, nullptr);
  EXPECT_EQ(media_test::RecordedMessages(),
            std::vector<std::string>{"error loading flag bitmap: " + Dir.File("broken.png")});
}

TEST_F(LanguageTest, EmptyOrMissingFolderGivesNoLanguage) {
  ScanLanguagesIn(Dir.Path());
  EXPECT_TRUE(Languages.empty());
  EXPECT_EQ(LanguageCount, 0);
  ScanLanguagesIn(Dir.File("nowhere"));
  EXPECT_TRUE(Languages.empty());
  EXPECT_EQ(media_test::RecordedMessages(), std::vector<std::string>{"failed to read Data/ directory"});
}

}  // namespace
