#include "localisation/text_file_reader.h"

#include "localisation/utf8.h"
#include "media/media.h"

TextStream::TextStream(Stream* file, int encoding) : File(file), Encoding(encoding) {
  if (Encoding < ENCODING_LATIN1 || Encoding > ENCODING_UTF16_LE) Encoding = ENCODING_LATIN1;
}

TextStream::~TextStream() { Close(); }

void TextStream::Close() {
  if (File) CloseFile(File);
  File = nullptr;
}

bool TextStream::Eof() {
  if (PendingByte >= 0 || PendingUnit >= 0) return false;
  if (!File || Ended || AtEnd(File)) return true;
  // UTF-16 with an odd byte count: the lone last byte is no character.
  if (Encoding == ENCODING_UTF16_BE || Encoding == ENCODING_UTF16_LE) {
    const int first = NextByte();
    if (AtEnd(File)) return true;
    PendingByte = first;
  }
  return false;
}

int TextStream::NextByte() {
  if (PendingByte >= 0) {
    const int b = PendingByte;
    PendingByte = -1;
    return b;
  }
  const int b = File ? ReadUInt8(File) : -1;
  // A read that fails before the expected end (a file cut short while it
  // is read) ends the stream too, so that a reading loop always stops.
  if (b < 0) Ended = true;
  return b;
}

int32_t TextStream::NextUtf8Character() {
  const int lead = NextByte();
  if (lead < 0) return -1;
  if (lead < 0x80) return lead;
  Utf8Lead form;
  if (!ReadUtf8Lead(static_cast<unsigned>(lead), form)) return REPLACEMENT_CHARACTER;
  uint32_t c = form.Bits;
  for (int i = 0; i < form.Extra; i++) {
    const int b = NextByte();
    if (b < 0) return REPLACEMENT_CHARACTER;
    if ((b & 0xC0) != 0x80) {
      PendingByte = b;  // it may start the next character
      return REPLACEMENT_CHARACTER;
    }
    c = (c << 6) | static_cast<uint32_t>(b & 0x3F);
  }
  return ValidUtf8Value(c, form.Minimum) ? static_cast<int32_t>(c) : REPLACEMENT_CHARACTER;
}

int TextStream::NextUtf16Unit() {
  if (PendingUnit >= 0) {
    const int unit = PendingUnit;
    PendingUnit = -1;
    return unit;
  }
  const int first = NextByte();
  if (first < 0) return -1;
  const int second = NextByte();
  if (second < 0) return -1;  // odd byte count: the lone last byte is dropped
  return Encoding == ENCODING_UTF16_BE ? (first << 8 | second) : (second << 8 | first);
}

int32_t TextStream::NextUtf16Character() {
  const int unit = NextUtf16Unit();
  if (unit < 0xD800 || unit > 0xDFFF) return unit;  // also -1 at the end
  if (unit >= 0xDC00) return REPLACEMENT_CHARACTER;  // a low half without its high half
  const int low = NextUtf16Unit();
  if (low >= 0xDC00 && low <= 0xDFFF) return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
  if (low >= 0) PendingUnit = low;
  return REPLACEMENT_CHARACTER;
}

int32_t TextStream::NextCharacter() {
  switch (Encoding) {
    case ENCODING_UTF8: return NextUtf8Character();
    case ENCODING_UTF16_BE:
    case ENCODING_UTF16_LE: return NextUtf16Character();
    default: return NextByte();
  }
}

std::string TextStream::ReadLine() {
  std::string line;
  for (;;) {
    const int32_t c = NextCharacter();
    if (c < 0 || c == 10 || c == 0) break;
    if (c == 13 || line.size() >= MAX_LINE_BYTES) continue;
    AppendUtf8(line, static_cast<uint32_t>(c));
  }
  return line;
}

std::unique_ptr<TextStream> TextFileReader::CreateStream(const std::string& url, int detect, int encoding) {
  if (detect != 0) encoding = EncodingDetector(url);
  Stream* file = OpenRead(url);
  if (!file) return nullptr;
  if (StreamLength(file) > MAX_FILE_BYTES) {
    CloseFile(file);
    return nullptr;
  }
  return std::make_unique<TextStream>(file, encoding);
}

int TextFileReader::EncodingDetector(const std::string& url) {
  Stream* file = OpenRead(url);
  if (!file) return ENCODING_LATIN1;
  int encoding = ENCODING_LATIN1;
  if (!AtEnd(file)) {
    const int first = ReadUInt8(file);
    if (!AtEnd(file)) {
      const int second = ReadUInt8(file);
      if (first == 0xFE && second == 0xFF) {
        encoding = ENCODING_UTF16_BE;
      } else if (first == 0xFF && second == 0xFE) {
        encoding = ENCODING_UTF16_LE;
      } else if (first == 0xEF && second == 0xBB && !AtEnd(file) && ReadUInt8(file) == 0xBF) {
        encoding = ENCODING_UTF8;
      }
    }
  }
  CloseFile(file);
  return encoding;
}
