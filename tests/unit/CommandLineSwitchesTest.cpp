#include <gtest/gtest.h>

#include "CommandLineSwitches.h"

namespace {

TEST(CommandLineSwitchesTest, FindsTheSwitchAsAWordOfItsOwnInAnyCase) {
    const struct {
        const char* commandLine;
        bool found;
    } cases[] = {
        {"/Embedding", true},
        {"-Embedding", true},
        {"/embedding", true},
        {"-EMBEDDING", true},
        {"/eMbEdDiNg", true},
        {"  /Embedding  ", true},
        {"\t-Embedding\t", true},
        {"picture.tif /Embedding", true},
        {"/Automation -Embedding", true},
        {"", false},
        {"   ", false},
        {"Embedding", false},
        {"/Embed", false},
        {"/Embeddings", false},
        {"x/Embedding", false},
        {"//Embedding", false},
        {"+Embedding", false},
        {"/Embedding,", false},
        {"/Automation", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasCommandLineSwitch(c.commandLine, "Embedding"), c.found)
            << '"' << c.commandLine << '"';
}

TEST(CommandLineSwitchesTest, TellsTheTwoSwitchesApart) {
    EXPECT_TRUE(HasCommandLineSwitch("-automation", "Automation"));
    EXPECT_FALSE(HasCommandLineSwitch("-automation", "Embedding"));
    EXPECT_TRUE(HasCommandLineSwitch("/Embedding /Automation", "Automation"));
}

// Case folds for the letters A to Z alone, the first and the last included.
TEST(CommandLineSwitchesTest, OnlyTheLettersAToZFoldCase) {
    const struct {
        const char *commandLine, *name;
        bool found;
    } cases[] = {
        {"/AZ", "az", true},
        {"-az", "AZ", true},
        {"/@[", "`{", false},
        {"/`{", "@[", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasCommandLineSwitch(c.commandLine, c.name), c.found)
            << '"' << c.commandLine << "\" for " << c.name;
}

} // namespace
