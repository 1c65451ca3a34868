// The level editor: a 10 x 8 board whose cells the player sets to one of
// the six colours or empty, with the mouse or a finger (a tap turns a cell
// to the next colour, then empty), the keyboard or a pad (arrows move the
// cursor, Enter or Space turn its cell, 1 to 6 set a colour, 0 empties).
// U, Backspace or the pad's X undo a change; T or the pad's Y run the
// solver; S, or T again after a test found a solution, saves the level,
// which then has a card on the map. Every change is kept as the draft.
#pragma once

#include <string>

#include "play/move_rule.h"

struct KeyPress;

extern KindCells EditorCells;
extern int EditorCursorX, EditorCursorY;

// Opens the editor on the draft (or on the given cells, to edit a level).
void EnterEditor();
void EditLevelCells(const KindCells& cells);
void UpdateEditor();
// One key press in the editor: the arrows move its cursor, Enter or Space
// turns the cell, 0..6 set it, U undoes, T tests, S saves.
void EditorKey(const KeyPress& press);
void DrawEditor();
// The editor's last message (test result, saved...), for tests.
const std::string& EditorMessage();
