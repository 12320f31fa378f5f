// The film type file read in detail, on past its text, by the tool's scanner.
#include <gtest/gtest.h>

#include <string>

#include "FilmType.h"
#include "FilmTypeDetail.h"
#include "ScratchDirectory.h"

namespace {

using namespace std::string_literals;

constexpr int kSlide = 0, kFilm = 1, kPhoto = 3, kPhoBW = 4;

struct Detailed {
    FilmTypeReport report;
    FilmTypeDetail detail;
};

Detailed Read(const std::string& content) {
    CScratchDirectory dir;
    dir.Write(kFilmTypeFileName, content);
    Detailed read;
    DetectFilmType(dir.Prefix().c_str(), read.report, read.detail);
    return read;
}

TEST(FilmTypeTextTest, KeywordsInOtherCaseWithTheirOffsetsAlsoAcrossBlocks) {
    // "fILM" starts 2 bytes before the end of the first 512-byte block.
    const Detailed text = Read(std::string(510, '.') + "fILM photo Photo");
    EXPECT_TRUE(text.report.opened);
    EXPECT_EQ(text.detail.length, 526u);
    EXPECT_FALSE(text.report.endedAtZeroByte);
    EXPECT_EQ(text.detail.caseIgnoredAt[kFilm], 510u);
    EXPECT_EQ(text.detail.caseIgnoredText[kFilm], "fILM");
    // The first occurrence, whatever its case.
    EXPECT_EQ(text.detail.caseIgnoredAt[kPhoto], 515u);
    EXPECT_EQ(text.detail.caseIgnoredText[kPhoto], "photo");
    EXPECT_EQ(text.detail.caseIgnoredAt[kSlide], kNowhere);
}

TEST(FilmTypeTextTest, TextEndsAtTheFirstZeroByteAndKeywordsAfterItAreFoundWithTheirCase) {
    // "PhoBW" starts 2 bytes before the end of the second block.
    const Detailed text =
        Read("slide\0"s + std::string(1016, '.') + "PhoBW\0film"s + std::string(2000, '-'));
    EXPECT_EQ(text.detail.length, 3032u);
    EXPECT_TRUE(text.report.endedAtZeroByte);
    EXPECT_EQ(text.report.textLength, 5u);
    EXPECT_EQ(text.detail.caseIgnoredAt[kSlide], 0u);
    EXPECT_EQ(text.detail.caseIgnoredAt[kFilm], kNowhere);
    EXPECT_TRUE(text.detail.onlyAfterText[kPhoBW]);
    EXPECT_FALSE(text.detail.onlyAfterText[kFilm]);
    EXPECT_FALSE(text.detail.onlyAfterText[kSlide]);
}

TEST(FilmTypeTextTest, MissingFileIsNotOpened) {
    CScratchDirectory dir;
    Detailed missing;
    DetectFilmType(dir.Prefix().c_str(), missing.report, missing.detail);
    EXPECT_FALSE(missing.report.opened);
    EXPECT_EQ(missing.detail.length, 0u);
}

} // namespace
