#include <gtest/gtest.h>

#include <vector>

#include "BrightnessTable.h"
#include "SensorLink.h"
#include "SensorSim.h"

namespace {

using sensorsim::DriverCall;
using sensorsim::WriteCall;

class BrightnessTableTest : public ::testing::Test, public IErrorReporter {
protected:
    void SetUp() override {
        sensorsim::Reset();
        link.EnsureOpen(*this);
    }
    void ReportError(const char*) override {}

    // The register writes that applying `level` makes.
    std::vector<DriverCall> WritesOf(int level) {
        const std::size_t before = sensorsim::Journal().size();
        table.ApplyRow(level, link);
        return {sensorsim::Journal().begin() + before, sensorsim::Journal().end()};
    }

    static std::vector<DriverCall> Writes(const CBrightnessTable::Row& row) {
        std::vector<DriverCall> writes;
        const int32_t registers[] = {0x3A11, 0x3A0F, 0x3A1B, 0x3A10, 0x3A1E, 0x3A1F};
        for (int i = 0; i < kTableColumnCount; ++i)
            writes.push_back(WriteCall(0x6C, registers[i], row[i]));
        return writes;
    }

    CSensorLink link;
    CBrightnessTable table;
};

TEST_F(BrightnessTableTest, BuiltInRowsAreWrittenInColumnOrder) {
    const struct {
        int level;
        CBrightnessTable::Row row;
    } cases[] = {
        {0, {0x28, 0x20, 0x20, 0x10, 0x10, 0x08}},  {6, {0x58, 0x50, 0x50, 0x40, 0x40, 0x38}},
        {7, {0x58, 0x54, 0x54, 0x44, 0x44, 0x40}},  {8, {0x5C, 0x58, 0x58, 0x48, 0x48, 0x44}},
        {10, {0x70, 0x68, 0x68, 0x58, 0x58, 0x50}}, {12, {0x80, 0x78, 0x78, 0x78, 0x78, 0x70}},
        {13, {0x90, 0x88, 0x88, 0x88, 0x88, 0x80}}, {14, {0x78, 0x98, 0x98, 0x8C, 0x8C, 0x88}},
        {18, {0xC6, 0xC0, 0xC0, 0xB0, 0xB0, 0xA8}}, {20, {0xE4, 0xE0, 0xE0, 0xD0, 0xD0, 0xCC}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WritesOf(c.level), Writes(c.row)) << "level " << c.level;
}

TEST_F(BrightnessTableTest, LevelsOutsideTheTableWriteNothing) {
    for (int level : {-1, 21, -66, 127})
        EXPECT_TRUE(WritesOf(level).empty()) << level;
}

TEST_F(BrightnessTableTest, SetValueOverwritesOnePlaceOnly) {
    table.SetValue(3, 6, 0xAB);
    table.SetValue(3, 0, 0x01);  // no such column
    table.SetValue(3, 7, 0x01);  // no such column
    table.SetValue(21, 1, 0x01); // no such row
    EXPECT_EQ(WritesOf(3), Writes({0x40, 0x38, 0x38, 0x28, 0x28, 0xAB}));
    EXPECT_EQ(WritesOf(4), Writes({0x48, 0x40, 0x40, 0x30, 0x30, 0x28}));
}

} // namespace
