// The rule of motion and the pointer and keyboard input of a board screen.
#include "tests/play/board_fixture.h"

namespace {

using MoveRule = BoardFixture;
using Rows = std::vector<std::string>;

TEST_F(MoveRule, EdgesRefuseAStepAndThePointerOffTheBoardMovesNothing) {
  Place({"........11", "..........", "..........", "..........",
         "..........", "..........", "..........", "1........."});
  EXPECT_EQ(CellBlocked(-1, 3), 1);
  EXPECT_EQ(CellBlocked(10, 0), 1);
  EXPECT_EQ(CellBlocked(0, 8), 1);
  EXPECT_EQ(CellBlocked(3, 3), 0);

  // Grab the bar on row 0 by its right block and drag right, into the edge.
  PointerFrame(9, 0, true, true);
  ASSERT_EQ(DraggingFlag, 1);
  ResetUndo();
  PointerFrame(9, 0, false, true);
  Frame.PointerX = 10 * BlockSize + 5;  // the side bar
  Frame.Now += 16;
  UpdatePointerDrag();
  EXPECT_EQ(GroupBlocked(1, 0), 1);
  EXPECT_EQ(GroupBlocked(0, -1), 1);
  EXPECT_EQ(GroupBlocked(0, 1), 0);
  // Far below the board: off the board, nothing moves.
  Frame.PointerX = 9 * BlockSize;
  Frame.PointerY = 8 * BlockSize + 3;
  UpdatePointerDrag();
  EXPECT_EQ(BoardRows()[0], "........11");
  EXPECT_EQ(UndoRecordCount, 1);
}

TEST_F(MoveRule, NoPushingAndAShapeJoinsOnlyAfterAStepAlongside) {
  Place({"11.2......", "..........", "1.........", "..........",
         "..........", "..........", "..........", "........33"});
  PointerFrame(1, 0, true, true);
  EXPECT_EQ(T_BLOCK::CountSelected(), 2);
  // Another kind on the right, the edge on the left: neither is pushed.
  EXPECT_EQ(GroupBlocked(1, 0), 0);
  EXPECT_EQ(TryMoveGroup(1, 0), 1);
  EXPECT_EQ(TryMoveGroup(1, 0), 0);
  EXPECT_EQ(BoardRows()[0], ".112......");

  // The lone block of the same kind below is not part of the shape: a step
  // onto it is refused, the step beside it joins it.
  EXPECT_EQ(TryMoveGroup(0, 1), 1);
  EXPECT_EQ(T_BLOCK::CountSelected(), 2);
  EXPECT_EQ(TryMoveGroup(-1, 0), 1);
  EXPECT_EQ(T_BLOCK::CountSelected(), 3);
  // The whole kind is one shape now: it explodes with this step.
  EXPECT_EQ(BoardRows()[1], "**........");
  EXPECT_EQ(BoardRows()[2], "*.........");
  EXPECT_EQ(Fragments.size(), 3u);
}

TEST_F(MoveRule, ABarMovesIntoItsOwnCell) {
  Place({"..........", "...1......", "...1......", "..........",
         "..........", "..........", "..........", ".........1"});
  PointerFrame(3, 2, true, true);
  PointerFrame(3, 1, false, true);
  EXPECT_EQ(BoardRows()[0], "...1......");
  EXPECT_EQ(BoardRows()[1], "...1......");
  EXPECT_EQ(BoardRows()[2], "..........");
}

TEST_F(MoveRule, ADiagonalPointerStepsVerticallyFirstAndIsFollowedCellByCell) {
  Place({"1.........", "..........", "..........", "..........",
         "..........", "..........", "..........", ".........1"});
  ResetUndo();
  PointerFrame(0, 0, true, true);
  PointerFrame(2, 2, false, true);
  EXPECT_EQ(BoardRows()[1][0], '1');
  EXPECT_EQ(UndoRecordCount, 2);

  // The pointer runs three cells ahead: one cell per frame, the direction
  // chosen again each frame from the offset to the anchor.
  PointerFrame(4, 1, false, true);
  EXPECT_EQ(BoardRows()[1], ".1........");
  PointerFrame(4, 1, false, true);
  PointerFrame(4, 1, false, true);
  PointerFrame(4, 1, false, true);
  EXPECT_EQ(BoardRows()[1], "....1.....");
  PointerFrame(4, 1, false, true);
  EXPECT_EQ(UndoRecordCount, 6);  // one record per cell of movement
  PointerFrame(4, 1, false, false);
  EXPECT_EQ(DraggingFlag, 0);
  EXPECT_EQ(GrabbedBlock, nullptr);
  EXPECT_EQ(T_BLOCK::CountSelected(), 0);
}

TEST_F(MoveRule, AfterRunningIntoAnObstacleTheShapeIsHeldByTheBlockUnderThePointer) {
  Place({"111.2.....", "..........", "..........", "..........",
         "..........", "..........", "..........", ".........1"});
  PointerFrame(0, 0, true, true);
  PointerFrame(1, 0, false, true);
  EXPECT_EQ(BoardRows()[0], ".1112.....");
  PointerFrame(3, 0, false, true);  // refused: the 2 is in the way
  EXPECT_EQ(GrabbedBlock, BlockAt(3, 0));
  EXPECT_EQ(DragAnchorX, 3);
  PointerFrame(3, 1, false, true);
  EXPECT_EQ(BoardRows()[1], ".111......");
}

TEST_F(MoveRule, ALoneBlockExplodesInTheFrameAfterItIsGrabbedAndMergesAreCounted) {
  Place({"1.........", "..........", "..22......", "..........",
         "....2.....", "..........", "..........", ".........."});
  ResetUndo();
  PointerFrame(0, 0, true, true);
  EXPECT_EQ(BlockAt(0, 0)->Timer, 0);
  EXPECT_TRUE(Fragments.empty());
  PointerFrame(0, 0, false, true);
  EXPECT_EQ(BlockAt(0, 0)->Timer, Frame.Now + 300);
  ASSERT_EQ(Fragments.size(), 1u);
  // No step: the fragment is not pushed sideways faster than 2 px a frame.
  EXPECT_LT(std::abs(Fragments.front()->vX), 2.0f);
  EXPECT_EQ(DraggingFlag, 0);
  EXPECT_EQ(GrabbedBlock, nullptr);
  EXPECT_EQ(UndoRecordCount, 1);  // the block never left its cell

  // The pair meets the single block with one step down and one right.
  PointerFrame(3, 2, true, true);
  PointerFrame(3, 3, false, true);
  EXPECT_EQ(T_BLOCK::CountSelected(), 2);
  PointerFrame(4, 3, false, true);
  EXPECT_EQ(BoardRows()[3], "...**.....");
  EXPECT_EQ(BoardRows()[4], "....*.....");
}

TEST_F(MoveRule, TheKeyboardMovesTheCursorThenTheHeldShape) {
  Place({"..........", ".11.......", "..........", "..........",
         "..........", "..........", "..........", ".........1"});
  ResetUndo();
  PlayKey({KEY_ENTER, KEY_ENTER});
  UpdatePlay();
  EXPECT_EQ(KeyboardMode, 1);
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  KeyboardStep(2);  // the cursor stays on the board
  KeyboardStep(1);
  KeyboardStep(0);
  EXPECT_EQ(KeyboardCursorX, 1);
  EXPECT_EQ(KeyboardCursorY, 1);
  EXPECT_EQ(BoardRows()[1], ".11.......");

  PlayKey({KEY_SPACE, ' '});
  UpdatePlay();
  EXPECT_EQ(KeyboardMode, 2);
  PlayKey({KEY_DOWN, 0});
  UpdatePlay();
  EXPECT_EQ(BoardRows()[2], ".11.......");
  EXPECT_EQ(KeyboardCursorY, 2);
  EXPECT_EQ(UndoRecordCount, 2);

  // The undo key lets go of the shape and takes the step back.
  PlayKey({'U', 'u'});
  UpdatePlay();
  EXPECT_EQ(KeyboardMode, 1);
  EXPECT_EQ(BoardRows()[1], ".11.......");
  EXPECT_EQ(UndoRecordCount, 1);
}

TEST_F(MoveRule, AShapeThatExplodedUnderTheKeyboardIsNeverMovedAgain) {
  Place({"1.........", "..........", "..........", "..........",
         "..........", "..........", "..........", "22......22"});
  KeyboardMode = 1;
  PlayKey({KEY_ENTER, KEY_ENTER});
  UpdatePlay();
  ASSERT_EQ(KeyboardMode, 2);
  KeyboardStep(0);  // a single block: complete after its first step
  EXPECT_EQ(KeyboardMode, 1);
  EXPECT_EQ(BoardRows()[0], ".*........");

  // A click on an empty cell turns keyboard play off; the arrow keys then
  // address the grabbed shape, which is exploding and must stay put.
  PointerFrame(5, 5, true, false);
  EXPECT_EQ(KeyboardMode, 0);
  KeyboardStep(0);
  EXPECT_EQ(BoardRows()[0], ".*........");
  // Once the block has vanished the hold is forgotten.
  RemoveBlock(BlockAt(1, 0));
  RebuildGrids();
  KeyboardStep(1);
  UpdatePlay();
  EXPECT_EQ(GrabbedBlock, nullptr);
}

TEST_F(MoveRule, UndoDuringADragLetsGoOfTheShape) {
  Place({"11........", "..........", "..........", "..........",
         "..........", "..........", "..........", "22......22"});
  ResetUndo();
  PointerFrame(0, 0, true, true);
  PointerFrame(0, 1, false, true);
  ASSERT_EQ(UndoRecordCount, 2);
  Frame.RightHit = 1;
  Frame.LeftDown = true;
  UpdatePlay();
  Frame.RightHit = 0;
  EXPECT_EQ(BoardRows()[0], "11........");
  EXPECT_EQ(DraggingFlag, 0);
  EXPECT_EQ(GrabbedBlock, nullptr);
  PointerFrame(0, 3, false, true);  // still held: nothing follows
  EXPECT_EQ(BoardRows()[0], "11........");
}

TEST_F(MoveRule, OnTheStyleScreenNothingCompletes) {
  Place({"7.........", "..........", "..........", "..........",
         "..........", "..........", "..........", ".........."});
  ScreenState = SCREEN_STYLE;
  PointerFrame(0, 0, true, true);
  for (int i = 0; i < 8; ++i) PointerFrame(3, 3, false, true);
  EXPECT_EQ(BoardRows()[3], "...7......");
  EXPECT_TRUE(Fragments.empty());
}

class MenuInput : public BoardFixture {
 protected:
  void SetUp() override {
    BoardFixture::SetUp();
    // Entry of action 3: a handle and a caption bar of four blocks.
    ClearBoard();
    T_BLOCK::addBlock(2, 3, 0)->SetMenu("", 3);
    T_BLOCK::addBlock(4, 3, 0)->SetMenu("Options", 3);
    for (int x = 5; x < 8; ++x) T_BLOCK::addBlock(x, 3, 0)->SetMenu("!", 3);
    T_BLOCK::addBlock(0, 7, 1);
    T_BLOCK::ShapeAllBlocks();
    ScreenState = SCREEN_MAIN_MENU;
  }
};

TEST_F(MenuInput, AQuickClickOnTheCaptionBarChoosesTheEntry) {
  PointerFrame(6, 3, true, true);
  PointerFrame(6, 3, false, false, 399);
  EXPECT_EQ(PendingAction, 3);
  EXPECT_EQ(BoardRows()[3], "..*.****..");
  EXPECT_EQ(Message.Text, "Options");
  EXPECT_EQ(Message.CentreX, 4 * BlockSize + 2 * BlockSize);
  EXPECT_EQ(Message.CentreY, 3 * BlockSize + HalfCell);
  EXPECT_EQ(Message.StartTime, Frame.Now + 300);
  EXPECT_TRUE(ExitScrollOn);
  EXPECT_EQ(ExitScrollStart, Frame.Now + 1000);
}

TEST_F(MenuInput, ASlowClickOrAClickOnTheHandleChoosesNothing) {
  PointerFrame(4, 3, true, true);
  PointerFrame(4, 3, false, false, 400);
  PointerFrame(2, 3, true, true);
  PointerFrame(2, 3, false, false, 10);
  EXPECT_EQ(PendingAction, 0);
  EXPECT_TRUE(Fragments.empty());
}

TEST_F(MenuInput, DraggingTheHandleAgainstItsBarChoosesTheEntryAndHoverFollowsCaptions) {
  PointerFrame(2, 3, true, true);
  PointerFrame(3, 3, false, true);
  EXPECT_EQ(PendingAction, 3);
  EXPECT_EQ(Fragments.size(), 5u);

  PointerFrame(5, 3, false, false);
  EXPECT_EQ(HoveredMenu, 3);
  PointerFrame(9, 0, false, false);
  EXPECT_EQ(HoveredMenu, -1);
}

TEST_F(MoveRule, TheLevelTimerStopsAtNinetyNineMinutesFiftyNineSeconds) {
  Place({"11........", "..........", "..........", "..........",
         "..........", "..........", "..........", ".........."});
  LevelStartTime = 1000;
  Frame.Now = 1000 + 5998999;
  UpdatePlay();
  EXPECT_EQ(LevelTimer, 5998999);
  Frame.Now = 1000 + 6000000;
  UpdatePlay();
  EXPECT_EQ(LevelTimer, LEVEL_TIMER_CAP);
  ScreenState = SCREEN_MAIN_MENU;
  Frame.Now += 5000;
  UpdatePlay();
  EXPECT_EQ(LevelTimer, LEVEL_TIMER_CAP);
}

}  // namespace
