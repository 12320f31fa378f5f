// What each brightness level means to the sensor: six registers and 21 rows of their values.
#pragma once

#include <array>
#include <cstdint>

#include "Levels.h"

class CSensorLink;

constexpr int kTableColumnCount = 6;

// The registers of table columns 1 to 6, in the order they are written.
constexpr std::array<int32_t, kTableColumnCount> kBrightnessRegisters = {0x3A11, 0x3A0F, 0x3A1B,
                                                                         0x3A10, 0x3A1E, 0x3A1F};

class CBrightnessTable {
public:
    using Row = std::array<int32_t, kTableColumnCount>;

    // Starts with the built-in rows.
    CBrightnessTable();

    // Writes the six values of row `level` to the sensor in column order; ignores other levels.
    void ApplyRow(int level, CSensorLink& link) const;
    // Overwrites one value; row 0..20, column 1..6. Other places are ignored.
    void SetValue(int row, int column, int32_t value);
    int32_t Value(int row, int column) const;

private:
    std::array<Row, kLevelCount> m_rows;
};
