// The fifteen language files: encoding, line form, keys, and the entries
// that describe each language.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "tests/assets/asset_files.h"
#include "tests/assets/formats.h"
#include "tests/assets/language_files.h"

namespace {

const std::vector<std::pair<std::string, std::string>>& EnglishTexts() {
  static const std::vector<std::pair<std::string, std::string>> texts = {
      {"Play", "Play"}, {"Rules", "Rules"}, {"Options", "Options"}, {"Quit", "Quit"},
      {"Style", "Style"}, {"Language", "Language"}, {"Display", "Display"}, {"Credits", "Credits"},
      {"Quality", "Quality"}, {"Screen", "Screen"}, {"High", "High"}, {"Low", "Low"},
      {"Windowed", "Windowed"}, {"Center", "Centered"}, {"Full", "Best Fit"},
      {"How to play", "How to play"}, {"No Browser", "No web browser could open the help page"},
      {"Congratulations", "Congratulations !"}, {"Well Done", "Well Done !"}, {"Can Do Better", "OK ! but..."},
      {"Time", "Time: "}, {"Record", "Best Time: "}, {"Old Record", "Old Record: "},
      {"New Record", "New Record !"}, {"Random Level", "Random Level"}, {"Last Time", "Time"},
      {"Best Time", "Best"}, {"Random", "Random"}, {"No Solution", "No way out from here: undo a few moves"},
      {"Tuto0", "Welcome to pLiMo @[Tutorial] @Touch the screen or click anywhere to continue."},
      {"Tuto1", "Plimonites are moved with the finger or by holding down the left mouse button."},
      {"Tuto2", "You can UNDO moves with the UNDO button or simply by right-clicking."},
      {"Tuto3", "Plimonites of the same color merge when joined together."},
      {"Tuto4", "Merge all plimonites of the same color to make them disappear."},
      {"Tuto6", "You win the game when all plimonites are gone."},
      {"Tuto7", "Voilà ! that's all. The first levels are very easy, the last levels are very difficult. "
                "Play as you want."},
      {"LCode", "EN"}, {"LLanguage", "English"}, {"LFlagFile", "English.png"},
  };
  return texts;
}

std::set<std::string> ExpectedKeys() {
  std::set<std::string> keys = {"Credits Text", "Plimo", "Choose Language", "One Player", "Two Players",
                                "Selection", "Auto", "Easy", "Medium", "Hard", "Insane",
                                // the hint's, the resumed game's and the player's files' messages
                                "No Hint", "Unrecorded Level", "Making Level", "Editor Testing", "File Kept",
                                "Link Refused",
                                // level codes, par and the daily level
                                "Par", "Code", "Moves", "Daily", "Code Level", "Copied", "Copy Hint",
                                "Paste Hint", "Par Matched", "Par Beaten", "Code Empty", "Code Bad",
                                "Code Empty Board", "Code No Solution", "Code Entry Hint",
                                // the level editor
                                "Editor", "Editor Help", "Editor Empty", "Editor Solvable", "Editor Unsolvable",
                                "Editor Saved", "Editor Not Saved", "Editor Deleted", "Custom Hint",
                                // the victory card's buttons and the style screen's instruction
                                "Next Level", "Level Map", "Style Help"};
  for (const auto& [key, text] : EnglishTexts()) keys.insert(key);
  return keys;
}

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}

class ShippedLanguageFile : public ::testing::TestWithParam<ShippedLanguage> {
 protected:
  void SetUp() override {
    bytes_ = MemberFile(LanguageFileName(GetParam()));
    ASSERT_FALSE(bytes_.empty()) << LanguageFileName(GetParam());
    file_ = ReadLanguageFile(bytes_);
    ASSERT_TRUE(file_.Ok) << LanguageFileName(GetParam()) << ": " << file_.Error;
  }
  std::string bytes_;
  LanguageFile file_;
};

}  // namespace

TEST_P(ShippedLanguageFile, CarriesEveryKeyOnce) {
  std::set<std::string> seen;
  for (const auto& [key, text] : file_.Entries) {
    EXPECT_TRUE(seen.insert(Upper(key)).second) << key << " given twice";
    EXPECT_FALSE(text.empty()) << key;
  }
  std::set<std::string> expected;
  for (const std::string& key : ExpectedKeys()) expected.insert(Upper(key));
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(seen.count("TUTO5"));
}

TEST_P(ShippedLanguageFile, DescribesItsLanguage) {
  EXPECT_EQ(TextOf(file_, "LCode"), GetParam().Code);
  EXPECT_EQ(TextOf(file_, "LLanguage"), GetParam().Name);
  EXPECT_EQ(TextOf(file_, "LFlagFile"), GetParam().Flag);
  const std::vector<std::string> members = ArchiveMemberNames();
  EXPECT_NE(std::find(members.begin(), members.end(), std::string("Data/") + GetParam().Flag), members.end());
}

TEST_P(ShippedLanguageFile, LineBreaksBeginWords) {
  for (const auto& [key, text] : file_.Entries)
    for (size_t i = 0; i < text.size(); i++)
      if (text[i] == '@') {
        EXPECT_TRUE(i > 0 && text[i - 1] == ' ') << key << ": " << text;
      }
}

// The credits state what is true: the game and its licence, its contributors
// as a group, and every third-party part with its licence; no named people.
TEST_P(ShippedLanguageFile, CreditsNameTheGameItsLicenceAndItsPartsAndFitTheScreen) {
  const std::string credits = TextOf(file_, "Credits Text");
  for (const char* part : {"pLiMo lite", "2026", "MIT", "Comfortaa", "SIL OFL 1.1", "DejaVu Sans", "Bitstream Vera",
                           "Arev", "Droid Sans Fallback", "Apache 2.0", "SDL2", "libpng", "libjpeg-turbo",
                           "libvorbis", "FreeType"})
    EXPECT_NE(credits.find(part), std::string::npos) << part;
  EXPECT_EQ(credits.find("Tilecraft"), std::string::npos);
  // The text box keeps at most 28 lines; the credits have far fewer breaks.
  EXPECT_LT(std::count(credits.begin(), credits.end(), '@'), 14);
}

INSTANTIATE_TEST_SUITE_P(All, ShippedLanguageFile, ::testing::ValuesIn(ShippedLanguages()),
                         [](const auto& info) { return std::string(info.param.Code); });

TEST(EnglishLanguageFile, HasTheGameTexts) {
  const LanguageFile file = ReadLanguageFile(MemberFile("Data/pLiMo_text_EN.txt"));
  ASSERT_TRUE(file.Ok) << file.Error;
  for (const auto& [key, text] : EnglishTexts()) EXPECT_EQ(TextOf(file, key), text) << key;
}

TEST(HebrewLanguageFile, StoresTextsInVisualOrder) {
  const LanguageFile file = ReadLanguageFile(MemberFile("Data/pLiMo_text_HE.txt"));
  ASSERT_TRUE(file.Ok) << file.Error;
  // "Hebrew" written right to left is stored last letter first.
  EXPECT_EQ(TextOf(file, "LLanguage"), "תירבע");
  // A sentence ends on the left: its full stop comes first on a line.
  const std::string tuto6 = TextOf(file, "Tuto6");
  EXPECT_NE(tuto6.find("@."), std::string::npos) << tuto6;
  // Latin words inside keep their own order.
  EXPECT_NE(TextOf(file, "Tuto0").find("pLiMo"), std::string::npos);
}

TEST(LanguageFileReader, RejectsBrokenFiles) {
  const std::string mark = "\xEF\xBB\xBF";
  const std::string good = mark + "{ comment }\r\n\"Play\" = \"Jouer\"   { a note }\r\n";
  EXPECT_TRUE(ReadLanguageFile(good).Ok);
  EXPECT_EQ(TextOf(ReadLanguageFile(good), "Play"), "Jouer");
  EXPECT_FALSE(ReadLanguageFile("{ comment }\r\n\"Play\" = \"Jouer\"\r\n").Ok) << "no mark";
  EXPECT_FALSE(ReadLanguageFile(mark + "{ comment }\n\"Play\" = \"Jouer\"\n").Ok) << "LF only";
  EXPECT_FALSE(ReadLanguageFile(mark + "\"Play\" = \"Jouer\"\r\n").Ok) << "entry on the first line";
  EXPECT_FALSE(ReadLanguageFile(mark + "\r\n\"Play\"=\"Jouer\"\r\n").Ok) << "separator without blanks";
  EXPECT_FALSE(ReadLanguageFile(mark + "\r\n\"Play\" = \"Jo{uer\"\r\n").Ok) << "brace in a text";
  EXPECT_FALSE(ReadLanguageFile(mark + "\r\n\"Play\" = \"\"\r\n").Ok) << "empty text";
  EXPECT_FALSE(ReadLanguageFile(mark + "\r\n\"Play\" = \"Jou\xE9r\"\r\n").Ok) << "Latin-1 byte";
  EXPECT_FALSE(ReadLanguageFile(mark + "\r\n\"Play\" = \"Jouer\"").Ok) << "no final line end";
}
