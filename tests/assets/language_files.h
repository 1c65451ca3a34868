// Reading the shipped language files the way their format is written: a
// byte-order mark, CRLF lines, and entries "Key" = "Text".
#pragma once

#include <string>
#include <utility>
#include <vector>

struct LanguageFile {
  bool Ok = false;
  std::string Error;  // the first line that breaks the format, when not Ok
  std::vector<std::pair<std::string, std::string>> Entries;  // in file order
};

// Checks the encoding and the line syntax and collects the entries.
LanguageFile ReadLanguageFile(const std::string& bytes);
// The text of the first entry with that key (exact letter case); "" if none.
std::string TextOf(const LanguageFile& file, const std::string& key);
