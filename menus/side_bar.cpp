#include "menus/side_bar.h"

void InitSideBar() {}
void LoadSideBarIcons(const int*) {}
void UpdateIconStates() {}
void DoSideBar() {}
void DrawSideBar() {}
