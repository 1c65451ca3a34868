// The embedded archive and the copies of its language files in the user
// data folder.
#pragma once

#include <string>
#include <vector>

// Registers every member packed into the program, in archive order.
void RegisterArchive();

// The file in the user data folder that records, for each copy, a digest of
// the bytes the game last wrote into it.
inline constexpr const char* COPIES_RECORD_FILE = "pLiMo_Copies.txt";

// Brings the copies of the members "Data/" + name in the user data folder up
// to date, by content rather than by file dates (which packaged builds fix):
// a missing copy is written; a copy that still holds what the game last
// wrote into it is replaced when the program carries other bytes (an
// upgrade); a copy that holds anything else was edited by the player, or
// predates the record, and is kept. False when a member is missing or a copy
// cannot be written; the others are still done. Tells nothing itself: what
// went wrong is added to `messages` for the caller to show, so that the
// copies can be written off the main thread.
bool RefreshUserCopies(const std::vector<std::string>& names, std::vector<std::string>& messages);
