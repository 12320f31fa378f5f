// The brightness table files: fixed columns of two-digit hexadecimal values, one row per line.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

#include "BrightnessTable.h"
#include "FilePath.h"
#include "FilmType.h"
#include "SharedDirectory.h"

// What HexDigitValue gives a byte that is no hexadecimal digit.
constexpr uint8_t kNotAHexDigit = 255;

// The value of one hexadecimal digit; any other byte counts as 255.
uint8_t HexDigitValue(unsigned char c);

// The table file for the media kind: black-and-white film shares the film table.
const char* TableFileName(FilmType type);

// Why reading a table file ended.
enum class TableFileEnd : uint8_t {
    NotOpened,        // the file could not be opened: nothing was read
    EndOfFile,        // the file ended, inside a row's values or between rows
    NoCarriageReturn, // the file ended while the CR after a row's values was looked for
    EndMark,          // a line began with "#"
    RowLimit,         // row 20, the last row of the table, was stored
};

// Where a value of the table came from.
enum class TableValueSource : uint8_t {
    BuiltIn,
    File,
    // From the file, with a byte that is no hexadecimal digit in one of its two positions.
    FileNonHexDigit,
};

// What a table file reading did, for explaining the table it leaves.
struct TableFileReport {
    TableFileEnd end = TableFileEnd::NotOpened;
    std::array<std::array<TableValueSource, kTableColumnCount>, kLevelCount> sources{};
    // The lines of the file, counted from 1 by line feeds, on which the reading of each row began
    // (at its column 0) and ended (at its CR, or where reading stopped); 0 for a row not reached.
    // A row that ends on a later line than it began ran over a line end.
    std::array<int, kLevelCount> firstLine{};
    std::array<int, kLevelCount> lastLine{};
    // The line of the "#" that ended the table, when `end` is EndMark.
    int endMarkLine = 0;
    // Whether the last byte read was a line feed.
    bool lastByteWasLineFeed = false;

    // The rows that hold at least one value from the file: rows 0 up to this count less one.
    int RowsRead() const;
};

// Reads the table file for `type` over the rows of `table`, from row 0 upward. Returns false when
// the file cannot be opened; the table is then unchanged.
bool LoadBrightnessTable(FilmType type, CBrightnessTable& table,
                         const CFilePath& directory = SharedDirectory,
                         TableFileReport* report = nullptr);

// Reads a table file that is open for reading, as LoadBrightnessTable does once it has opened it.
void ReadBrightnessTable(std::FILE* file, CBrightnessTable& table,
                         TableFileReport* report = nullptr);
