#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BrightnessTable.h"
#include "SensorLink.h"
#include "SensorSim.h"

namespace {

using sensorsim::FinishCall;
using sensorsim::InitCall;
using sensorsim::WriteCall;

class SensorLinkTest : public ::testing::Test, public IErrorReporter {
protected:
    void SetUp() override { sensorsim::Reset(); }

    void ReportError(const char* text) override { reports.push_back(text); }
    IErrorReporter& Recorder() { return *this; }

    std::vector<std::string> reports;
};

// A driver is ready when it answers anything but a negative number.
TEST_F(SensorLinkTest, OpensOnceWithTheImageSizeOnAnyAnswerThatIsNotNegative) {
    for (const int32_t ready : {0, 1, 7, INT32_MAX}) {
        sensorsim::Reset();
        sensorsim::SetReadyResult(ready);
        CSensorLink link;
        EXPECT_TRUE(link.EnsureOpen(Recorder())) << ready;
        EXPECT_TRUE(link.EnsureOpen(Recorder())) << ready;
        EXPECT_TRUE(sensorsim::IsOpen()) << ready;
        // The open link takes the row: the six writes after the one open.
        CBrightnessTable().ApplyRow(20, link);
        ASSERT_EQ(sensorsim::Journal().size(), 7u) << ready;
        EXPECT_EQ(sensorsim::Journal().front(), InitCall(320, 160, ready));
        EXPECT_EQ(sensorsim::Register(0x3A1F), 0xCC) << ready;
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(SensorLinkTest, EveryFailedOpenReportsAndTheNextNeedRetries) {
    sensorsim::FailNextInits(2);
    CSensorLink link;
    EXPECT_FALSE(link.EnsureOpen(Recorder()));
    EXPECT_FALSE(link.EnsureOpen(Recorder()));
    EXPECT_TRUE(link.EnsureOpen(Recorder()));
    EXPECT_EQ(sensorsim::Journal(),
              (std::vector{InitCall(320, 160, -1), InitCall(320, 160, -1), InitCall(320, 160, 0)}));
    EXPECT_EQ(reports,
              (std::vector<std::string>(2, "Initialize Error. Please Restart the program.")));
}

TEST_F(SensorLinkTest, CloseFinishesOnlyAnOpenDriver) {
    {
        CSensorLink neverOpened;
        neverOpened.Close();
    }
    EXPECT_TRUE(sensorsim::Journal().empty());

    CSensorLink link;
    link.EnsureOpen(Recorder());
    link.WriteRegister(0x6C, 0x3A11, 0x70);
    link.Close();
    link.Close();
    EXPECT_EQ(sensorsim::Journal(),
              (std::vector{InitCall(320, 160, 0), WriteCall(0x6C, 0x3A11, 0x70), FinishCall()}));
}

TEST_F(SensorLinkTest, DestroyingAnOpenLinkFinishesTheDriver) {
    {
        CSensorLink link;
        link.EnsureOpen(Recorder());
    }
    EXPECT_EQ(sensorsim::Journal(), (std::vector{InitCall(320, 160, 0), FinishCall()}));
    EXPECT_FALSE(sensorsim::IsOpen());
}

} // namespace
