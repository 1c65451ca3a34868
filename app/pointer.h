// The pointer images drawn by the game: the hot spot of both pictures, and
// the blinking hint of the victory screen.
#pragma once

// Drawing a pointer image at (x - POINTER_HOT_X, y - POINTER_HOT_Y) puts its
// tip on (x, y).
constexpr int POINTER_HOT_X = 85;
constexpr int POINTER_HOT_Y = 50;

// The rest and pressed images in turn, 512 ms each, on the centre of cell
// (9, 6), with the current colour, alpha and blend mode.
void DrawBlinkingPointer();
