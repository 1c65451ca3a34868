// Makes the screenshot of the software centre listing
// (dist/screenshots/plimo-play.png): the real game, run headless from a
// fresh user folder with an English profile and a 1024 x 768 window, starts
// the first level with Enter, takes hold of a shape with the keyboard and
// saves the frame it drew. Built and run by the `screenshot` target only.
//
// Given a folder, a resolution and a language instead, it visits every
// screen and saves each frame as FOLDER/<screen>.png, for looking the
// presentation over:
//   plimo_screenshot FOLDER WIDTH HEIGHT BLOCK_SIZE [LANGUAGE_CODE]
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/main_loop.h"
#include "board/block.h"
#include "effects/effects.h"
#include "levels/level_lifecycle.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
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

struct Profile {
  int Width = 1024, Height = 768, Block = 96;
  std::string Language = "EN";
};

void WriteProfile(const fs::path& folder, const Profile& p) {
  fs::create_directories(folder);
  std::ofstream profile(folder / "pLiMo_User_Profile.txt", std::ios::binary);
  profile << "\"Version\" = \"L1.3.4\"\r\n"
          << "\"Language\" = \"" << (folder / ("pLiMo_text_" + p.Language + ".txt")).string() << "\"\r\n"
          << "\"Music Flag\" = 0\r\n\"Screen Mode\" = 0\r\n"
          << "\"Resolution X\" = " << p.Width << "\r\n\"Resolution Y\" = " << p.Height << "\r\n\"Block Size\" = "
          << p.Block << "\r\n\"Display Quality\" = 2\r\n";
}

bool Save(const fs::path& folder, const char* name) {
  const std::string path = (folder / (std::string(name) + ".png")).string();
  const bool ok = media_test::SaveBackBufferPNG(path);
  std::fprintf(stderr, "%s %s\n", ok ? "saved" : "FAILED", path.c_str());
  return ok;
}

bool Visit(const fs::path& out, int screen, int frames, const char* name) {
  SetScreen(screen);
  return Frames(frames) && Save(out, name);
}

// A block of the colour with the most pieces; none on an empty board.
const T_BLOCK* BlockOfTheLargestColour() {
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
  return target;
}

// The largest colour explodes as a completed one does: its flash and pop,
// then its ring and shards, then the fragments shrinking away.
bool Explode(const fs::path& out) {
  const T_BLOCK* target = BlockOfTheLargestColour();
  if (target == nullptr) return false;
  T_BLOCK::SelectAllSameColor(target->Kind);
  T_FX::ExplodeSelectedBlocks(300, 0, -1);
  BurstSelectedBlocks(300);
  T_BLOCK::SetSelectedBlocksTimer(300);
  return Frames(8) && Save(out, "explosion_flash") && Frames(14) && Save(out, "explosion_burst") && Frames(10) &&
         Save(out, "explosion_late");
}

// Every screen, from the main menu on; the level is won by emptying its
// board.
bool VisitEveryScreen(const fs::path& out) {
  bool ok = Frames(10) && Save(out, "main_menu");
  ok = ok && Visit(out, SCREEN_OPTIONS_MENU, 40, "options");
  ok = ok && Visit(out, SCREEN_DISPLAY_MENU, 40, "display");
  ok = ok && Visit(out, SCREEN_STYLE, 40, "style");
  ok = ok && Visit(out, SCREEN_CREDITS, 40, "credits");
  ok = ok && Visit(out, SCREEN_LANGUAGE, 60, "language");
  ok = ok && Visit(out, SCREEN_TUTORIAL, 300, "tutorial");
  ok = ok && Visit(out, SCREEN_LEVEL_MAP, 40, "level_map");
  SetScreen(SCREEN_MAIN_MENU);
  ok = ok && Frames(5) && Press(KEY_ENTER) && Frames(20) && Save(out, "zoom");
  ok = ok && Frames(300) && Save(out, "play");
  ok = ok && Explode(out) && Frames(120);
  ClearBoard();
  ok = ok && Frames(12) && Save(out, "victory_confetti");
  ok = ok && Frames(28) && Save(out, "victory");
  return ok && Frames(200) && Save(out, "victory_later");
}

// Walks the keyboard cursor to the block of the largest colour and takes
// hold of its shape, so the picture shows a held shape.
bool HoldAShape() {
  const T_BLOCK* target = BlockOfTheLargestColour();
  if (target == nullptr) return false;
  while (KeyboardCursorX != target->XMap)
    if (!Press(KeyboardCursorX < target->XMap ? KEY_RIGHT : KEY_LEFT)) return false;
  while (KeyboardCursorY != target->YMap)
    if (!Press(KeyboardCursorY < target->YMap ? KEY_DOWN : KEY_UP)) return false;
  return Press(KEY_ENTER) && KeyboardMode == 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: %s OUTPUT.png | FOLDER WIDTH HEIGHT BLOCK_SIZE [LANGUAGE_CODE]\n", argv[0]);
    return 2;
  }
  const bool everyScreen = argc > 2;
  Profile profile;
  if (everyScreen) {
    profile.Width = atoi(argv[2]);
    profile.Height = atoi(argv[3]);
    profile.Block = atoi(argv[4]);
    if (argc == 6) profile.Language = argv[5];
    fs::create_directories(argv[1]);
  }
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  media_test::AllowHeadlessVideo(true);
  char pattern[] = "/tmp/plimo-screenshot-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  const fs::path home = pattern;
  WriteProfile(home / "pLiMo", profile);
  media_test::SetUserAppDataFolder(home.string());
  media_test::SetDesktopSize(1920, 1200);
  media_test::SetClock(Clock);
  media_test::RecordMessages(true);

  bool ok = StartUp();
  if (ok && everyScreen) {
    media_test::ResetInput();
    ok = VisitEveryScreen(argv[1]);
    Shutdown();
  } else if (ok) {
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
