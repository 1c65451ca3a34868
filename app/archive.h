// The embedded archive and the copies of its language files in the user
// data folder.
#pragma once

#include <string>

// Registers every member packed into the program, in archive order.
void RegisterArchive();
// Copies "Data/" + name to the user data folder when the copy is missing or
// older than the program file. False when there is no such member or the
// copy cannot be written (after telling the player).
bool ExtractEmbeddedFile(const std::string& name);
