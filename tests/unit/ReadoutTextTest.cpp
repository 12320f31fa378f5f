#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ReadoutText.h"

namespace {

std::string Drawn(int displayValue) {
    const ReadoutText text = FormatReadout(displayValue);
    return std::string(text.buffer.data(), text.length);
}

TEST(ReadoutTextTest, EveryLevelShowsItsValueInThreeCharacters) {
    const struct {
        int value;
        const char* drawn;
    } cases[] = {
        {-10, "-10"}, {-9, "-9 "}, {-5, "-5 "}, {-1, "-1 "}, {0, "0  "},
        {1, "1  "},   {7, "7  "},  {9, "9  "},  {10, "10 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Drawn(c.value), c.drawn) << c.value;
}

TEST(ReadoutTextTest, TheClearingIsFiveBlanksAndNoLevelsReadoutIsLonger) {
    EXPECT_EQ(std::string(kReadoutClearing, kReadoutClearingLength), "     ");
    for (int value = -10; value <= 10; ++value)
        EXPECT_LE(Drawn(value).size(), static_cast<std::size_t>(kReadoutClearingLength)) << value;
}

TEST(ReadoutTextTest, EveryTwoDigitValueIsItsDecimalFormPaddedToThreeCharacters) {
    for (int value = -99; value <= 99; ++value) {
        const std::string decimal = std::to_string(value);
        std::string expected = decimal;
        expected.resize(3, ' ');
        EXPECT_EQ(Drawn(value), expected) << value;
    }
}

TEST(ReadoutTextTest, ValuesNeedingMoreThanThreeCharactersAreDrawnWhole) {
    const struct {
        int value;
        const char* drawn;
    } cases[] = {
        {100, "100"},
        {-100, "-100"},
        {12345, "12345"},
        {INT_MAX, "2147483647"},
        {INT_MIN, "-2147483648"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Drawn(c.value), c.drawn) << c.value;
}

} // namespace
