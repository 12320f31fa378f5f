#include "SensorSim.h"

#include <array>
#include <cstdio>

#include "QXBaseIF.h"
#include "WriteRegisterText.h"

namespace sensorsim {
namespace {

constexpr int32_t kInitFailed = -1;
constexpr int32_t kRegisterSpace = 0x10000;

struct SensorState {
    std::array<uint8_t, kRegisterSpace> registers{};
    std::vector<DriverCall> journal;
    std::function<void(const DriverCall&)> traceSink;
    int pendingInitFailures = 0;
    int32_t readyResult = 0;
    bool open = false;
    bool keepJournal = true;
};

SensorState& State() {
    static SensorState state;
    return state;
}

void Record(const DriverCall& call) {
    SensorState& state = State();
    if (state.keepJournal)
        state.journal.push_back(call);
    if (state.traceSink)
        state.traceSink(call);
}

} // namespace

DriverCall InitCall(int32_t width, int32_t height, int32_t result) {
    return {DriverCall::Kind::Init, width, height, 0, result};
}

DriverCall WriteCall(int32_t device, int32_t reg, int32_t value) {
    return {DriverCall::Kind::Write, device, reg, value, 0};
}

DriverCall FinishCall() {
    return {DriverCall::Kind::Finish};
}

std::string FormatCall(const DriverCall& call) {
    char line[96];
    switch (call.kind) {
    case DriverCall::Kind::Init:
        std::snprintf(line, sizeof line, "InitQXDriver %d %d -> %d", static_cast<int>(call.arg1),
                      static_cast<int>(call.arg2), static_cast<int>(call.result));
        break;
    case DriverCall::Kind::Write:
        FormatWriteRegister(line, call.arg1, call.arg2, call.arg3);
        break;
    case DriverCall::Kind::Finish:
        return "FinishDriver";
    }
    return line;
}

void Reset() {
    State() = SensorState{};
}

void FailNextInits(int count) {
    State().pendingInitFailures = count;
}

void SetTraceSink(std::function<void(const DriverCall&)> sink) {
    State().traceSink = std::move(sink);
}

void SetReadyResult(int32_t result) {
    State().readyResult = result;
}

void StopJournal() {
    State().keepJournal = false;
}

const std::vector<DriverCall>& Journal() {
    return State().journal;
}

bool IsOpen() {
    return State().open;
}

uint8_t Register(uint16_t address) {
    return State().registers[address];
}

} // namespace sensorsim

using namespace sensorsim;

extern "C" int32_t QXBASEIF_CALL InitQXDriver(int32_t imageWidth, int32_t imageHeight) {
    SensorState& state = State();
    int32_t result = state.readyResult;
    if (state.pendingInitFailures > 0) {
        --state.pendingInitFailures;
        result = kInitFailed;
    } else {
        state.open = true;
    }
    Record(InitCall(imageWidth, imageHeight, result));
    return result;
}

extern "C" void QXBASEIF_CALL WriteRegister(int32_t deviceAddress, int32_t registerAddress,
                                            int32_t value) {
    if (registerAddress >= 0 && registerAddress < kRegisterSpace)
        State().registers[registerAddress] = static_cast<uint8_t>(value);
    Record(WriteCall(deviceAddress, registerAddress, value));
}

extern "C" void QXBASEIF_CALL FinishDriver() {
    State().open = false;
    Record(FinishCall());
}
