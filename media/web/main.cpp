// The browser's entry: the player's files are loaded from the page's
// storage (IndexedDB) into the data folder, then the game starts and runs
// one frame per animation frame of the browser. Every file the game writes
// there is stored back at the end of the frame that wrote it.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <string>

#include "app/main_loop.h"
#include "media/media.h"
#include "media/web/page.h"

namespace web_audio {
void Pump();
}

namespace {

// The profile is written at the end of a desktop run; a page may be closed
// or reloaded at any moment, so it is saved every few seconds of play and
// when the page is hidden.
constexpr double SAVE_EVERY_MS = 2000;
double lastSave = 0;

void Store() {
  EM_ASM({
    if (Module.plimoStoreFiles) Module.plimoStoreFiles();
  });
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
  if (e->hidden) {
    SaveProgress();
    Store();
  }
  return EM_FALSE;
}

void Frame() {
  const double start = emscripten_get_now();
  web_audio::Pump();
  const bool goOn = RunFrame();
  const double spent = emscripten_get_now() - start;
  if (goOn && start - lastSave >= SAVE_EVERY_MS) {
    SaveProgress();
    lastSave = start;
  }
  EM_ASM(
      {
        Module.plimoFrames = (Module.plimoFrames || 0) + 1;
        var times = Module.plimoFrameTimes || (Module.plimoFrameTimes = []);
        times.push($0);
        if (times.length > 1000) times.shift();
        if (Module.plimoStoreFiles) Module.plimoStoreFiles();
      },
      spent);
  if (goOn) return;
  Shutdown();
  emscripten_cancel_main_loop();
  EM_ASM({
    if (Module.plimoStoreFiles) Module.plimoStoreFiles();
    Module.plimoEnded = true;
  });
  web_page::ShowNote("The game has ended. Reload the page to play again.");
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void plimo_start() {
  if (!StartUp()) {
    EM_ASM({ Module.plimoFailed = true; });
    return;
  }
  EM_ASM({ Module.plimoStarted = performance.now(); });
  lastSave = emscripten_get_now();
  emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibility);
  emscripten_set_main_loop(Frame, 0, false);
}

int main() {
  // The per-user data folder, which holds the game's own, is filled from
  // the page's storage first (media/web/storage.js).
  const std::string folder = UserAppDataFolder();
  EM_ASM({ Module.plimoMountStorage(UTF8ToString($0), function() { Module.ccall('plimo_start', null, [], []); }); },
         folder.c_str());
  return 0;
}
