// The pointer images drawn by the game: the hot spot of both pictures, their
// size on the screen, and the blinking hint of the victory screen.
#pragma once

struct Image;

// Drawing a pointer image unscaled at (x - POINTER_HOT_X, y - POINTER_HOT_Y)
// puts its tip on (x, y).
constexpr int POINTER_HOT_X = 85;
constexpr int POINTER_HOT_Y = 50;
// Height of the opaque hand in the pictures (rows 45 to 165).
constexpr int POINTER_HAND_HEIGHT = 120;
// Rows of the pictures above the tip (the soft shadow's top included).
constexpr int POINTER_REACH_ABOVE_TIP = 8;
// The hand stands this many tenths of a cell tall at every block size.
constexpr int POINTER_HAND_TENTHS = 13;

// The factor that scales the pictures to the block size in use.
float PointerScale();
// Draws a pointer picture, fully opaque, with its tip on (x, y) and its hand
// POINTER_HAND_TENTHS of a cell tall (the pictures carry their own soft
// shadow). Leaves the blend mode on alpha and the colour white.
void DrawPointerAt(Image* image, int x, int y);

// The rest and pressed images in turn, 512 ms each, on the centre of cell
// (9, 6).
void DrawBlinkingPointer();
