// The tutorial: a script of instructions played on the real board.
#pragma once

extern bool TutorialWaiting;  // true while the tutorial waits for the player

void StartTutorial();
void PlayTutorial();
// Ends the wait for the player (a click on the board or a typed character).
void ContinueTutorial();
// The text box of the current scene, drawn with the board.
void DrawTutorialText();
// The virtual pointer, drawn with the overlays.
void DrawTutorialPointer();
