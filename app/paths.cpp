#include "app/paths.h"

#include "localisation/languages.h"
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
  // A link planted in place of one of the game's files is never followed.
  SetPlayerFolder(UserDataFolder, [](const std::string& path) {
    ShowMessage(GetTextOr("Link Refused", "A link stands in place of a game file and is not followed:") + " " + path);
  });
}
