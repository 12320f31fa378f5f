#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QXBaseIF.h"
#include "SensorSim.h"

namespace {

TEST(SensorSimTest, TraceLinesHaveTheirFixedFormat) {
    EXPECT_EQ(sensorsim::FormatCall(sensorsim::InitCall(320, 160, 0)), "InitQXDriver 320 160 -> 0");
    EXPECT_EQ(sensorsim::FormatCall(sensorsim::InitCall(320, 160, -1)),
              "InitQXDriver 320 160 -> -1");
    EXPECT_EQ(sensorsim::FormatCall(sensorsim::WriteCall(0x6C, 0x3A11, 0x70)),
              "WriteRegister 0x6C 0x3A11 0x70");
    EXPECT_EQ(sensorsim::FormatCall(sensorsim::WriteCall(0x6C, 0x3A1F, 0x08)),
              "WriteRegister 0x6C 0x3A1F 0x08");
    EXPECT_EQ(sensorsim::FormatCall(sensorsim::FinishCall()), "FinishDriver");
}

TEST(SensorSimTest, RegistersHoldTheLastValueWritten) {
    sensorsim::Reset();
    InitQXDriver(320, 160);
    WriteRegister(0x6C, 0x3A11, 0x70);
    WriteRegister(0x6C, 0x3A11, 0x28);
    WriteRegister(0x6C, 0xFFFF, 0x01);
    WriteRegister(0x6C, 0x10000, 0x02); // outside the address space: journalled only
    EXPECT_EQ(sensorsim::Register(0x3A11), 0x28);
    EXPECT_EQ(sensorsim::Register(0xFFFF), 0x01);
    EXPECT_EQ(sensorsim::Register(0x0000), 0x00);
    EXPECT_EQ(sensorsim::Journal().size(), 5u);
}

TEST(SensorSimTest, WithoutJournalCallsStillReachTheTraceAndTheRegisters) {
    sensorsim::Reset();
    std::vector<std::string> traced;
    sensorsim::SetTraceSink(
        [&traced](const sensorsim::DriverCall& call) { traced.push_back(FormatCall(call)); });
    sensorsim::StopJournal();
    WriteRegister(0x6C, 0x3A11, 0x70);
    EXPECT_TRUE(sensorsim::Journal().empty());
    EXPECT_EQ(traced, std::vector<std::string>{"WriteRegister 0x6C 0x3A11 0x70"});
    EXPECT_EQ(sensorsim::Register(0x3A11), 0x70);
    sensorsim::Reset();
}

} // namespace
