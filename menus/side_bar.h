// The side bar: eight icons down the right-hand strip of the game screen.
#pragma once

#include <cstdint>

void InitSideBar();
// Loads an icon set: eight icon indices, slot 0 at the top.
void LoadSideBarIcons(const int* iconSet);
void UpdateIconStates();
void DoSideBar();
void DrawSideBar();
