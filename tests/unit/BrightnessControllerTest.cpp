#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BrightnessController.h"
#include "ScratchDirectory.h"
#include "SensorSim.h"

namespace {

const std::string kFlag = "Flag.txt";
const std::string kInitError = "Initialize Error. Please Restart the program.";

// The slider and message box of the dialog, logging what the controller does through them into
// the same log as the driver calls.
class CFakeView : public IBrightnessView {
public:
    explicit CFakeView(std::vector<std::string>& log) : m_log(log) {}

    void ShowLevel(int level) override {
        position = level;
        m_log.push_back("ShowLevel " + std::to_string(level));
    }
    int CurrentLevel() override { return position; }
    void ReportError(const char* text) override {
        m_log.push_back(std::string("ReportError ") + text);
        if (onReportError)
            onReportError();
    }

    int position = 10;
    std::function<void()> onReportError;

private:
    std::vector<std::string>& m_log;
};

class BrightnessControllerTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSensor(); }

    // One journal of the view's and the driver's calls and of Flag.txt's bytes: before each driver
    // call, and when the journal is read, Flag.txt's bytes are noted if they changed.
    void ResetSensor() {
        sensorsim::Reset();
        sensorsim::SetTraceSink([this](const sensorsim::DriverCall& call) {
            NoteFlag();
            log.push_back(sensorsim::FormatCall(call));
        });
    }
    void NoteFlag() {
        const std::string bytes = dir.Has(kFlag) ? dir.Read(kFlag) : kNoFlag;
        if (bytes != flagNoted)
            log.push_back("Flag.txt " + bytes);
        flagNoted = bytes;
    }
    void WriteFlag(const std::string& bytes) {
        dir.Write(kFlag, bytes);
        flagNoted = bytes;
    }
    const std::vector<std::string>& Journal() {
        NoteFlag();
        return log;
    }
    void ClearJournal() {
        NoteFlag();
        log.clear();
    }

    // The log entries of one row's six writes.
    static std::vector<std::string> RowWrites(const std::vector<int>& values) {
        const char* registers[] = {"0x3A11", "0x3A0F", "0x3A1B", "0x3A10", "0x3A1E", "0x3A1F"};
        std::vector<std::string> writes;
        char value[8];
        for (std::size_t i = 0; i < values.size(); ++i) {
            std::snprintf(value, sizeof value, "0x%02X", values[i]);
            writes.push_back(std::string("WriteRegister 0x6C ") + registers[i] + " " + value);
        }
        return writes;
    }

    static std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
        std::vector<std::string> all;
        for (const auto& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    }

    static constexpr const char* kNoFlag = "(none)";
    CScratchDirectory dir;
    std::vector<std::string> log;
    std::string flagNoted = kNoFlag;
    CFakeView view{log};
    CBrightnessController controller{dir.Prefix().c_str()};

    const std::vector<std::string> kOpen = {"InitQXDriver 320 160 -> 0"};
    const std::vector<std::string> kFailedOpen = {"InitQXDriver 320 160 -> -1",
                                                  "ReportError " + kInitError};
    const std::vector<std::string> kRow0 = RowWrites({0x28, 0x20, 0x20, 0x10, 0x10, 0x08});
    const std::vector<std::string> kRow10 = RowWrites({0x70, 0x68, 0x68, 0x58, 0x58, 0x50});
    const std::vector<std::string> kRow14 = RowWrites({0x78, 0x98, 0x98, 0x8C, 0x8C, 0x88});
    const std::vector<std::string> kRow15 = RowWrites({0xA4, 0xA0, 0xA0, 0x90, 0x90, 0x8C});
};

TEST_F(BrightnessControllerTest, StartAppliesThenMarksAndStopUnmarksThenFinishes) {
    WriteFlag("nO12");
    EXPECT_TRUE(controller.Start(view));
    EXPECT_EQ(Journal(), Join({{"ShowLevel 14"}, kOpen, kRow14, {"Flag.txt yO12"}}));
    EXPECT_EQ(controller.DisplayValue(), 4);
    ClearJournal();
    controller.Stop();
    EXPECT_EQ(Journal(), (std::vector<std::string>{"Flag.txt nO12", "FinishDriver"}));
}

TEST_F(BrightnessControllerTest, StartUsesTheTableOfTheMediaInUse) {
    WriteFlag("nBxx");
    dir.Write("FilmType.txt", "type=B&W");
    dir.Write("Brig.txt", "0x01,0x01,0x01,0x01,0x01,0x01\r\n0x02,0x02,0x02,0x02,0x02,0x02\r\n");
    dir.Write("Brigf.txt", "0x11,0x11,0x11,0x11,0x11,0x11\r\n0x12,0x13,0x14,0x15,0x16,0x17\r\n");
    EXPECT_TRUE(controller.Start(view));
    EXPECT_EQ(Journal(), Join({{"ShowLevel 1"},
                               kOpen,
                               RowWrites({0x12, 0x13, 0x14, 0x15, 0x16, 0x17}),
                               {"Flag.txt yBxx"}}));
}

TEST_F(BrightnessControllerTest, WithoutFlagFileLevelZeroIsUsedAndNothingIsRecorded) {
    EXPECT_TRUE(controller.Start(view));
    EXPECT_EQ(controller.DisplayValue(), -10);
    view.position = 15;
    EXPECT_TRUE(controller.LevelChanged(view));
    controller.Stop();
    EXPECT_EQ(Journal(), Join({{"ShowLevel 0"}, kOpen, kRow0, kRow15, {"FinishDriver"}}));
    EXPECT_FALSE(dir.Has(kFlag));
}

TEST_F(BrightnessControllerTest, StoredLevelOutsideTheTableFallsBackToTheCentre) {
    const struct {
        std::string before, after;
    } cases[] = {{"nVxx", "yVxx"}, {"na", "ya"}, {"n@", "y@"}, {"n", "y"}, {"", "y"}};
    for (const auto& c : cases) {
        ResetSensor();
        log.clear();
        WriteFlag(c.before);
        CBrightnessController fresh(dir.Prefix().c_str());
        EXPECT_TRUE(fresh.Start(view)) << c.before;
        EXPECT_EQ(Journal(), Join({{"ShowLevel 10"}, kOpen, kRow10, {"Flag.txt " + c.after}}))
            << c.before;
        EXPECT_EQ(fresh.DisplayValue(), 0) << c.before;
    }
}

TEST_F(BrightnessControllerTest, LevelChangeStoresTheLetterBeforeAnyRegisterWrite) {
    WriteFlag("nKab");
    controller.Start(view);
    ClearJournal();
    for (int level : {15, 14, 14, 15, 15}) {
        view.position = level;
        EXPECT_TRUE(controller.LevelChanged(view));
        EXPECT_EQ(controller.DisplayValue(), level - 10);
    }
    EXPECT_EQ(Journal(), Join({{"Flag.txt yPab"},
                               kRow15,
                               {"Flag.txt yOab"},
                               kRow14,
                               kRow14,
                               {"Flag.txt yPab"},
                               kRow15,
                               kRow15}));
}

TEST_F(BrightnessControllerTest, FailedStartShowsTheLevelButWritesAndMarksNothing) {
    WriteFlag("nOab");
    sensorsim::FailNextInits(1);
    EXPECT_FALSE(controller.Start(view));
    EXPECT_EQ(Journal(), Join({{"ShowLevel 14"}, kFailedOpen}));
    EXPECT_EQ(controller.DisplayValue(), 0);

    // The first move opens the link and applies the slider's level; the mark stays unset.
    view.position = 15;
    EXPECT_TRUE(controller.LevelChanged(view));
    EXPECT_EQ(controller.DisplayValue(), 5);
    controller.Stop();
    EXPECT_EQ(
        Journal(),
        Join({{"ShowLevel 14"}, kFailedOpen, kOpen, {"Flag.txt nPab"}, kRow15, {"FinishDriver"}}));
}

TEST_F(BrightnessControllerTest, FailedLevelChangeTouchesNothingAndTheNextOneRetries) {
    WriteFlag("nKab");
    sensorsim::FailNextInits(2);
    EXPECT_FALSE(controller.Start(view));
    view.position = 14;
    EXPECT_FALSE(controller.LevelChanged(view));
    EXPECT_EQ(controller.DisplayValue(), 0);
    EXPECT_TRUE(controller.LevelChanged(view));
    EXPECT_EQ(Journal(),
              Join({{"ShowLevel 10"}, kFailedOpen, kFailedOpen, kOpen, {"Flag.txt nOab"}, kRow14}));
}

TEST_F(BrightnessControllerTest, StopClearsTheMarkEvenWhenTheDriverNeverOpened) {
    WriteFlag("yKab");
    sensorsim::FailNextInits(1);
    controller.Start(view);
    controller.Stop();
    EXPECT_EQ(Journal(), Join({{"ShowLevel 10"}, kFailedOpen, {"Flag.txt nKab"}}));
}

TEST_F(BrightnessControllerTest, NotificationDuringTheErrorBoxIsIgnored) {
    sensorsim::FailNextInits(1);
    bool nested = true;
    view.onReportError = [&] { nested = controller.LevelChanged(view); };
    EXPECT_FALSE(controller.Start(view));
    EXPECT_FALSE(nested);
    EXPECT_EQ(sensorsim::Journal().size(), 1u);
    view.onReportError = nullptr;
    EXPECT_TRUE(controller.LevelChanged(view));
}

TEST_F(BrightnessControllerTest, SliderPositionOutsideTheTableIsIgnored) {
    WriteFlag("nKab");
    controller.Start(view);
    ClearJournal();
    for (int position : {-1, 21}) {
        view.position = position;
        EXPECT_FALSE(controller.LevelChanged(view));
    }
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(controller.DisplayValue(), 0);
}

} // namespace
