// The victory screen: lines of text over a replay of the won level.
#pragma once

void BuildVictoryScreen();
void UpdateVictoryScreen();
void DrawVictoryScreen();
