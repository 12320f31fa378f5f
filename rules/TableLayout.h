// The layout of a row line in a table file, as the tool reads it: columns counted from 0, each of
// the six values two hexadecimal digits at a fixed column, whatever stands between them skipped.
// After the last value the reading looks for the CR, skips the byte after it (the LF) and starts
// the next row at column 0 of the next line, unless the end mark stands there.
#pragma once

#include "BrightnessTable.h"

// The column of the first value's high digit, and how far each next value's stands from it.
constexpr int kFirstDigitColumn = 2;
constexpr int kValuePitch = 5;
// The columns up to the last value's low digit: a line shorter than this before its CR runs over
// into the next line.
constexpr int kRowValuesLength = kFirstDigitColumn + kValuePitch * (kTableColumnCount - 1) + 2;
// At column 0 of the line after a row, ends the table.
constexpr char kEndOfTableMark = '#';
