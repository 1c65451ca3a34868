#include "levels/victory.h"

void BuildVictoryScreen() {}
void UpdateVictoryScreen() {}
void DrawVictoryScreen() {}
