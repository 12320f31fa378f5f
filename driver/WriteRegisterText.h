// A register write as text, as the simulated sensor's trace and quenlit-inspect show it:
// "WriteRegister 0x6C 0x3A11 0x70". One format for both, so that the inspector's start-up writes
// read as the trace of a run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Room for the text of any three values, each up to eight hex digits.
constexpr std::size_t kWriteRegisterTextSize = 48;

// Writes the text of WriteRegister(deviceAddress, registerAddress, value) into `line`, cut short
// as snprintf cuts it when it does not fit.
template <std::size_t kSize>
void FormatWriteRegister(char (&line)[kSize], int32_t deviceAddress, int32_t registerAddress,
                         int32_t value) {
    std::snprintf(line, kSize, "WriteRegister 0x%02X 0x%04X 0x%02X",
                  static_cast<unsigned>(deviceAddress), static_cast<unsigned>(registerAddress),
                  static_cast<unsigned>(value));
}
