// Paths fixed at start-up.
#pragma once

#include <string>

extern std::string UserDataFolder;
extern std::string UndoPath;
extern std::string ProfilePath;
extern std::string BestScoresPath;

// Builds every path from the platform's per-user data folder.
void BuildUserPaths();
