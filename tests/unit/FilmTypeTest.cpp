#include <gtest/gtest.h>

#include "FilmType.h"
#include "ScratchDirectory.h"

namespace {

using namespace std::string_literals;

class FilmTypeTest : public ::testing::Test {
protected:
    FilmType Detect(const std::string& content) {
        dir.Write(kFilmTypeFileName, content);
        return DetectFilmType(dir.Prefix().c_str());
    }

    CScratchDirectory dir;
};

TEST_F(FilmTypeTest, FirstKeywordInSearchOrderDecides) {
    const struct {
        std::string text;
        FilmType expected;
    } cases[] = {
        {"Slide", FilmType::Slide},
        {"Film then Slide", FilmType::Slide},
        {"B&W Film", FilmType::Film},
        {"B&W", FilmType::BlackWhite},
        {"Photo B&W", FilmType::BlackWhite},
        {"Photo", FilmType::Photo},
        {"PhoBW", FilmType::PhotoBlackWhite},
        {"PhoBW Photo", FilmType::Photo},
        {"Filmstrip", FilmType::Film},
        {"\r\nmode=Photo\r\n", FilmType::Photo},
        {"film slide b&w photo phobw", FilmType::Slide},
        // Case decides: a keyword in other letters is no keyword.
        {"photo", FilmType::Slide},
        {"FILM b&w Photo", FilmType::Photo},
        {"Phot oBW PhoB", FilmType::Slide},
        {"", FilmType::Slide},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Detect(c.text), c.expected) << c.text;
}

TEST_F(FilmTypeTest, MissingFileIsSlide) {
    EXPECT_EQ(DetectFilmType(dir.Prefix().c_str()), FilmType::Slide);
}

TEST_F(FilmTypeTest, TextEndsAtTheFirstZeroByte) {
    EXPECT_EQ(Detect("Photo\0Film"s), FilmType::Photo);
    EXPECT_EQ(Detect("\0Film"s), FilmType::Slide);
    EXPECT_EQ(Detect("Ph\0oBW"s), FilmType::Slide);
}

TEST_F(FilmTypeTest, FileOfExactlyOneBlockIsSearchedWhole) {
    EXPECT_EQ(Detect(std::string(507, '.') + "Photo"), FilmType::Photo);
}

TEST_F(FilmTypeTest, LongFileIsSearchedWholeAcrossBlockBoundaries) {
    // A keyword placed at every offset around the first two block boundaries.
    for (std::size_t start : {507u, 508u, 509u, 510u, 511u, 512u, 1020u, 1023u, 1024u}) {
        const std::string text = std::string(start, '.') + "PhoBW" + std::string(40, '.');
        EXPECT_EQ(Detect(text), FilmType::PhotoBlackWhite) << start;
    }
    EXPECT_EQ(Detect(std::string(5000, 'x') + "B&W"), FilmType::BlackWhite);
}

TEST_F(FilmTypeTest, ZeroByteInALaterBlockEndsTheText) {
    EXPECT_EQ(Detect(std::string(600, '.') + "Film\0Slide"s), FilmType::Film);
    EXPECT_EQ(Detect(std::string(510, '.') + "Fi\0lm"s + std::string(600, '.')), FilmType::Slide);
}

TEST_F(FilmTypeTest, PiecesOfKeywordsJoinNeitherAcrossGapsNorWithAnEarlierBlocksBytes) {
    EXPECT_EQ(Detect(std::string(510, '.') + "Fi" + std::string(512, '.') + "lm"), FilmType::Slide);
    // A short last block "Fi" lands on the start of the block before it, whose "lm" stays behind.
    EXPECT_EQ(Detect(".."
                     "lm" +
                     std::string(508, '.') + "Fi"),
              FilmType::Slide);
}

} // namespace
