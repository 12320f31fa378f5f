// Writing a row to the sensor, apart from the table's data: a program that only reads the table
// links no driver call.
#include "BrightnessTable.h"
#include "SensorLink.h"

void CBrightnessTable::ApplyRow(int level, CSensorLink& link) const {
    if (!IsValidLevel(level))
        return;
    const Row& row = m_rows[level];
    for (int column = 0; column < kTableColumnCount; ++column)
        link.WriteRegister(kSensorDeviceAddress, kBrightnessRegisters[column], row[column]);
}
