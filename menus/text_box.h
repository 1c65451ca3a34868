// Word-wrapped text boxes, the credits screen, the transient message and the
// time format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The text the credits screen draws (the tutorial shows its texts through it
// too).
extern std::string CreditsText;

// The text panels: dark navy, slightly translucent, so that white text keeps
// a contrast of at least 7:1 over the palest board.
constexpr int PANEL_RED = 18, PANEL_GREEN = 22, PANEL_BLUE = 38;
constexpr float PANEL_ALPHA = 0.88f;

// The room between a panel's edge and its text.
int PanelPadding();
// Fills a rectangle with rounded corners in the current colour, alpha and
// blend mode, one rectangle per row of the corners so that no pixel is
// covered twice.
void FillRoundedRect(float x, float y, float w, float h, float radius);
// A text panel at (x, y), w x h: a soft shadow below it, then the panel,
// whose opacity is PANEL_ALPHA times `fade`.
void DrawPanel(int x, int y, int w, int h, float fade = 1.0f);
// Draws white text on a panel from left to right, starting at top: the text
// is wrapped inside the panel's padding, each line centred, and shrinks
// until the panel is no taller than maxHeight. Returns the panel's height.
int DrawTextBox(int left, int top, int right, int maxHeight, const std::string& text, float fade = 1.0f);
// The height DrawTextBox gives the same text and box.
int TextBoxHeight(int left, int right, int maxHeight, const std::string& text);
// The button's face and the shade of its caption (contrast above 10:1).
constexpr int BUTTON_RED = 250, BUTTON_GREEN = 198, BUTTON_BLUE = 64;
// A rounded golden button centred on (centreX, centreY), its caption in the
// large font, shrunk to fit maxWidth (0: the board's width less two cells);
// a hovered one is lighter and lifted a little off its shadow.
void DrawButton(const std::string& caption, int centreX, int centreY, bool hovered, int maxWidth = 0);
// True when (x, y) lies on that button's face.
bool InsideButton(const std::string& caption, int centreX, int centreY, int maxWidth, int x, int y);
// The game's logo across the top of the board area, scaled with the block
// size as the backgrounds are; LogoHeight is its height in pixels.
int LogoHeight();
void DrawLogo();
// The transient message started by StartMenuCaption (a caption growing and
// fading after a choice) or ShowBoardMessage (a notice on a panel).
void DrawMessage();
// A notice on a panel in the middle of the board, for two and a half seconds.
void ShowBoardMessage(const std::string& text);
// Minutes, an apostrophe, two-digit seconds and a double quote.
std::string FormatTime(int64_t seconds);

// The lines of a text box of `width` pixels, `measure` giving the width of a
// string. Words keep the space that follows them; "@" at the start of a word
// that is not the first of its line breaks the line and is dropped; a word
// wider than the box stands alone. The empty line that ends the text is not
// included, so an empty text gives one line holding a space. Wrapping stops
// after `maxLines` lines.
std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure,
                                  size_t maxLines = SIZE_MAX);
// WrapText with the widths of the text font, to as many lines as the screen
// shows.
std::vector<std::string> TextBoxLines(const std::string& text, int width);
