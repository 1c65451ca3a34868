// The line tokenizer on the entries of language and profile files.
#include <gtest/gtest.h>

#include "localisation/string_parser.h"

namespace {

T_STRING_PARSER Stripped(const std::string& line) {
  T_STRING_PARSER parser = T_STRING_PARSER::InitString(line);
  parser.StripComments();
  return parser;
}

TEST(StringParser, ReadsAQuotedEntryFollowedByBlanksAndAComment) {
  T_STRING_PARSER parser = Stripped("\"Play\"   =\t\"Jouer\"   { the first entry \r");
  EXPECT_EQ(parser.IsEmpty(), 0);
  EXPECT_EQ(parser.GetString(), "Play");
  EXPECT_EQ(parser.GetCharacter(), "=");
  EXPECT_EQ(parser.GetString(), "Jouer");
  EXPECT_EQ(parser.CurrentLine, "");
}

TEST(StringParser, InitStringKeepsTheLineAsItIs) {
  EXPECT_EQ(T_STRING_PARSER::InitString("  \"a\" ").CurrentLine, "  \"a\" ");
}

TEST(StringParser, BraceInsideAQuotedValueCutsTheValue) {
  T_STRING_PARSER parser = Stripped("\"Key\" = \"left { right\"");
  EXPECT_EQ(parser.CurrentLine, "\"Key\" = \"left");
  EXPECT_EQ(parser.GetString(), "Key");
  EXPECT_EQ(parser.GetCharacter(), "=");
  EXPECT_EQ(parser.GetString(), "");  // no closing quote left
  EXPECT_EQ(parser.CurrentLine, "left");
}

TEST(StringParser, EmptyQuotesAsKeyLeaveTheSecondQuote) {
  T_STRING_PARSER parser = Stripped("\"\" = \"x\"");
  EXPECT_EQ(parser.GetString(), "");
  EXPECT_EQ(parser.GetCharacter(), "\"");
  EXPECT_EQ(parser.GetCharacter(), "=");
}

TEST(StringParser, GetStringWithoutOpeningQuoteChangesNothing) {
  T_STRING_PARSER parser = T_STRING_PARSER::InitString("Play\" = 1");
  EXPECT_EQ(parser.GetString(), "");
  EXPECT_EQ(parser.CurrentLine, "Play\" = 1");
}

TEST(StringParser, BlankAndCommentOnlyLinesAreEmpty) {
  EXPECT_EQ(Stripped(" \t\r ").IsEmpty(), 1);
  EXPECT_EQ(Stripped("   { only a comment \"x\" = \"y\"").IsEmpty(), 1);
  EXPECT_EQ(Stripped("").IsEmpty(), 1);
  // IsEmpty does not trim the line itself.
  T_STRING_PARSER raw = T_STRING_PARSER::InitString("  ");
  EXPECT_EQ(raw.IsEmpty(), 1);
  EXPECT_EQ(raw.CurrentLine, "  ");
}

TEST(StringParser, GetValueReadsLeadingDigitsOnly) {
  T_STRING_PARSER digits = T_STRING_PARSER::InitString("12ab");
  EXPECT_EQ(digits.GetValue(), 12);
  EXPECT_EQ(digits.CurrentLine, "ab");

  T_STRING_PARSER letter = T_STRING_PARSER::InitString("a12");
  EXPECT_EQ(letter.GetValue(), 0);
  EXPECT_EQ(letter.CurrentLine, "a12");

  T_STRING_PARSER minus = T_STRING_PARSER::InitString("-5");
  EXPECT_EQ(minus.GetValue(), 0);
  EXPECT_EQ(minus.CurrentLine, "-5");
}

TEST(StringParser, GetValueReadsAListAndWrapsOnOverflow) {
  T_STRING_PARSER list = T_STRING_PARSER::InitString("0, 1 ,22");
  EXPECT_EQ(list.GetValue(), 0);
  EXPECT_EQ(list.GetCharacter(), ",");
  EXPECT_EQ(list.GetValue(), 1);
  EXPECT_EQ(list.GetCharacter(), ",");
  EXPECT_EQ(list.GetValue(), 22);
  EXPECT_EQ(list.CurrentLine, "");

  // 2^64 + 1 wraps to 1.
  EXPECT_EQ(T_STRING_PARSER::InitString("18446744073709551617").GetValue(), 1);
  EXPECT_EQ(T_STRING_PARSER::InitString("9223372036854775807").GetValue(), INT64_MAX);
}

TEST(StringParser, GetParamTakesTheTextBeforeTheEqualsSign) {
  T_STRING_PARSER parser = T_STRING_PARSER::InitString(" Music Flag  = 1");
  EXPECT_EQ(parser.GetParam(), "Music Flag");
  EXPECT_EQ(parser.CurrentLine, "= 1");
  EXPECT_EQ(parser.GetCharacter(), "=");
  EXPECT_EQ(parser.GetValue(), 1);

  T_STRING_PARSER leading = T_STRING_PARSER::InitString("= 1");
  EXPECT_EQ(leading.GetParam(), "");
  EXPECT_EQ(leading.CurrentLine, "= 1");
  T_STRING_PARSER none = T_STRING_PARSER::InitString("no sign");
  EXPECT_EQ(none.GetParam(), "");
  EXPECT_EQ(none.CurrentLine, "no sign");
}

TEST(StringParser, GetCharacterTakesAWholeCharacter) {
  T_STRING_PARSER empty = T_STRING_PARSER::InitString("");
  EXPECT_EQ(empty.GetCharacter(), "");
  T_STRING_PARSER wide = T_STRING_PARSER::InitString("\xE4\xB8\xAD  \xC3\xA9");  // 中 é
  EXPECT_EQ(wide.GetCharacter(), "\xE4\xB8\xAD");
  EXPECT_EQ(wide.GetCharacter(), "\xC3\xA9");
  EXPECT_EQ(wide.CurrentLine, "");
}

TEST(StringParser, ByteOrderMarkStaysInFrontOfTheLine) {
  T_STRING_PARSER parser = Stripped("\xEF\xBB\xBF\"Play\" = \"Play\"");
  EXPECT_EQ(parser.IsEmpty(), 0);
  EXPECT_EQ(parser.GetString(), "");
}

}  // namespace
