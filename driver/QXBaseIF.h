// The three calls of the sensor maker's driver library QXBaseIF.dll, imported by name.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define QXBASEIF_CALL __stdcall
#else
#define QXBASEIF_CALL
#endif

extern "C" {

// Opens the driver for an image of the given size; negative means it cannot serve.
int32_t QXBASEIF_CALL InitQXDriver(int32_t imageWidth, int32_t imageHeight);

// Writes one sensor register of the device at the given bus address.
void QXBASEIF_CALL WriteRegister(int32_t deviceAddress, int32_t registerAddress, int32_t value);

// Closes the driver.
void QXBASEIF_CALL FinishDriver();
}
