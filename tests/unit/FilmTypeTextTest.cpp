// The inspector's second reading of the film type file, block by block.
#include <gtest/gtest.h>

#include <string>

#include "FilmTypeText.h"
#include "ScratchDirectory.h"

namespace {

using namespace std::string_literals;

constexpr int kSlide = 0, kFilm = 1, kPhoto = 3, kPhoBW = 4;

FilmTypeText Read(const std::string& content) {
    CScratchDirectory dir;
    dir.Write(kFilmTypeFileName, content);
    return ReadFilmTypeText(CFilePath(dir.Prefix().c_str(), kFilmTypeFileName));
}

TEST(FilmTypeTextTest, KeywordsInOtherCaseWithTheirOffsetsAlsoAcrossBlocks) {
    // "fILM" starts 2 bytes before the end of the first 512-byte block.
    const FilmTypeText text = Read(std::string(510, '.') + "fILM photo Photo");
    EXPECT_TRUE(text.opened);
    EXPECT_EQ(text.length, 526u);
    EXPECT_EQ(text.zeroByteAt, kNowhere);
    EXPECT_EQ(text.caseIgnoredAt[kFilm], 510u);
    EXPECT_EQ(text.caseIgnoredText[kFilm], "fILM");
    // The first occurrence, whatever its case.
    EXPECT_EQ(text.caseIgnoredAt[kPhoto], 515u);
    EXPECT_EQ(text.caseIgnoredText[kPhoto], "photo");
    EXPECT_EQ(text.caseIgnoredAt[kSlide], kNowhere);
}

TEST(FilmTypeTextTest, TextEndsAtTheFirstZeroByteAndKeywordsAfterItAreFoundWithTheirCase) {
    // "PhoBW" starts 2 bytes before the end of the second block.
    const FilmTypeText text =
        Read("slide\0"s + std::string(1016, '.') + "PhoBW\0film"s + std::string(2000, '-'));
    EXPECT_EQ(text.length, 3032u);
    EXPECT_EQ(text.zeroByteAt, 5u);
    EXPECT_EQ(text.caseIgnoredAt[kSlide], 0u);
    EXPECT_EQ(text.caseIgnoredAt[kFilm], kNowhere);
    EXPECT_TRUE(text.afterZeroByte[kPhoBW]);
    EXPECT_FALSE(text.afterZeroByte[kFilm]);
    EXPECT_FALSE(text.afterZeroByte[kSlide]);
}

TEST(FilmTypeTextTest, MissingFileIsNotOpened) {
    CScratchDirectory dir;
    const FilmTypeText text = ReadFilmTypeText(CFilePath(dir.Prefix().c_str(), kFilmTypeFileName));
    EXPECT_FALSE(text.opened);
    EXPECT_EQ(text.length, 0u);
}

} // namespace
