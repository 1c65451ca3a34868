// Blocks and the three shared views of the board: the block list (owner and
// walking order), the kind grid and the block grid.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>

class T_BLOCK {
 public:
  int32_t Frame[4] = {0, 0, 0, 0};  // quarter frames: TL, TR, BR, BL
  int XMap = 0;
  int YMap = 0;
  int Kind = 0;
  int FXMode = 0;
  int X = 0;
  int Y = 0;
  int FlagSelect = 0;
  int64_t Timer = 0;  // 0 living; else the clock time at which it vanishes
  float fX = 0, fY = 0, vX = 0, vY = 0;
  std::string Text;  // caption; "!" marks a caption bar's continuation
  int Menu = -1;

  // Creation and placement
  static T_BLOCK* addBlock(int x, int y, int kind);
  bool CheckIn(int x, int y) const;
  void SetMenu(const std::string& text, int menuId);
  static void PosAllBlocks();

  // Shaping
  void ShapeBlock();
  static void ShapeAllBlocks();

  // Selection
  static void InitRecursiveSelect();
  void RecursiveSelect();
  static int CountSelected();
  static void SelectAllSameColor(int kind);
  int CheckCompleteBlock() const;
  void SetSelectedCoorsOffset(int dx, int dy);
  static void SetSelectedBlocksTimer(int64_t delay);
  static void DeleteSelectedBlocks();

  // Drawing
  void Draw();
  void DrawShadow();
  void DrawHighLight();
  void DisplayText();
  static void DrawAll();
  static void DrawSelectedBlocks();
};

using BlockList = std::list<std::unique_ptr<T_BLOCK>>;
extern BlockList Blocks;
extern int KindGrid[10][8];        // [x][y], -1 empty
extern T_BLOCK* BlockGrid[10][8];  // [x][y], nullptr empty

T_BLOCK* BlockAt(int x, int y);  // nullptr when empty or off the board

// Caption text: near-black (this grey level) or white letters over a halo of
// the other shade, each halo copy drawn with this opacity.
constexpr int CAPTION_DARK = 16;
constexpr float CAPTION_HALO_ALPHA = 0.75f;
// Draws a caption at (x, y) with the current font and scale: white letters
// when `light`, else near-black ones, ringed by a halo of the other shade.
void DrawCaptionText(const std::string& text, float x, float y, bool light);
void ClearGrids();
void RebuildGrids();
// Empties the blocks, particles and grids (not the fragments) and forgets the
// grabbed block, which no longer exists.
void ClearBoard();
// Takes one block out of the list (ending it). Safe to call while another
// iterator of the list is held on a different element. Nothing keeps
// pointing at it afterwards: its remaining particles go, grid cells that
// still name it are emptied and a grab on it is dropped.
void RemoveBlock(T_BLOCK* block);
