// The undo history: one 80-byte snapshot of the board per step, kept in a
// file so that a level in progress survives the end of the program.
#pragma once

#include <cstdint>

struct Stream;

constexpr int UNDO_RECORD_SIZE = 80;

// Records in the undo file; the moves made in the level are this minus 1.
extern int UndoRecordCount;

// Appends the current board as a record.
void PushUndo();
// Takes back one step; 1 when a step was taken back, else 0.
int UndoMove();
// Reads one record from the stream's position and places it on the board.
void LoadUndoRecord(Stream* stream);
// Starts a new history whose only record is the current board.
void ResetUndo();
// Rebuilds the board from the file's last record; 1 on success, else 0.
int ResumeFromUndo();
// The history's first record (the level's starting position): a byte per
// cell, kind + 1 or 0. False when the file holds no whole record.
bool ReadFirstUndoRecord(uint8_t bytes[UNDO_RECORD_SIZE]);
// True when the history ends on the empty board after at least one step:
// the level was won.
bool UndoHistoryWon();
// Sets the record count from the undo file (start-up).
void CountUndoRecords();
// Forgets the history: the file is deleted and the count becomes 0.
void DeleteUndoFile();
