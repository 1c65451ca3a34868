// The program's command line: none starts the game; --help and --version
// print and end; anything else is a usage error.
#pragma once

#include <string>
#include <vector>

struct CommandLineOutcome {
  bool Play = true;      // start the game
  int ExitStatus = 0;    // when not playing
  std::string Out, Err;  // what to print on stdout and stderr
};

CommandLineOutcome ReadCommandLine(const std::vector<std::string>& arguments);
