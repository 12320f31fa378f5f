// A simulated image sensor behind the three driver calls: a 16-bit register address space, a
// journal of every call, and injected failures of the driver's open call.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sensorsim {

struct DriverCall {
    enum class Kind { Init, Write, Finish };
    Kind kind;
    int32_t arg1 = 0;
    int32_t arg2 = 0;
    int32_t arg3 = 0;
    int32_t result = 0; // InitQXDriver only

    bool operator==(const DriverCall& other) const {
        return kind == other.kind && arg1 == other.arg1 && arg2 == other.arg2 &&
               arg3 == other.arg3 && result == other.result;
    }
};

DriverCall InitCall(int32_t width, int32_t height, int32_t result);
DriverCall WriteCall(int32_t device, int32_t reg, int32_t value);
DriverCall FinishCall();

// One trace line: "InitQXDriver 320 160 -> 0", "WriteRegister 0x6C 0x3A11 0x70", "FinishDriver".
std::string FormatCall(const DriverCall& call);

// Clears registers, journal, open state, pending failures and the trace sink.
void Reset();
// The next `count` opens fail with -1.
void FailNextInits(int count);
// What an open that succeeds answers from now on: 0 until set; any number that is not negative
// means ready.
void SetReadyResult(int32_t result);
// Receives every call as it happens.
void SetTraceSink(std::function<void(const DriverCall&)> sink);
// Stops keeping calls in the journal: a long-running process that never reads it keeps its memory.
void StopJournal();

const std::vector<DriverCall>& Journal();
bool IsOpen();
uint8_t Register(uint16_t address);

} // namespace sensorsim
