#include <gtest/gtest.h>

#include <string>

#include "FilePath.h"

namespace {

// A path fills the buffer up to its terminating zero. One character more and it is no path at all,
// never a shorter one that could name another file.
TEST(FilePathTest, FillsTheBufferAndNoMore) {
    const std::string name = "Flag.txt";
    const std::string directory(CFilePath::kCapacity - 1 - name.size(), 'd');
    const CFilePath longest(directory.c_str(), name.c_str());
    EXPECT_TRUE(longest.Fits());
    EXPECT_EQ(longest.Text(), directory + name);

    const CFilePath tooLong((directory + "d").c_str(), name.c_str());
    EXPECT_FALSE(tooLong.Fits());
    EXPECT_STREQ(tooLong.Text(), "");

    const CFilePath tooLongDirectory(std::string(CFilePath::kCapacity, 'd').c_str());
    EXPECT_FALSE(CFilePath(tooLongDirectory, "").Fits());
}

} // namespace
