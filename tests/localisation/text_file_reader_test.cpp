// Reading text files in the four encodings, line by line, as UTF-8.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "localisation/text_file_reader.h"
#include "tests/support/test_support.h"

namespace {

using Lines = std::vector<std::string>;

class TextFileReaderTest : public ::testing::Test {
 protected:
  test_support::TempDir Dir;

  std::string Write(const std::string& bytes) {
    const std::string path = Dir.File("text.txt");
    EXPECT_TRUE(test_support::WriteWholeFile(path, bytes));
    return path;
  }
  // Every line of the file, read the way the game reads it.
  std::vector<std::string> Read(const std::string& bytes) {
    std::vector<std::string> lines;
    auto stream = TextFileReader::CreateStream(Write(bytes), 1, 0);
    EXPECT_NE(stream, nullptr);
    if (!stream) return lines;
    while (!stream->Eof()) lines.push_back(stream->ReadLine());
    stream->Close();
    return lines;
  }
};



TEST_F(TextFileReaderTest, DetectsEachByteOrderMark) {
  EXPECT_EQ(TextFileReader::EncodingDetector(Write("\xEF\xBB\xBF" "a")), ENCODING_UTF8);
  EXPECT_EQ(TextFileReader::EncodingDetector(Write("\xFE\xFF")), ENCODING_UTF16_BE);
  EXPECT_EQ(TextFileReader::EncodingDetector(Write("\xFF\xFE" "a")), ENCODING_UTF16_LE);
  EXPECT_EQ(TextFileReader::EncodingDetector(Write("\xEF\xBB")), ENCODING_LATIN1);
  EXPECT_EQ(TextFileReader::EncodingDetector(Write("\xEF\xBB\xBE")), ENCODING_LATIN1);
  EXPECT_EQ(TextFileReader::EncodingDetector(Write("ab")), ENCODING_LATIN1);
  EXPECT_EQ(TextFileReader::EncodingDetector(Dir.File("missing.txt")), ENCODING_LATIN1);
}

TEST_F(TextFileReaderTest, OneByteAndEmptyFilesReadAsLatin1) {
  EXPECT_EQ(TextFileReader::EncodingDetector(Write("\xFE")), ENCODING_LATIN1);
  EXPECT_EQ(Read("\xFE"), Lines{"\xC3\xBE"});  // þ
  EXPECT_EQ(TextFileReader::EncodingDetector(Write("")), ENCODING_LATIN1);
  EXPECT_EQ(Read(""), Lines{});
}

TEST_F(TextFileReaderTest, MissingFileGivesNoStream) {
  EXPECT_EQ(TextFileReader::CreateStream(Dir.File("missing.txt"), 1, 0), nullptr);
}

TEST_F(TextFileReaderTest, Utf8MarkIsKeptAsTheFirstCharacter) {
  EXPECT_EQ(Read("\xEF\xBB\xBF\"K\" = \"\xC3\xA9t\xC3\xA9\"\r\nnext"),
            (Lines{"\xEF\xBB\xBF\"K\" = \"\xC3\xA9t\xC3\xA9\"", "next"}));
}

TEST_F(TextFileReaderTest, Utf8WithoutMarkReadsAsLatin1) {
  // "é" in UTF-8 is two Latin-1 characters, Ã and ©.
  EXPECT_EQ(Read("\xC3\xA9"), Lines{"\xC3\x83\xC2\xA9"});
}

TEST_F(TextFileReaderTest, LineEndings) {
  // CR LF reads like LF; a last line without a line feed is read; a final
  // line feed adds no empty line; a zero byte ends a line too.
  EXPECT_EQ(Read("a\r\nb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(Read("a\r\n\r\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(Read("x\ry"), Lines{"xy"});
  EXPECT_EQ(Read(std::string("a\0b", 3)), (Lines{"a", "b"}));
}

TEST_F(TextFileReaderTest, Utf16BothWays) {
  // U+FEFF, "A", U+00E9, CR LF, U+4E2D, and a surrogate pair for U+1F600.
  const std::string be("\xFE\xFF\x00\x41\x00\xE9\x00\x0D\x00\x0A\x4E\x2D\xD8\x3D\xDE\x00", 16);
  const std::string le("\xFF\xFE\x41\x00\xE9\x00\x0D\x00\x0A\x00\x2D\x4E\x3D\xD8\x00\xDE", 16);
  const Lines expected{"\xEF\xBB\xBF" "A\xC3\xA9", "\xE4\xB8\xAD\xF0\x9F\x98\x80"};
  EXPECT_EQ(Read(be), expected);
  EXPECT_EQ(Read(le), expected);
}

TEST_F(TextFileReaderTest, Utf16OddByteCountDropsTheLoneByte) {
  EXPECT_EQ(Read(std::string("\xFF\xFE\x41\x00\x42", 5)), Lines{"\xEF\xBB\xBF" "A"});
  // A mark and one byte: only the mark is a character.
  EXPECT_EQ(Read(std::string("\xFE\xFF\x00", 3)), Lines{"\xEF\xBB\xBF"});
}

TEST_F(TextFileReaderTest, BrokenSequencesBecomeReplacementCharacters) {
  const std::string fffd = "\xEF\xBF\xBD";
  // UTF-8: a stray continuation byte, a lead byte cut by the line feed, an
  // overlong form and a lead byte at the very end.
  EXPECT_EQ(Read("\xEF\xBB\xBF" "a\x80" "b\xE4\n" "c\xC0\xAF" "d\xE4"),
            (Lines{"\xEF\xBB\xBF" "a" + fffd + "b" + fffd, "c" + fffd + fffd + "d" + fffd}));
  // UTF-16: a high surrogate followed by a plain unit, and a lone low one.
  EXPECT_EQ(Read(std::string("\xFE\xFF\xD8\x3D\x00\x41\xDC\x00", 8)),
            Lines{"\xEF\xBB\xBF" + fffd + "A" + fffd});
}

TEST_F(TextFileReaderTest, GivenEncodingWithoutDetection) {
  auto stream = TextFileReader::CreateStream(Write("\xEF\xBB\xBF" "\xC3\xA9"), 0, ENCODING_LATIN1);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->ReadLine(), "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\x83\xC2\xA9");
  EXPECT_TRUE(stream->Eof());
}

TEST_F(TextFileReaderTest, VeryLongLinesAreReadWholeUpToTheLimit) {
  const std::string longLine(10000, 'x');
  EXPECT_EQ(Read(longLine + "\nend"), (Lines{longLine, "end"}));
  const Lines huge = Read(std::string(TextStream::MAX_LINE_BYTES + 10, 'y') + "\nend");
  ASSERT_EQ(huge.size(), 2u);
  EXPECT_EQ(huge[0].size(), TextStream::MAX_LINE_BYTES);
  EXPECT_EQ(huge[1], "end");
}

}  // namespace

namespace {

TEST_F(TextFileReaderTest, AFileCutShortWhileItIsReadEndsTheStream) {
  const std::string path = Write("first\nsecond\nthird\n" + std::string(50000, 'z'));
  auto stream = TextFileReader::CreateStream(path, 1, 0);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->ReadLine(), "first");
  std::filesystem::resize_file(path, 3);
  int lines = 0;
  while (!stream->Eof() && lines < 100) {
    stream->ReadLine();
    lines++;
  }
  EXPECT_TRUE(stream->Eof());
  EXPECT_LT(lines, 100);
}

}  // namespace
