#include "tests/assets/asset_files.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "tests/support/test_support.h"

std::vector<std::string> ArchiveMemberNames() {
  std::vector<std::string> names;
  std::istringstream in(test_support::ReadSourceFile("cmake/archive_members.txt"));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) names.push_back(line);
  }
  return names;
}

std::string MemberFile(const std::string& name) { return test_support::ReadSourceFile(name); }

bool MemberFileExists(const std::string& name) { return test_support::SourceFileExists(name); }

std::vector<std::string> DataFolderEntries() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(test_support::SourceDir() + "/Data", error))
    names.push_back("Data/" + entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

const std::vector<ShippedLanguage>& ShippedLanguages() {
  static const std::vector<ShippedLanguage> languages = {
      {"FR", "Français", "French.png"},      {"EN", "English", "English.png"},
      {"NL", "Nederlands", "Dutch.png"},     {"PT", "Português", "Portuguese.png"},
      {"ES", "Español", "Espanol.png"},      {"PL", "Polski", "Polish.png"},
      {"DE", "Deutsch", "Deutsch.png"},      {"HU", "Magyar", "Hungarian.png"},
      {"IT", "Italiano", "Italiano.png"},    {"CN", "中文", "Chinese.png"},
      {"HE", "תירבע", "Hebrew.png"},         {"BG", "Български", "Bulgarian.png"},
      {"SV", "Svenska", "Swedish.png"},      {"ZA", "Afrikaans", "Suid-Afrika.png"},
      {"RO", "Română", "Romanian.png"},
  };
  return languages;
}

std::string LanguageFileName(const ShippedLanguage& language) {
  return std::string("Data/pLiMo_text_") + language.Code + ".txt";
}
