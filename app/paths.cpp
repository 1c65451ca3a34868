#include "app/paths.h"

#include "media/media.h"

std::string UserDataFolder;
std::string UndoPath;
std::string ProfilePath;
std::string BestScoresPath;

void BuildUserPaths() {
  // With no per-user folder the data folder stays "": it cannot be created,
  // and start-up stops with its message rather than write somewhere shared.
  const std::string base = UserAppDataFolder();
  UserDataFolder = base.empty() ? "" : base + "/pLiMo";
  UndoPath = UserDataFolder + "/pLiMo_Undo.bin";
  ProfilePath = UserDataFolder + "/pLiMo_User_Profile.txt";
  BestScoresPath = UserDataFolder + "/pLiMo_Best_Scores.bin";
}
