// Languages: the language files found in the user data folder, the texts of
// the chosen one, and the flag screens that choose it.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct Image;
struct KeyPress;

// The text of a key in the loaded language; "@" + the key in capitals when
// it has none.
std::string GetText(const std::string& key);
// GetText, or `english` when the loaded language has no text for the key
// (texts added after a player's own language file was written).
std::string GetTextOr(const std::string& key, const std::string& english);
// True when the loaded language is written right to left (its name holds a
// Hebrew or Arabic letter): rows of things side by side then run from the
// right.
bool LanguageReadsRightToLeft();
// Loads a language file into the text list; 1 on success, 0 when the file
// cannot be opened or holds no entry at all (the previous texts then stay).
int LoadLanguage(const std::string& path);
// Rebuilds the language list from the user data folder, sorted by file name.
void ScanLanguages();
// Rebuilds the language list from `folder` (ScanLanguages on the user data
// folder).
void ScanLanguagesIn(const std::string& folder);
// Empties the language list (freeing the flag pictures) and the text list.
void ClearLanguages();

// One discovered language and its place on the flag screen.
class T_LANG {
 public:
  std::string code;  // for example "FR"
  std::string name;  // the language's own name
  std::string file;  // full path of its language file
  Image* bitmap = nullptr;  // the flag; none when it could not be loaded
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // flag rectangle, bounds included

  // Creates a language, loads its flag picture and appends it to the list.
  static void AddLanguage(const std::string& file, const std::string& code, const std::string& name,
                          const std::string& flagPath);
  // Lays the flags out in centred rows, for the game screen in use.
  static void InitFlagsSelection();
  // Hover and click on the flags, every frame of the flag screens.
  static void DoFlagsSelection();
  // One key press on the flag screens: the arrows move the choice from flag
  // to flag, Enter or Space takes it.
  static void FlagsKey(const KeyPress& press);
  // Draws every flag.
  static void DrawFlagsSelection();
  // Draws this flag and, when it is hovered, the language's name.
  void Draw() const;
};

// One entry of the loaded language.
class T_LTEXT {
 public:
  // What one text may hold: far more than a screen can show. A longer text
  // is cut at a character boundary.
  static constexpr size_t MAX_TEXT_BYTES = 4096;

  std::string Key;  // in capitals
  std::string Text;

  static void AddText(const std::string& key, const std::string& text);
  static std::string GetText(const std::string& key);
};

extern std::vector<std::unique_ptr<T_LANG>> Languages;  // in file-name order
extern int LanguageCount;
extern T_LANG* HoveredLanguage;  // none: nullptr
extern std::vector<T_LTEXT> Texts;  // in file order
