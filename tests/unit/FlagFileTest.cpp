#include <gtest/gtest.h>

#include <filesystem>

#include "FlagFile.h"
#include "ScratchDirectory.h"

namespace {

const std::string kFlag = "Flag.txt";

class FlagFileTest : public ::testing::Test {
protected:
    CScratchDirectory dir;
    CFlagFile flag{dir.Prefix().c_str()};
};

TEST_F(FlagFileTest, OperationsChangeOnlyTheirOwnByte) {
    dir.Write(kFlag, "\x6E\x4B\x31\x32");
    EXPECT_EQ(flag.ReadStoredLevel(), 10);
    flag.StoreLevel(14);
    EXPECT_EQ(dir.Read(kFlag), "\x6E\x4F\x31\x32");
    flag.MarkRunning(true);
    EXPECT_EQ(dir.Read(kFlag), "\x79\x4F\x31\x32");
    flag.MarkRunning(false);
    EXPECT_EQ(dir.Read(kFlag), "\x6E\x4F\x31\x32");
}

TEST_F(FlagFileTest, LevelLettersRoundTrip) {
    const struct {
        char letter;
        int level;
    } cases[] = {{'A', 0}, {'K', 10}, {'U', 20}};
    for (const auto& c : cases) {
        dir.Write(kFlag, std::string("n") + c.letter + "xy");
        EXPECT_EQ(flag.ReadStoredLevel(), c.level) << c.letter;
        dir.Write(kFlag, "n?xy");
        flag.StoreLevel(c.level);
        EXPECT_EQ(dir.Read(kFlag), std::string("n") + c.letter + "xy");
    }
}

TEST_F(FlagFileTest, LettersOutsideTheRangeReadAsSignedByteDifference) {
    const struct {
        char letter;
        int value;
    } cases[] = {{'V', 21}, {'a', 32}, {'\x40', -1}, {'\0', -65}, {'\xFF', -66}, {'\x1A', -39}};
    for (const auto& c : cases) {
        dir.Write(kFlag, std::string("y") + c.letter + "xy");
        EXPECT_EQ(flag.ReadStoredLevel(), c.value) << int(c.letter);
    }
}

TEST_F(FlagFileTest, MissingFileReadsLevelZeroAndIsNeverCreated) {
    EXPECT_EQ(flag.ReadStoredLevel(), 0);
    flag.StoreLevel(5);
    flag.MarkRunning(true);
    flag.MarkRunning(false);
    EXPECT_FALSE(dir.Has(kFlag));
}

TEST_F(FlagFileTest, BytesAfterOffsetThreeAndLengthAreKept) {
    const std::string tail("\x00\xFF", 2);
    dir.Write(kFlag, "nK\x0D\x0A" + tail);
    for (int i = 0; i < 3; ++i) {
        flag.StoreLevel(i);
        flag.MarkRunning(i % 2 == 0);
    }
    EXPECT_EQ(dir.Read(kFlag), "yC\x0D\x0A" + tail);
}

TEST_F(FlagFileTest, FileWithoutLevelByteReadsOutsideTheLevelRange) {
    for (const std::string content : {"", "y"}) {
        dir.Write(kFlag, content);
        const int level = flag.ReadStoredLevel();
        EXPECT_TRUE(level < 0 || level > 20) << level;
        EXPECT_EQ(dir.Read(kFlag), content);
    }
}

TEST_F(FlagFileTest, DirectoryInPlaceOfTheFileIsLeftAlone) {
    std::filesystem::create_directory(dir.Path(kFlag));
    EXPECT_EQ(flag.ReadStoredLevel(), 0);
    flag.StoreLevel(4);
    flag.MarkRunning(true);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path(kFlag)));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path(kFlag)));
}

} // namespace
