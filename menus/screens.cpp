#include "menus/screens.h"

#include "menus/editor.h"

#include "app/display.h"
#include "app/frame_input.h"
#include "app/music.h"
#include "board/block.h"
#include "levels/level_map.h"
#include "levels/victory.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/menu_tables.h"
#include "menus/side_bar.h"
#include "menus/text_box.h"
#include "menus/tutorial.h"
#include "persistence/profile.h"
#include "play/play_input.h"

int ScreenState = SCREEN_MAIN_MENU;
int PreviousState = SCREEN_MAIN_MENU;
int ReturnState = SCREEN_MAIN_MENU;
bool QuitRequested = false;

namespace {

void BuildScreenModeMenu() {
  BuildMenu(SCREEN_MENU_TABLE);
  // Best fit takes the block size from the desktop: no size to choose.
  if (ScreenMode == 2) return;
  for (const MenuBlock& b : BLOCK_SIZE_ENTRIES) {
    if (BlockAt(b.X, b.Y) != nullptr) continue;
    T_BLOCK::addBlock(b.X, b.Y, b.Kind)->SetMenu(b.Text, b.Menu);
  }
  T_BLOCK::ShapeAllBlocks();
}

void ChangeScreenMode(int mode) {
  ScreenMode = mode;
  SetupDisplay();
  SetScreen(SCREEN_MODE_MENU);
}

void StepBlocks(int direction) {
  if (StepBlockSize(direction)) SetupDisplay();
  SetScreen(SCREEN_MODE_MENU);
}

void OpenFlagScreen(const int* icons, int returnState) {
  ScanLanguages();
  T_LANG::InitFlagsSelection();
  LoadSideBarIcons(icons);
  ReturnState = returnState;
}

}  // namespace

void SetScreen(int id) {
  PreviousState = ScreenState;
  ScreenState = id;
  // A choice made on the screen left behind ends with it: its action must
  // not fire later on this one, nor its board slide away.
  ReleaseGrab();
  KeyboardMode = 0;
  StopTutorial();
  PendingAction = 0;
  ExitScrollOn = false;
  ExitScrollOffset = 0;
  CancelLevelZoom();

  // The click or key that chose this screen must do nothing on it.
  ClearButtons();
  ClearKeyboard();
  Frame.LeftHit = 0;
  Frame.LeftDown = false;

  switch (id) {
    case SCREEN_MAIN_MENU:
      BuildMenu(MAIN_MENU_TABLE);
      SelectMusicTrack(1);
      break;
    case SCREEN_OPTIONS_MENU: BuildMenu(OPTIONS_MENU_TABLE); break;
    case SCREEN_LEVEL_MAP:
    case REQ_LEVEL_MAP:
      ReturnState = SCREEN_MAIN_MENU;
      EnterLevelMap();
      break;
    case SCREEN_STYLE: BuildStyleScreen(); break;
    case SCREEN_CREDITS:
      // The board stays as it was; this screen neither draws nor plays it.
      CreditsText = GetText("Credits Text");
      LoadSideBarIcons(ICON_SET_SUB_SCREEN);
      ReturnState = SCREEN_OPTIONS_MENU;
      break;
    case SCREEN_DISPLAY_MENU: BuildMenu(DISPLAY_MENU_TABLE); break;
    case REQ_WINDOWED: ChangeScreenMode(0); break;
    case REQ_CENTRED: ChangeScreenMode(1); break;
    case REQ_BEST_FIT: ChangeScreenMode(2); break;
    case SCREEN_MODE_MENU: BuildScreenModeMenu(); break;
    case SCREEN_QUALITY_MENU: BuildMenu(QUALITY_MENU_TABLE); break;
    case REQ_QUALITY_LOW:
      SetDisplayQuality(1);
      SetScreen(SCREEN_QUALITY_MENU);
      break;
    case REQ_QUALITY_HIGH:
      SetDisplayQuality(2);
      SetScreen(SCREEN_QUALITY_MENU);
      break;
    case SCREEN_VICTORY:
      RestartReplay();
      LoadSideBarIcons(ICON_SET_VICTORY);
      break;
    case SCREEN_LANGUAGE_FIRST: OpenFlagScreen(ICON_SET_LANGUAGE_FIRST, SCREEN_MAIN_MENU); break;
    case SCREEN_TUTORIAL: {
      const int cameFrom = PreviousState;
      BuildMenu(TUTORIAL_TABLE);
      StartTutorial();
      ReturnState = cameFrom;
      break;
    }
    case SCREEN_LANGUAGE: OpenFlagScreen(ICON_SET_SUB_SCREEN, SCREEN_OPTIONS_MENU); break;
    case SCREEN_EDITOR: EnterEditor(); break;
    case REQ_SMALLER_BLOCKS: StepBlocks(-1); break;
    case REQ_LARGER_BLOCKS: StepBlocks(+1); break;
    case REQ_QUIT:
      // The frame loop ends and the shutdown saves the profile.
      QuitRequested = true;
      break;
    default: break;
  }
}
