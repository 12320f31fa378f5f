#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST_F(SensorLinkTest, OpensOnceWithTheImageSize) {
    CSensorLink link;
    EXPECT_TRUE(link.EnsureOpen(Recorder()));
    EXPECT_TRUE(link.EnsureOpen(Recorder()));
    EXPECT_EQ(sensorsim::Journal(), (std::vector{InitCall(320, 160, 0)}));
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
