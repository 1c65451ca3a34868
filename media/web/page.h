// The web page around the game: its title, the canvas's place in the
// browser window, full screen, the storage of the player's files and the
// messages shown in the page.
#pragma once

namespace web_page {

void SetTitle(const char* title);
// The browser window's inner size in CSS pixels: the desktop a new player's
// block size is chosen for.
void ViewportSize(int& width, int& height);
// Scales the canvas to fit the browser window, keeping its proportions
// (after the canvas or the window changed size).
void FitCanvas();
void RequestFullScreen(bool on);
// A point of the page (its client coordinates), in canvas pixels. Events
// heard on the whole window (a drag's release) are not in the canvas's own
// coordinates: every point goes through the canvas's place in the page.
void CanvasPixels(double clientX, double clientY, int& x, int& y);
// A frame was drawn on the canvas.
void FramePresented();
// Shows a line of text under the canvas (a message box stand-in).
void ShowNote(const char* text);
// The sound output waits for the player's first input (the browser's rule):
// true once an input has been seen.
bool InputSeen();
void NoteInput();

}  // namespace web_page
