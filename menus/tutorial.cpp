#include "menus/tutorial.h"

bool TutorialWaiting = false;

void StartTutorial() {}
void PlayTutorial() {}
void ContinueTutorial() { TutorialWaiting = false; }
void DrawTutorialText() {}
void DrawTutorialPointer() {}
