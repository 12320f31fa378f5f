// What each brightness level means to the sensor: six registers and 21 rows of their values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "Levels.h"

constexpr int kTableColumnCount = 6;

// The sensor's device address, and the registers of table columns 1 to 6 there, in the order they
// are written.
constexpr int32_t kSensorDeviceAddress = 0x6C;
constexpr std::array<int32_t, kTableColumnCount> kBrightnessRegisters = {0x3A11, 0x3A0F, 0x3A1B,
                                                                         0x3A10, 0x3A1E, 0x3A1F};

class CBrightnessTable {
public:
    using Row = std::array<int32_t, kTableColumnCount>;

    // Starts with the built-in rows.
    CBrightnessTable();

    // Overwrites one value; row 0..20, column 1..6. Other places are ignored.
    void SetValue(int row, int column, int32_t value);
    int32_t Value(int row, int column) const;
    // The values of row 0..20 in column order; zeros for any other row.
    Row RowOf(int row) const;

    // Writes row `level` to the sensor through `link`: six `link.WriteRegister(device, register,
    // value)` calls in column order, nothing read back; nothing for a level outside 0..20. The
    // link is a parameter type, so the rules need nothing of the tool's driver link.
    template <typename Link> void ApplyRow(int level, Link& link) const {
        if (!IsValidLevel(level))
            return;
        const Row& row = m_rows[static_cast<std::size_t>(level)];
        for (std::size_t column = 0; column < row.size(); ++column)
            link.WriteRegister(kSensorDeviceAddress, kBrightnessRegisters[column], row[column]);
    }

private:
    std::array<Row, kLevelCount> m_rows;
};
