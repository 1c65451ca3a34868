// The user profile: a commented text file of settings and the level in
// progress.
#pragma once

#include <string>

void LoadProfile(const std::string& path);
void SaveProfile(const std::string& path);
void SetDisplayQuality(int quality);
