// Start-up, the frame loop and shutdown.
#pragma once

#include <string>

// Runs the start-up sequence. Returns false when the program must end at
// once (the user data folder could not be created).
bool StartUp();
// One frame; false when the loop is to end.
bool RunFrame();
// Saves what must be saved and releases the platform; does not exit.
void Shutdown();
// Saves what Shutdown saves, and goes on: for a platform that may end the
// program without warning (a browser's tab closed or reloaded).
void SaveProgress();
bool PointerInBoard();

// The web-site row: its caption in the chosen language, drawing and click.
std::string WebRowCaption();
void DrawWebRow(int top);  // the row of a cell's height from `top` down
void ClickWebRow(int top);
