// Sharing on the level map and the victory screen: the par and the code of
// a level, C to copy the code (or the daily result) to the clipboard,
// Ctrl+V on the map to play the level of a code, and the daily card.
#pragma once

#include <cstdint>
#include <string>

struct KeyPress;

// The code and par of map card n (a bank level, or the daily card once its
// level was made); "" and 0 for the others.
std::string CardCode(int n);
int CardPar(int n);
// A key press on the map: C copies the code of the card under the pointer
// or of the keyboard's card; Ctrl+V plays the code on the clipboard. On the
// card of a level made in the editor, E edits it and D deletes it. True
// when a level was placed (the caller zooms into it).
bool MapSharingKey(const KeyPress& press, int card);
// The line at the foot of the map: the card's par and code, or the last
// message (copied, a bad code...).
void DrawMapSharing(int card);
// "Par N" at the foot of the card at (x, y), in the par's own colour.
void DrawCardPar(int par, int x, int y);
// The card of level i made in the editor: its cells, its number, its best
// time once won, its par.
void DrawCustomCard(int x, int y, int i, int jx, int jy);
// The daily card: its date and, once won that day, the day's best time.
void DrawDailyCard(int x, int y, bool highlighted);
// Today, as the daily level counts days.
int64_t Today();

// After a win, before the undo file goes: the level's code, its par and the
// moves made.
void PrepareVictorySharing();
// A key press on the victory screen: C copies the code, or the result line
// of a daily level.
void VictorySharingKey(const KeyPress& press);
// The par line and the code line below the victory lines.
void DrawVictorySharing();
// A line of the small font on a dark band at the foot of the board,
// `fromBottom` lines up (1: the lowest), centred, narrowed to fit the board.
void DrawFootLine(const std::string& text, int fromBottom);
// Shows a message at the foot of the map or the victory screen for a few
// seconds.
void ShowSharingNotice(const std::string& text);
// No message: the map opens with its hints.
void ClearSharingNotice();
// The message shown at the foot of the map or the victory screen, for tests.
const std::string& SharingNotice();
