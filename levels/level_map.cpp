#include "levels/level_map.h"

float MapScroll = 0;

void EnterLevelMap() {}
void UpdateLevelMap() {}
void DrawLevelMap() {}
void DrawLevelZoom() {}
void CreateLevelPicture() {}
