// Access to the asset files of the repository for the asset tests.
#pragma once

#include <string>
#include <vector>

// The archive member names of cmake/archive_members.txt, in order.
std::vector<std::string> ArchiveMemberNames();
// The bytes of a member read from the repository ("Data/..." path); "" when
// it cannot be read.
std::string MemberFile(const std::string& name);
bool MemberFileExists(const std::string& name);
// Names ("Data/" + file name) of every entry of the Data folder, sorted.
std::vector<std::string> DataFolderEntries();

// The fifteen shipped languages, in archive order.
struct ShippedLanguage {
  const char* Code;
  const char* Name;  // as stored
  const char* Flag;
};
const std::vector<ShippedLanguage>& ShippedLanguages();
std::string LanguageFileName(const ShippedLanguage& language);  // "Data/pLiMo_text_XX.txt"
