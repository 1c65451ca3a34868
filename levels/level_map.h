// The level map: a scrolling grid of level cards.
#pragma once

extern float MapScroll;  // vertical scroll of the map, pixels

void EnterLevelMap();
void UpdateLevelMap();
void DrawLevelMap();
void DrawLevelZoom();
// (Re)creates the level picture at the board size after a display change.
void CreateLevelPicture();
