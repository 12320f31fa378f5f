// The brightness table files: fixed columns of two-digit hexadecimal values, one row per line.
#pragma once

#include <cstdint>

#include "FilePath.h"
#include "FilmType.h"
#include "SharedDirectory.h"

class CBrightnessTable;

// The value of one hexadecimal digit; any other byte counts as 255.
uint8_t HexDigitValue(unsigned char c);

// The table file for the media kind: black-and-white film shares the film table.
const char* TableFileName(FilmType type);

// Reads the table file for `type` over the rows of `table`, from row 0 upward. Returns false when
// the file cannot be opened; the table is then unchanged.
bool LoadBrightnessTable(FilmType type, CBrightnessTable& table,
                         const CFilePath& directory = SharedDirectory);
