// Menu boards built from their tables, and how their entries are chosen.
#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "localisation/languages.h"
#include "menus/menu_tables.h"
#include "tests/play/board_fixture.h"

namespace {

class MenuBoard : public BoardFixture {
 protected:
  void SetUp() override {
    BoardFixture::SetUp();
    ScreenMode = 0;
    SetScreen(SCREEN_MAIN_MENU);
  }
  // Every caption-bar block (first or continuation) by cell.
  static std::vector<const T_BLOCK*> CaptionBlocks() {
    std::vector<const T_BLOCK*> blocks;
    for (const auto& b : Blocks)
      if (!b->Text.empty()) blocks.push_back(b.get());
    return blocks;
  }
  // A press and a release on one cell, `held` ms apart.
  static void Click(int x, int y, int64_t held) {
    PointerFrame(x, y, true, true);
    PointerFrame(x, y, false, false, held);
  }
};

// The reader takes each entry's six values in their order: handle, bar,
// caption key, action. The main menu as a picture, with its actions.
TEST_F(MenuBoard, TheMainMenuHasOneColourPerEntryWithItsCaptionAndAction) {
  EXPECT_EQ(BoardRows(), (std::vector<std::string>{"..........", "..........", "..........", "..1.1111..",
                                                   ".2.2222...", "..3.3333..", "...4.4444.", ".5.5555..."}));
  EXPECT_EQ(ReturnState, SCREEN_MAIN_MENU);
  const std::map<int, std::tuple<int, int, std::string>> firstBar = {
      {0, {4, 3, "Play"}}, {1, {3, 4, "Rules"}}, {2, {4, 5, "Options"}}, {3, {5, 6, "Quit"}}, {4, {3, 7, "Editor"}}};
  const int actions[] = {REQ_LEVEL_MAP, SCREEN_TUTORIAL, SCREEN_OPTIONS_MENU, REQ_QUIT, SCREEN_EDITOR};
  for (const auto& b : Blocks) {
    EXPECT_EQ(b->Menu, actions[b->Kind]) << "kind " << b->Kind;
    const auto& [x, y, key] = firstBar.at(b->Kind);
    if (b->XMap == x && b->YMap == y) {
      EXPECT_EQ(b->Text, GetText(key));
    } else if (b->YMap == y && b->XMap > x && b->XMap < x + 4) {
      EXPECT_EQ(b->Text, "!");
    } else {
      EXPECT_EQ(b->Text, "") << "the handle has no caption";
    }
  }
  // The caption bar's first block comes first in the list, so the chosen
  // caption is the localised text, not the continuation marker.
  StartMenuCaption(SCREEN_OPTIONS_MENU);
  EXPECT_EQ(Message.Text, GetText("Options"));
}

TEST_F(MenuBoard, TheTutorialBoardHoldsItsEighteenPlainBlocks) {
  ScreenState = SCREEN_OPTIONS_MENU;
  SetScreen(SCREEN_TUTORIAL);
  EXPECT_EQ(BoardRows(), (std::vector<std::string>{"..........", ".126.2126.", "..6..6221.", ".261..1...",
                                                   "..1..6....", "..........", "..........", ".........."}));
  for (const auto& b : Blocks) {
    EXPECT_EQ(b->Menu, -1);
    EXPECT_EQ(b->Text, "");
  }
  // The tutorial goes back where it was started from.
  EXPECT_EQ(ReturnState, SCREEN_OPTIONS_MENU);
}

TEST_F(MenuBoard, TheScreenModeMenuHasBlockSizeEntriesExceptInBestFit) {
  SetScreen(SCREEN_MODE_MENU);
  EXPECT_EQ(BoardRows(), (std::vector<std::string>{"..........", "..........", "..........", "..........",
                                                   ".1.111156.", "..352222..", "...263333.", ".........."}));
  EXPECT_EQ(BlockAt(7, 4)->Text, "-");
  EXPECT_EQ(BlockAt(7, 4)->Menu, REQ_SMALLER_BLOCKS);
  EXPECT_EQ(BlockAt(3, 5)->Menu, REQ_SMALLER_BLOCKS);
  EXPECT_EQ(BlockAt(3, 5)->Text, "");
  EXPECT_EQ(BlockAt(8, 4)->Text, "+");
  EXPECT_EQ(BlockAt(4, 6)->Menu, REQ_LARGER_BLOCKS);
  EXPECT_EQ(ReturnState, SCREEN_DISPLAY_MENU);

  ScreenMode = 2;
  SetScreen(SCREEN_MODE_MENU);
  for (const auto& b : Blocks) EXPECT_LT(b->Kind, 3);
  EXPECT_EQ(Blocks.size(), 15u);
}

TEST_F(MenuBoard, AQuickClickOnAnyBlockOfAnyCaptionBarChoosesItsEntry) {
  for (const MenuTable* table :
       {&MAIN_MENU_TABLE, &OPTIONS_MENU_TABLE, &DISPLAY_MENU_TABLE, &QUALITY_MENU_TABLE, &SCREEN_MENU_TABLE}) {
    BuildMenu(*table);
    std::vector<std::tuple<int, int, int>> captions;  // x, y, action
    for (const T_BLOCK* b : CaptionBlocks()) captions.emplace_back(b->XMap, b->YMap, b->Menu);
    ASSERT_FALSE(captions.empty());
    for (const auto& [x, y, action] : captions) {
      BuildMenu(*table);
      Fragments.clear();
      PendingAction = 0;
      Click(x, y, 399);
      EXPECT_EQ(PendingAction, action) << x << "," << y;
      // The whole entry explodes, handle included.
      for (const auto& b : Blocks) EXPECT_EQ(b->Timer != 0, b->Menu == action);
    }
  }
}

TEST_F(MenuBoard, AHandleASlowPressOrAMovedBarChoosesNothing) {
  Click(2, 3, 10);  // the handle of "Play"
  EXPECT_EQ(PendingAction, 0);
  Click(5, 3, 400);  // held for 400 ms
  EXPECT_EQ(PendingAction, 0);

  // The bar of "Rules" pressed, moved one cell right and released there.
  PointerFrame(4, 4, true, true);
  PointerFrame(5, 4, false, true);
  PointerFrame(5, 4, false, false);
  EXPECT_EQ(BoardRows()[4], ".2..2222..");
  EXPECT_EQ(PendingAction, 0);
  EXPECT_TRUE(Fragments.empty());
}

TEST_F(MenuBoard, WhileAChoiceIsPendingOtherEntriesOnlyPlay) {
  Click(5, 5, 100);  // "Options"
  ASSERT_EQ(PendingAction, SCREEN_OPTIONS_MENU);
  const size_t fragments = Fragments.size();

  Click(6, 6, 100);  // a click on "Quit" does nothing
  EXPECT_EQ(PendingAction, SCREEN_OPTIONS_MENU);
  EXPECT_EQ(Fragments.size(), fragments);
  EXPECT_EQ(BoardRows()[6], "...4.4444.");

  // Completing "Play" explodes it as in play, but chooses nothing.
  PointerFrame(2, 3, true, true);
  PointerFrame(3, 3, false, true);
  EXPECT_GT(Fragments.size(), fragments);
  EXPECT_EQ(PendingAction, SCREEN_OPTIONS_MENU);
}

TEST_F(MenuBoard, AChosenEntryIsCarriedOutWhenTheLastFragmentIsGone) {
  Click(5, 5, 100);
  ASSERT_EQ(PendingAction, SCREEN_OPTIONS_MENU);
  UpdatePlay();
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Fragments.clear();
  UpdatePlay();
  EXPECT_EQ(ScreenState, SCREEN_OPTIONS_MENU);
  EXPECT_EQ(PendingAction, 0);
  EXPECT_FALSE(ExitScrollOn);
  EXPECT_TRUE(std::any_of(Blocks.begin(), Blocks.end(), [](const auto& b) { return b->Text == GetText("Credits"); }));
}

// The shortest way for a lone handle over empty cells to a cell beside a
// block of its own kind; empty when there is none.
std::vector<std::pair<int, int>> HandlePath(const T_BLOCK* handle) {
  std::map<std::pair<int, int>, std::pair<int, int>> from;
  std::vector<std::pair<int, int>> queue{{handle->XMap, handle->YMap}};
  from[queue[0]] = queue[0];
  const int dx[] = {1, 0, -1, 0}, dy[] = {0, 1, 0, -1};
  for (size_t i = 0; i < queue.size(); ++i) {
    const auto [x, y] = queue[i];
    for (int d = 0; d < 4; ++d) {
      const T_BLOCK* next = BlockAt(x + dx[d], y + dy[d]);
      if (i > 0 && next != nullptr && next != handle && next->Kind == handle->Kind) {
        std::vector<std::pair<int, int>> path;
        for (auto at = queue[i]; at != queue[0]; at = from[at]) path.insert(path.begin(), at);
        return path;
      }
    }
    for (int d = 0; d < 4; ++d) {
      const std::pair<int, int> cell{x + dx[d], y + dy[d]};
      if (cell.first < 0 || cell.first > 9 || cell.second < 0 || cell.second > 7) continue;
      if (BlockAt(cell.first, cell.second) != nullptr || from.count(cell)) continue;
      from[cell] = queue[i];
      queue.push_back(cell);
    }
  }
  return {};
}

// Every entry can also be chosen by dragging its handle against its bar,
// the puzzles included, except the smaller-blocks handle of the screen-mode
// menu, which stands walled in until other pieces are moved.
TEST_F(MenuBoard, EveryHandleCanBeDraggedAgainstItsBar) {
  const std::vector<int> menus = {SCREEN_MAIN_MENU, SCREEN_OPTIONS_MENU, SCREEN_DISPLAY_MENU, SCREEN_QUALITY_MENU,
                                  SCREEN_MODE_MENU};
  int chosen = 0;
  for (int menu : menus) {
    SetScreen(menu);
    std::vector<int> actions;
    for (const auto& b : Blocks)
      if (b->Text.empty() && b->Menu != -1) actions.push_back(b->Menu);
    for (int action : actions) {
      SetScreen(menu);
      Fragments.clear();
      const T_BLOCK* handle = nullptr;
      for (const auto& b : Blocks)
        if (b->Text.empty() && b->Menu == action) handle = b.get();
      const auto path = HandlePath(handle);
      if (action == REQ_SMALLER_BLOCKS) {
        EXPECT_TRUE(path.empty());
        continue;
      }
      ASSERT_FALSE(path.empty()) << "menu " << menu << ", action " << action;
      PointerFrame(handle->XMap, handle->YMap, true, true);
      for (const auto& [x, y] : path) {
        EXPECT_EQ(PendingAction, 0);
        PointerFrame(x, y, false, true);
      }
      EXPECT_EQ(PendingAction, action) << "menu " << menu;
      ++chosen;
    }
  }
  EXPECT_EQ(chosen, 5 + 4 + 2 + 2 + 4);
}

// A table that ends early or runs off the board builds what it can.
TEST_F(MenuBoard, AMalformedTableBuildsWhatItCanAndNothingOffTheBoard) {
  const MenuValue values[] = {"Broken", 2, 8, 1, 7, 1, "Play", 19};
  BuildMenu(MenuTable{values, std::size(values)});
  EXPECT_EQ(BoardRows()[1], ".......111");
  EXPECT_EQ(Blocks.size(), 3u);
  const MenuValue runs[] = {"Runs", 0, 5, 0, 0, 2, 1, 1, 9, 7, 0};
  BuildMenu(MenuTable{runs, std::size(runs)});
  EXPECT_EQ(BoardRows()[0], "22........");
  EXPECT_EQ(Blocks.size(), 2u);
}

}  // namespace
