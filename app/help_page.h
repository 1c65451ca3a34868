// The help page the web-site row opens: controls, rules and where the
// player's files live. The game has no web site; the page is a local file.
#pragma once

#include <string>

// Name of the copy written into the user data folder.
inline constexpr const char* HELP_PAGE_FILE = "pLiMo_help.html";

// A file:// address of the help page: the page installed with the game
// (found from the program's own place), or else, when the game runs from its
// build folder, the copy built into the program, written atomically into the
// user data folder. "" when neither can be had (a message says why).
std::string HelpPageAddress();

// "file://" and the absolute path, with every byte but letters, digits and
// -._~/ percent-encoded.
std::string FileAddress(const std::string& path);
