// Neighbour mask -> four quarter frames.
#pragma once

#include <cstdint>
#include <string>

extern uint8_t ShapeTable[256][4];

void LoadShapeTable(const std::string& path);

// The 8-bit mask of the same-kind neighbours of cell (x, y) in the kind grid:
// bit 0 north, then clockwise (north-east, east, ... north-west). Cells off
// the board never match.
int NeighbourMask(int x, int y, int kind);
