// The level map: a scrolling grid of level cards. Each card shows a level's
// starting position drawn from the bank's frame bytes and either its label
// or its last and best times; a tap on a card places the level and zooms
// its picture to the whole board before play begins (the random card's
// level is first made over a few frames, the map drawing on meanwhile). After the bank's cards
// come the levels made in the editor, then the random, daily and Code cards.
// Left and Right move a keyboard choice over the cards; Enter or Space
// chooses it.
#pragma once

#include <cstdint>
#include <string>

struct KeyPress;

// Card geometry, in pixels, scaled with the block size: four cards a row
// across the board, the grid centred, room between cards for their frames.
// At 96-pixel blocks a card is 190 x 152 on a 240 x 202 pitch, 25 pixels in
// from the board's edges.
int CardThumbCell();  // a board cell on a card picture: a fifth of a block
int CardWidth();      // ten picture cells
int CardHeight();     // eight picture cells
int CardPitchX();     // a quarter of the board's width
int CardPitchY();     // the height and the same gap as between columns
int CardMargin();     // half the gap: the grid's border
constexpr int MAP_COLUMNS = 4;
constexpr int64_t ZOOM_MS = 1000;

extern float MapScroll;       // vertical scroll of the map, pixels; 0 = first row at the top
extern float ScrollVelocity;  // pixels per frame while coasting
extern int MapDragging;       // 1 while a press on the board area drags the map
extern int HoveredCard;       // level under the pointer, -1 none
extern int MapKeyCard;        // card of the keyboard's choice, -1 none
extern int64_t ZoomEnd;       // clock time at which the zoom ends; 0 = no zoom
extern int ZoomCard[4];       // left, top, right, bottom of the chosen card
extern int ZoomLevel;         // the card the zoom leads to (the level count: a random level)

// Opens the map on the level bank: screen state, side-bar icons, texts.
void EnterLevelMap();
void UpdateLevelMap();
// One key press on the map: Left and Right move the keyboard's card, Enter
// or Space chooses it.
void MapKey(const KeyPress& press);
void DrawLevelMap();
void DrawLevelZoom();
// Any screen change stops a running zoom, and the making of the random
// card's level before its zoom. The chosen level becomes the
// current one only when its zoom ends: a stopped zoom leaves the current
// level, its timer and its saved game as they were.
void CancelLevelZoom();

void DrawLevelCard(int x, int y, int n);
// A card's scale against its size at 96-pixel blocks, and that of the small
// font's lines on it.
float CardScale();
float CardTextScale();
// The card's frame picture around the card at (x, y) (the card sits 30
// pixels into it at full size), lit for the level on the board.
void DrawCardFrame(int x, int y, bool current);
// One piece of a card picture: cell (0..79) of level n, four shaped quarters.
void DrawCardCell(int x, int y, int colour, int n, int cell);
// A text line centred on a card, squeezed to the card's width when wider.
void DrawCardLine(const std::string& text, int x, int y);
// A label in the large font, centred on the card at (x, y); a label wider
// than a card's line (a long word in some languages) is narrowed to fit.
void DrawCardLabel(const std::string& label, int x, int y);

// (Re)creates the level picture at the board size after a display change;
// during a zoom the picture is drawn again at the new size.
void CreateLevelPicture();
// Draws level n as just placed, with its banner, into the level picture and
// starts the zoom from the card at (left, top).
void GrabLevelPicture(int left, int top, int n);

// The bank's cards, the levels made in the editor, then one card that opens
// a random level, the daily level's and the Code card that takes a typed
// code.
int MapCardCount();
// True for the card that opens a random level (after the editor's levels).
bool IsRandomCard(int n);
// True for the card after the random card: today's daily level.
bool IsDailyCard(int n);
// True for the last card: the Code card.
bool IsCodeCard(int n);
// The number of the editor's level on card n (the cards right after the
// bank's), -1 for any other card.
int CustomCard(int n);
// Where card n stands at the current scroll (board-area pixels).
void CardPosition(int n, int& x, int& y);

// The card whose cell holds the point (board-area pixels), -1 for none.
// Cells are a pitch wide and high: the gaps right of a card and above and
// below it count for that card.
int CardAt(int px, int py);
// The scroll at which the last row (of cards, or the web-site row pushed
// below them) rests at the bottom of the screen.
int LowestMapScroll();
// The top of the web-site row: row 6 while the cards end above it, else just
// below the last row of cards, scrolling with them.
int WebRowTop();
