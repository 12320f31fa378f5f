// The least work that leaves the same bytes on disk and makes the same driver calls as the core's
// routines, for the files the benchmarks use: what each measured sequence is compared against.
#pragma once

#include <array>

#include "BrightnessTable.h"
#include "FilmType.h"

using TableRows = std::array<CBrightnessTable::Row, kLevelCount>;

// One open, one read of the whole file, one close, then the keywords in their order.
FilmType DetectFilmTypeFloor(const char* path);

// One open, one read of the whole file, one close, then every value straight from its columns
// over `rows`. Returns false when the file cannot be opened.
bool LoadTableFloor(const char* path, TableRows& rows);

// Opens the flag file "rb+", reads its four bytes, writes them back with byte `offset` set to
// `byte`, closes it. Returns the level byte 1 held before, or -1 when there were not four bytes.
int RewriteFlagFloor(const char* path, long offset, unsigned char byte);

// The six register writes of one row, through the driver calls themselves.
void WriteRowFloor(const CBrightnessTable::Row& row);

// The rows of a table in its current state.
TableRows RowsOf(const CBrightnessTable& table);
