// The Code card on the level map: a click, a tap, Enter or Space on it opens
// a text entry on the card. The player types a level code there (letters and
// digits; Backspace takes the last one back) or pastes one with Ctrl+V;
// Return plays it, Escape closes the entry and forgets the text. A code that cannot be played
// leaves the entry open with its text, and the message that says why.
#pragma once

#include <string>

struct KeyPress;

bool CodeEntryOpen();
void OpenCodeEntry();
// Closes the entry and forgets its text.
void CloseCodeEntry();
// A key press while the entry is open: every key goes to it (Escape and the
// letters of the game's shortcuts too). True when the code's level was
// placed: the caller zooms into it.
bool CodeEntryKey(const KeyPress& press);
// Plays the entry's code: true when its level was placed; otherwise the
// message says why and the entry keeps its text. An empty entry closes.
bool PlayCodeEntry();
// The text typed so far.
const std::string& CodeEntryText();
// The card at (x, y): its label and the entry's field, with the text and a
// caret while it is open.
void DrawCodeCard(int x, int y);
