// The level bank: fixed records of 404 bytes loaded from the archive.
#pragma once

#include <cstdint>
#include <string>

#include "media/media.h"

constexpr int LEVEL_RECORD_SIZE = 404;

extern ByteBuffer LevelBank;
extern int LevelCount;
// The level whose cells the board holds (placed by LoadLevel, or resumed);
// -1 for a menu or any other board, which no win may be recorded for.
extern int BoardLevel;

void LoadLevelBank();
void LoadLevel(int n);
std::string LevelLabel(int n);  // n is 1-based
int LevelId(int n);
int RecordLink(int n);
void SetRecordLink(int n, int offset);
int LevelCellByte(int n, int x, int y);
// The bank level whose starting cells are these 80 bytes (row major, kind + 1
// or 0, as in an undo record); -1 when none is.
int BankLevelWithCells(const uint8_t cells[80]);
int LevelFrameByte(int n, int x, int y, int quarter);
