// The victory screen: a result card (the level, the verdict against the
// record, the time and the best time, and two buttons: the next level and the
// map) over a dimmed replay of the won level, run backwards to its start and
// forwards again from the undo records.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "media/media.h"

class T_VICTORY_LINE {
 public:
  std::string Text;
  int cX = 0;     // resting x of the left edge
  int cY = 0;     // top edge; also the phase of the sway
  int Mode = 0;   // 0 at (cX, cY); 1 centred; 2 centred, swaying; 3 sliding in, then 2
  int Color = 0;  // 0 white, 1 red, 2 pulsing yellow-green, 3 pulsing red-yellow
  int64_t Timer = 0;  // end of the slide-in (mode 3), else 0
  int Time = 0;       // length of the slide-in, ms
  float fX = 0, fY = 0;
  float vX = 0;  // sway amplitude, px
  float vY = 0;
  float Scale = 1;  // a line wider than the card is drawn smaller

  // A new line at the end of the victory line list, placed by its mode with
  // the text measured in the current font.
  static T_VICTORY_LINE* Add(const std::string& text, int mode, int y, int x, int colour);
  void Draw();
};

extern std::list<std::unique_ptr<T_VICTORY_LINE>> VictoryLines;

// The result card: its panel, the rows of its lines and its two buttons
// (centres, and the widest a button may be).
struct T_VICTORY_CARD {
  int X = 0, Y = 0, W = 0, H = 0;
  int FirstLine = 0, LineStep = 0;
  int ButtonY = 0, NextX = 0, MapX = 0, ButtonWidth = 0;
};
// The card for `lines` lines at the current sizes: between the logo and the
// foot lines, centred on the board.
T_VICTORY_CARD VictoryCard(int lines);
std::string NextLevelCaption();
std::string LevelMapCaption();

// The replay: a copy of the undo file and where it stands.
extern ByteBuffer ReplayData;
extern int ReplayCount;      // whole 80-byte records in the copy
extern int ReplayIndex;      // record shown next
extern int ReplayDirection;  // 0 backwards to the start, 1 forwards
extern int64_t NextStepTime; // clock time of the next step; 0 = step now

// Builds the lines and reads the replay; called after a win, once the
// records are updated and before the undo file is deleted.
void BuildVictoryScreen();
// Starts the replay from its last record (screen change to the victory screen).
void RestartReplay();
void UpdateVictoryScreen();
// One key press on the victory screen: Space leaves it as a click does.
void VictoryKey(const KeyPress& press);
void DrawVictoryScreen();
// Places replay record i on the board; an empty board when there is none.
void ShowReplayRecord(int i);
