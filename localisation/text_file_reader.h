// Reading the game's text files as lines of characters. The encoding comes
// from the file's byte-order mark; whatever the file's encoding, lines are
// handed out as UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct Stream;

enum TextEncoding {
  ENCODING_LATIN1 = 1,     // one byte, one character 0..255
  ENCODING_UTF8 = 2,
  ENCODING_UTF16_BE = 3,
  ENCODING_UTF16_LE = 4,
};

// An open text file. A file with a byte-order mark yields U+FEFF as the
// first character of its first line (the mark is not removed).
class TextStream {
 public:
  TextStream(Stream* file, int encoding);
  ~TextStream();
  TextStream(const TextStream&) = delete;
  TextStream& operator=(const TextStream&) = delete;

  // True when every character was read.
  bool Eof();
  // The characters up to a line feed, a character 0 or the end, without the
  // terminator and without carriage returns. A line longer than
  // MAX_LINE_BYTES is cut there; the rest of it is skipped.
  std::string ReadLine();
  void Close();

  static constexpr size_t MAX_LINE_BYTES = 16 * 1024;

 private:
  int NextByte();
  // The next character, -1 at the end. Malformed input gives U+FFFD.
  int32_t NextCharacter();
  int32_t NextUtf8Character();
  int32_t NextUtf16Character();
  int NextUtf16Unit();

  Stream* File;
  int Encoding;
  int PendingByte = -1;  // a byte read ahead and given back
  int PendingUnit = -1;  // a UTF-16 unit read ahead and given back
  bool Ended = false;    // a read found no more bytes
};

class TextFileReader {
 public:
  // The game's text files (the profile, the language files) are a few
  // kilobytes; a file larger than this is not one and is not read at all.
  static constexpr int64_t MAX_FILE_BYTES = 64 * 1024;
  // Opens `url`; nullptr when it cannot be opened or is larger than
  // MAX_FILE_BYTES (measured on the opened file, before any byte is read).
  // With `detect` not 0 the encoding comes from EncodingDetector, otherwise
  // `encoding` is used (an unknown code reads as Latin-1).
  static std::unique_ptr<TextStream> CreateStream(const std::string& url, int detect, int encoding);
  // The encoding of a file from its first bytes: FE FF UTF-16 big-endian,
  // FF FE UTF-16 little-endian, EF BB BF UTF-8, anything else Latin-1.
  static int EncodingDetector(const std::string& url);
};
