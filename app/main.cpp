// pLiMo lite: the command line, start-up, the frame loop until the player
// leaves, shutdown.
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/main_loop.h"

int main(int argc, char** argv) {
  const CommandLineOutcome command = ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!command.Play) {
    std::fputs(command.Out.c_str(), stdout);
    std::fputs(command.Err.c_str(), stderr);
    return command.ExitStatus;
  }
  if (!StartUp()) return 1;
  while (RunFrame()) {
  }
  Shutdown();
  return 0;
}
