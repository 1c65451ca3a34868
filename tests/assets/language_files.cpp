#include "tests/assets/language_files.h"

#include "tests/assets/formats.h"

namespace {

bool IsBlank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

// A comment runs from "{" to the end of the line; blanks may precede it.
bool IsBlankOrComment(const std::string& rest) {
  const size_t at = rest.find_first_not_of(" \t");
  return at == std::string::npos || rest[at] == '{';
}

// "Key" = "Text", optionally followed by blanks and a comment.
bool ParseEntry(const std::string& line, std::string& key, std::string& text) {
  if (line.empty() || line[0] != '"') return false;
  const size_t keyEnd = line.find('"', 1);
  if (keyEnd == std::string::npos || keyEnd == 1) return false;
  key = line.substr(1, keyEnd - 1);
  const std::string separator = "\" = \"";
  if (line.compare(keyEnd, separator.size(), separator) != 0) return false;
  const size_t textStart = keyEnd + separator.size();
  const size_t textEnd = line.find('"', textStart);
  if (textEnd == std::string::npos || textEnd == textStart) return false;
  text = line.substr(textStart, textEnd - textStart);
  if (text.find('{') != std::string::npos) return false;  // would cut the text as a comment
  return IsBlankOrComment(line.substr(textEnd + 1));
}

}  // namespace

LanguageFile ReadLanguageFile(const std::string& bytes) {
  LanguageFile file;
  const std::string mark = "\xEF\xBB\xBF";
  if (bytes.compare(0, mark.size(), mark) != 0) {
    file.Error = "no UTF-8 byte-order mark";
    return file;
  }
  std::vector<uint32_t> characters;
  if (!DecodeUtf8(bytes.substr(mark.size()), characters)) {
    file.Error = "not valid UTF-8";
    return file;
  }
  for (size_t i = 0; i < bytes.size(); i++) {
    const bool cr = bytes[i] == '\r', lf = bytes[i] == '\n';
    if ((cr && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) || (lf && (i == 0 || bytes[i - 1] != '\r'))) {
      file.Error = "a line does not end in CR LF";
      return file;
    }
  }
  if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) {
    file.Error = "the last line has no line end";
    return file;
  }
  size_t start = mark.size();
  bool first = true;
  while (start < bytes.size()) {
    const size_t end = bytes.find("\r\n", start);
    const std::string line = bytes.substr(start, end - start);
    start = end + 2;
    if (first) {
      first = false;
      // The reader keeps the mark in front of the first line, so no entry
      // may stand there.
      if (!IsBlankOrComment(line)) {
        file.Error = "the first line is neither blank nor a comment: " + line;
        return file;
      }
      continue;
    }
    if (IsBlank(line) || IsBlankOrComment(line)) continue;
    std::string key, text;
    if (!ParseEntry(line, key, text)) {
      file.Error = "malformed line: " + line;
      return file;
    }
    file.Entries.emplace_back(key, text);
  }
  file.Ok = true;
  return file;
}

std::string TextOf(const LanguageFile& file, const std::string& key) {
  for (const auto& [k, text] : file.Entries)
    if (k == key) return text;
  return "";
}
