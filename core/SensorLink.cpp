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

void CSensorLink::Close() {
    if (!m_open)
        return;
    FinishDriver();
    m_open = false;
}
