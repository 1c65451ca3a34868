// Makes the screenshot of the software centre listing
// (dist/screenshots/plimo-play.png): the real game, run headless from a
// fresh user folder with an English profile and a 1024 x 768 window, starts
// the first level with Enter, takes hold of a shape with the keyboard and
// saves the frame it drew. Built and run by the `screenshot` target only.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/main_loop.h"
#include "board/block.h"
#include "media/media.h"
#include "media/media_test.h"
#include "play/play_input.h"

namespace fs = std::filesystem;

namespace {

int Clock = 100000;

bool Frames(int count) {
  for (int i = 0; i < count; i++) {
    Clock += 16;
    media_test::SetClock(Clock);
    if (!RunFrame()) return false;
  }
  return true;
}

bool Press(int key) {
  media_test::InjectKeyDown(key);
  media_test::InjectKeyUp(key);
  return Frames(1);
}

void WriteProfile(const fs::path& folder) {
  fs::create_directories(folder);
  std::ofstream profile(folder / "pLiMo_User_Profile.txt", std::ios::binary);
  profile << "\"Version\" = \"L1.3.4\"\r\n"
          << "\"Language\" = \"" << (folder / "pLiMo_text_EN.txt").string() << "\"\r\n"
          << "\"Music Flag\" = 0\r\n\"Screen Mode\" = 0\r\n"
          << "\"Resolution X\" = 1024\r\n\"Resolution Y\" = 768\r\n\"Block Size\" = 96\r\n"
          << "\"Display Quality\" = 2\r\n";
}

// Walks the keyboard cursor to the block of the largest colour and takes
// hold of its shape, so the picture shows a held shape.
bool HoldAShape() {
  const T_BLOCK* target = nullptr;
  int best = 0;
  for (const auto& block : Blocks) {
    int same = 0;
    for (const auto& other : Blocks) same += other->Kind == block->Kind;
    if (same > best) {
      best = same;
      target = block.get();
    }
  }
  if (target == nullptr) return false;
  while (KeyboardCursorX != target->XMap)
    if (!Press(KeyboardCursorX < target->XMap ? KEY_RIGHT : KEY_LEFT)) return false;
  while (KeyboardCursorY != target->YMap)
    if (!Press(KeyboardCursorY < target->YMap ? KEY_DOWN : KEY_UP)) return false;
  return Press(KEY_ENTER) && KeyboardMode == 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  media_test::AllowHeadlessVideo(true);
  char pattern[] = "/tmp/plimo-screenshot-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  const fs::path home = pattern;
  WriteProfile(home / "pLiMo");
  media_test::SetUserAppDataFolder(home.string());
  media_test::SetDesktopSize(1920, 1080);
  media_test::SetClock(Clock);
  media_test::RecordMessages(true);

  bool ok = StartUp();
  if (ok) {
    media_test::ResetInput();
    // Enter starts the first level and shows the keyboard cursor; the
    // level's banner fades within a few seconds.
    ok = Frames(10) && Press(KEY_ENTER) && Frames(300);
    if (ok && KeyboardMode == 0) ok = Press(KEY_ENTER);
    ok = ok && HoldAShape() && Frames(20);
    ok = ok && media_test::SaveBackBufferPNG(argv[1]);
    Shutdown();
  }
  fs::remove_all(home);
  for (const std::string& message : media_test::RecordedMessages()) std::fprintf(stderr, "message: %s\n", message.c_str());
  if (!ok) std::fprintf(stderr, "no screenshot made\n");
  return ok ? 0 : 1;
}
