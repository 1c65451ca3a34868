#include "app/command_line.h"

namespace {

const char* const USAGE =
    "Usage: plimo [--help | --version]\n"
    "Starts pLiMo lite, a tile puzzle for one player, in a window.\n"
    "\n"
    "  --help     show this help and end\n"
    "  --version  show the version and end\n"
    "\n"
    "The player's files are kept in $XDG_DATA_HOME/pLiMo (by default\n"
    "~/.local/share/pLiMo). The rules and controls are in plimo(6) and on the\n"
    "help page of the Options menu.\n";

}  // namespace

CommandLineOutcome ReadCommandLine(const std::vector<std::string>& arguments) {
  CommandLineOutcome outcome;
  if (arguments.empty()) return outcome;
  outcome.Play = false;
  if (arguments.size() == 1 && arguments[0] == "--help") {
    outcome.Out = USAGE;
  } else if (arguments.size() == 1 && arguments[0] == "--version") {
    outcome.Out = "pLiMo lite " PLIMO_VERSION "\nLicence: MIT\n";
  } else {
    const bool known = arguments[0] == "--help" || arguments[0] == "--version";
    outcome.Err = "plimo: unexpected argument: " + arguments[known ? 1 : 0] + "\n" + USAGE;
    outcome.ExitStatus = 2;
  }
  return outcome;
}
