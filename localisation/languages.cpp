#include "localisation/languages.h"

// Placeholder until the language files are read: every key is missing.
std::string GetText(const std::string& key) { return "@" + key; }
int LoadLanguage(const std::string&) { return 0; }
void ScanLanguages() {}
void T_LANG::InitFlagsSelection() {}
void T_LANG::DoFlagsSelection() {}
void T_LANG::DrawFlagsSelection() {}
