// The style screen: the player gives each of the six colours one of the
// tile styles by moving a style's block into that colour's cell of row 4.
#include <algorithm>

#include "app/assets.h"
#include "app/display.h"
#include "app/paths.h"
#include "board/block.h"
#include "board/tile_styles.h"
#include "levels/level_bank.h"
#include "localisation/languages.h"
#include "menus/menu_tables.h"
#include "menus/ribbon.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "menus/text_box.h"
#include "persistence/profile.h"

namespace {

constexpr int STYLE_ROW = 4;
constexpr int FIRST_STYLE_COLUMN = 2;  // colour 0; colour j stands at column 2 + j
constexpr int FIRST_STYLE_KIND = 6;    // kinds from 6 show style kind - 6

const int TURN_DX[4] = {1, 0, -1, 0};  // right, down, left, up: clockwise
const int TURN_DY[4] = {0, 1, 0, -1};

bool FreeCell(int x, int y) { return x >= 0 && x < 10 && y >= 0 && y < 8 && BlockAt(x, y) == nullptr; }

// The colour that uses the style, the lowest one when several do; -1 for none.
int ColourUsing(int style) {
  for (int j = 0; j < COLOUR_SLOTS; ++j) {
    if (ColourStyles[j] == style) return j;
  }
  return -1;
}

}  // namespace

void BuildStyleScreen() {
  ScreenState = SCREEN_STYLE;
  ClearBoard();
  BoardLevel = -1;
  int x = 0, y = 0, d = 0;
  bool ringFull = false;
  for (int style = 0; style < STYLE_COUNT; ++style) {
    const int colour = ColourUsing(style);
    if (colour >= 0) {
      T_BLOCK::addBlock(FIRST_STYLE_COLUMN + colour, STYLE_ROW, style + FIRST_STYLE_KIND);
      continue;
    }
    if (ringFull) continue;
    T_BLOCK::addBlock(x, y, style + FIRST_STYLE_KIND);
    // Walk on clockwise, turning wherever the way is off the board or taken.
    // The walk spirals inwards; with every way taken there is no room left.
    int turns = 0;
    while (!FreeCell(x + TURN_DX[d], y + TURN_DY[d]) && turns < 4) {
      d = (d + 1) % 4;
      ++turns;
    }
    if (turns == 4) {
      ringFull = true;
    } else {
      x += TURN_DX[d];
      y += TURN_DY[d];
    }
  }
  T_BLOCK::ShapeAllBlocks();
  LoadSideBarIcons(ICON_SET_SUB_SCREEN);
  ReturnState = SCREEN_OPTIONS_MENU;
}

void StyleApplyStep() {
  bool changed = false;
  for (const auto& block : Blocks) {
    const int colour = block->XMap - FIRST_STYLE_COLUMN;
    if (block->YMap != STYLE_ROW || colour < 0 || colour >= COLOUR_SLOTS) continue;
    const int style = block->Kind - FIRST_STYLE_KIND;
    if (style < 0 || ColourStyles[colour] == style) continue;
    ColourStyles[colour] = style;
    PlayEffect(ClickSound);
    changed = true;
  }
  if (!changed) return;
  T_BLOCK::ShapeAllBlocks();
  SaveProfile(ProfilePath);
}

void DrawStyleScreenGuide() {
  const int cell = BlockSize;
  const float grow = static_cast<float>(std::max(3, cell / 12));
  const float radius = static_cast<float>(cell) / 5 + grow;
  SetBlendMode(BLEND_ALPHA);
  SetDrawScale(1, 1);
  for (int j = 0; j < COLOUR_SLOTS; ++j) {
    // A golden rim round a dark well: framed while a style stands on it,
    // plainly an empty place when none does.
    const float x = static_cast<float>((FIRST_STYLE_COLUMN + j) * cell), y = static_cast<float>(STYLE_ROW * cell);
    SetDrawColour(BUTTON_RED, BUTTON_GREEN, BUTTON_BLUE);
    SetDrawAlpha(0.9f);
    FillRoundedRect(x - grow, y - grow, static_cast<float>(cell) + 2 * grow, static_cast<float>(cell) + 2 * grow, radius);
    SetDrawColour(PANEL_RED, PANEL_GREEN, PANEL_BLUE);
    SetDrawAlpha(0.35f);
    FillRoundedRect(x - grow / 3, y - grow / 3, static_cast<float>(cell) + grow * 2 / 3,
                    static_cast<float>(cell) + grow * 2 / 3, radius - grow * 2 / 3);
  }
  SetDrawAlpha(1);
  // One line between the ribbon's tails and the wells.
  const int top = RibbonCentreY() + cell * 2 / 3;
  const int oneLine = TextFontPixels() + ScreenHeight / 100 + 2 * PanelPadding();
  DrawTextBox(cell + cell / 4, top, (BOARD_COLUMNS - 1) * cell - cell / 4, oneLine,
              GetTextOr("Style Help", "Move a style onto a marked cell to use it for that colour"));
}
