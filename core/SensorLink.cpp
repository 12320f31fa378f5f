#include "SensorLink.h"

#include "QXBaseIF.h"

bool CSensorLink::EnsureOpen(IErrorReporter& reporter) {
    if (m_open)
        return true;
    if (InitQXDriver(kImageWidth, kImageHeight) < 0) {
        reporter.ReportError(kDriverInitErrorText);
        return false;
    }
    m_open = true;
    return true;
}

void CSensorLink::WriteRegister(int32_t deviceAddress, int32_t registerAddress, int32_t value) {
    ::WriteRegister(deviceAddress, registerAddress, value);
}

void CSensorLink::WriteRow(const CBrightnessTable& table, int level) {
    if (!IsValidLevel(level))
        return;
    const CBrightnessTable::Row row = table.RowOf(level);
    for (int column = 0; column < kTableColumnCount; ++column)
        WriteRegister(kSensorDeviceAddress, kBrightnessRegisters[column], row[column]);
}

void CSensorLink::Close() {
    if (!m_open)
        return;
    FinishDriver();
    m_open = false;
}
