#include "persistence/profile.h"

#include "app/settings.h"

void LoadProfile(const std::string&) {}
void SaveProfile(const std::string&) {}
void SetDisplayQuality(int quality) { DisplayQuality = quality; }
