// Languages: the language files found in the user data folder, the texts of
// the chosen one, and the flag screens that choose it.
#pragma once

#include <string>

// The text of a key in the loaded language; "@" + key when it has none.
std::string GetText(const std::string& key);
// Loads a language file into the text list; 1 on success, 0 when the file
// cannot be opened.
int LoadLanguage(const std::string& path);
// Rebuilds the language list from the user data folder.
void ScanLanguages();

class T_LANG {
 public:
  static void InitFlagsSelection();
  static void DoFlagsSelection();
  static void DrawFlagsSelection();
};
