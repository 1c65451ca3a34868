// Neighbour mask -> four quarter frames.
#pragma once

#include <cstdint>
#include <string>

extern uint8_t ShapeTable[256][4];

void LoadShapeTable(const std::string& path);
