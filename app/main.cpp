// pLiMo lite: start-up, the frame loop until the player leaves, shutdown.
#include "app/main_loop.h"

int main() {
  if (!StartUp()) return 1;
  while (RunFrame()) {
  }
  Shutdown();
  return 0;
}
