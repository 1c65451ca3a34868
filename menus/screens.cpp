#include "menus/screens.h"

#include "app/frame_input.h"
#include "app/main_loop.h"
#include "app/music.h"
#include "board/block.h"
#include "levels/level_map.h"
#include "levels/victory.h"
#include "media/media.h"
#include "menus/side_bar.h"
#include "play/play_input.h"

int ScreenState = SCREEN_MAIN_MENU;
int PreviousState = SCREEN_MAIN_MENU;
int ReturnState = SCREEN_MAIN_MENU;
bool QuitRequested = false;

void SetScreen(int id) {
  PreviousState = ScreenState;
  ScreenState = id;
  KeyboardMode = 0;
  CancelLevelZoom();

  // The click or key that chose this screen must do nothing on it.
  ClearButtons();
  ClearKeyboard();
  Frame.LeftHit = 0;
  Frame.LeftDown = false;

  switch (id) {
    case SCREEN_MAIN_MENU:
      // The main menu's entries are built on the board; until then it
      // shows an empty board under the menu background.
      ReleaseGrab();
      ClearBoard();
      SelectMusicTrack(1);
      ReturnState = SCREEN_MAIN_MENU;
      break;
    case SCREEN_LEVEL_MAP:
    case REQ_LEVEL_MAP:
      EnterLevelMap();
      break;
    case SCREEN_VICTORY:
      RestartReplay();
      LoadSideBarIcons(ICON_SET_VICTORY);
      break;
    case REQ_QUIT:
      QuitRequested = true;
      break;
    default:
      break;
  }
}
