#include "localisation/languages.h"

#include <algorithm>

#include "app/display.h"
#include "app/paths.h"
#include "localisation/string_parser.h"
#include "localisation/text_file_reader.h"
#include "localisation/utf8.h"
#include "media/media.h"

std::vector<std::unique_ptr<T_LANG>> Languages;
int LanguageCount = 0;
T_LANG* HoveredLanguage = nullptr;
std::vector<T_LTEXT> Texts;

namespace {

// Whether the line begins with a quoted string that is closed on the line.
bool StartsWithClosedQuote(const T_STRING_PARSER& parser) {
  const std::string& line = parser.CurrentLine;
  return line.size() >= 2 && line[0] == '"' && line.find('"', 1) != std::string::npos;
}

// A key, "=" and a closed quoted text; false for anything else. A text cut
// by a "{" or by the end of the file lacks its closing quote and is not an
// entry, so that the key shows as missing instead of empty.
bool ReadEntry(const std::string& line, std::string& key, std::string& text) {
  T_STRING_PARSER parser = T_STRING_PARSER::InitString(line);
  parser.StripComments();
  if (parser.IsEmpty()) return false;
  key = parser.GetString();
  if (key.empty() || parser.GetCharacter() != "=" || !StartsWithClosedQuote(parser)) return false;
  text = parser.GetString();
  return true;
}

bool IsLanguageFileName(const std::string& name) {
  return ToCapitals(FileExtension(name)) == "TXT" && name.find("pLiMo_text_") != std::string::npos;
}

void FreeFlags() {
  for (auto& language : Languages) {
    if (language->bitmap) FreeImage(language->bitmap);
  }
  Languages.clear();
  HoveredLanguage = nullptr;
}

// Reads what a language file says about itself and offers it when the font
// can show its name and its flag file exists.
void DiscoverLanguage(const std::string& folder, const std::string& path) {
  auto stream = TextFileReader::CreateStream(path, 1, 0);
  if (!stream) {
    ShowMessage("Error opening file: " + path);
    return;
  }
  std::string code, name, flagPath;
  while (!stream->Eof()) {
    std::string key, text;
    if (!ReadEntry(stream->ReadLine(), key, text)) continue;
    key = ToCapitals(key);
    if (key == "LCODE") code = text;
    else if (key == "LLANGUAGE") name = text;
    else if (key == "LFLAGFILE") flagPath = text.empty() ? std::string() : folder + "/" + text;
  }
  stream->Close();
  if (code.empty() || !FontHasGlyphs(name) || flagPath.empty() || FileLength(flagPath) == -1) return;
  T_LANG::AddLanguage(path, code, name, flagPath);
  LanguageCount++;
}

}  // namespace

void T_LANG::AddLanguage(const std::string& file, const std::string& code, const std::string& name,
                         const std::string& flagPath) {
  auto language = std::make_unique<T_LANG>();
  language->file = file;
  language->code = code;
  language->name = name;
  // Flags are drawn about 100 x 75: a bigger picture is kept at most four
  // times that, decoded while the flag screen already runs.
  language->bitmap = LoadSpriteWithin(flagPath, 400, 300);
  if (!language->bitmap) ShowMessage("error loading flag bitmap: " + flagPath);
  Languages.push_back(std::move(language));
}

void ScanLanguages() { ScanLanguagesIn(UserDataFolder); }

void ScanLanguagesIn(const std::string& folder) {
  LanguageCount = 0;
  FreeFlags();
  FolderListing* listing = OpenFolderListing(folder);
  if (!listing) {
    ShowMessage("failed to read Data/ directory");
    return;
  }
  // The listing comes in the folder's own order; sorting keeps the flags in
  // place from one run to the next.
  std::vector<std::string> names;
  for (std::string entry = NextFolderEntry(listing); !entry.empty(); entry = NextFolderEntry(listing)) {
    if (entry != "." && entry != ".." && IsLanguageFileName(entry)) names.push_back(entry);
  }
  CloseFolderListing(listing);
  std::sort(names.begin(), names.end());

  SelectFont(LargeFont);  // the names are measured in the font of the flag screen
  for (const std::string& name : names) DiscoverLanguage(folder, folder + "/" + name);
  SelectFont(nullptr);
}

void ClearLanguages() {
  FreeFlags();
  LanguageCount = 0;
  Texts.clear();
}

int LoadLanguage(const std::string& path) {
  auto stream = TextFileReader::CreateStream(path, 1, 0);
  if (!stream) return 0;
  std::vector<T_LTEXT> previous;
  previous.swap(Texts);
  while (!stream->Eof()) {
    std::string key, text;
    if (ReadEntry(stream->ReadLine(), key, text)) T_LTEXT::AddText(key, text);
  }
  stream->Close();
  // A file without a single entry (empty, or not a text file) is no
  // language: keep the texts in force.
  if (Texts.empty()) {
    Texts.swap(previous);
    return 0;
  }
  return 1;
}

void T_LTEXT::AddText(const std::string& key, const std::string& text) {
  if (key.empty()) return;
  std::string kept = text;
  if (kept.size() > MAX_TEXT_BYTES) {
    size_t end = MAX_TEXT_BYTES;
    while (end > 0 && (static_cast<unsigned char>(kept[end]) & 0xC0) == 0x80) end--;  // not inside a character
    kept.resize(end);
  }
  Texts.push_back(T_LTEXT{ToCapitals(key), kept});
}

std::string T_LTEXT::GetText(const std::string& key) {
  const std::string capitals = ToCapitals(key);
  for (const T_LTEXT& entry : Texts) {
    if (entry.Key == capitals) return entry.Text;
  }
  return "@" + capitals;
}

std::string GetText(const std::string& key) { return T_LTEXT::GetText(key); }

std::string GetTextOr(const std::string& key, const std::string& english) {
  const std::string text = GetText(key);
  return text.empty() || text[0] == '@' ? english : text;
}

bool LanguageReadsRightToLeft() {
  const std::string name = GetText("LLanguage");
  uint32_t c = 0;
  for (size_t at = 0; NextUtf8(name, at, c);) {
    if (c >= 0x0590 && c <= 0x08FF) return true;  // Hebrew, Arabic, Syriac, Thaana...
  }
  return false;
}
