// BuildMenu: reads a menu table front to back and places its blocks.
#include <string>

#include "board/block.h"
#include "levels/level_bank.h"
#include "localisation/languages.h"
#include "menus/menu_tables.h"
#include "menus/screens.h"
#include "menus/side_bar.h"

namespace {

// Reads a table's values in order. A table that ends early reads as zeros
// and empty texts, so a short table builds what it has and nothing more.
class MenuReader {
 public:
  explicit MenuReader(const MenuTable& table) : table_(table) {}
  bool AtEnd() const { return next_ >= table_.Count; }
  int Number() { return AtEnd() ? 0 : table_.Values[next_++].Number; }
  std::string Text() {
    if (AtEnd()) return std::string();
    const char* text = table_.Values[next_++].Text;
    return text ? text : "";
  }

 private:
  const MenuTable& table_;
  size_t next_ = 0;
};

// Adds a block unless its cell is off the board or taken: a block that the
// grids cannot hold could never be moved or chosen.
void AddMenuBlock(int x, int y, int kind, const std::string& text, int menu) {
  if (x < 0 || x >= 10 || y < 0 || y >= 8 || BlockAt(x, y) != nullptr) return;
  T_BLOCK::addBlock(x, y, kind)->SetMenu(text, menu);
}

constexpr int CAPTION_BAR_LENGTH = 4;
// Marks the caption bar's blocks after the first; never drawn.
const char* const CAPTION_CONTINUATION = "!";

}  // namespace

void BuildMenu(const MenuTable& table) {
  ClearBoard();
  // A menu board is no level: a win on it could never be recorded.
  BoardLevel = -1;
  MenuReader in(table);
  in.Text();  // the table's name
  const int entries = in.Number();
  for (int kind = 0; kind < entries && !in.AtEnd(); ++kind) {
    const int handleX = in.Number();
    const int handleY = in.Number();
    const int barX = in.Number();
    const int barY = in.Number();
    const std::string caption = GetText(in.Text());
    const int action = in.Number();
    AddMenuBlock(handleX, handleY, kind, std::string(), action);
    AddMenuBlock(barX, barY, kind, caption, action);
    for (int i = 1; i < CAPTION_BAR_LENGTH; ++i) AddMenuBlock(barX + i, barY, kind, CAPTION_CONTINUATION, action);
  }
  int extra = in.Number();
  while (extra > 0 && !in.AtEnd()) {
    const int x = in.Number();
    const int y = in.Number();
    const int length = in.Number();
    if (length <= 0) break;
    for (int k = 0; k < length && extra > 0; ++k, --extra) AddMenuBlock(x + k, y, in.Number(), std::string(), -1);
  }
  T_BLOCK::ShapeAllBlocks();
  ReturnState = in.Number();
  int icons[SIDE_BAR_SLOTS];
  for (int& icon : icons) icon = in.Number();
  LoadSideBarIcons(icons);
}
