#include "app/paths.h"

#include "media/media.h"

std::string UserDataFolder;
std::string UndoPath;
std::string ProfilePath;
std::string BestScoresPath;

void BuildUserPaths() {
  UserDataFolder = UserAppDataFolder() + "/pLiMo";
  UndoPath = UserDataFolder + "/pLiMo_Undo.bin";
  ProfilePath = UserDataFolder + "/pLiMo_User_Profile.txt";
  BestScoresPath = UserDataFolder + "/pLiMo_Best_Scores.bin";
}
