#include <gtest/gtest.h>

#include "BrightnessTable.h"
#include "ScratchDirectory.h"
#include "TableFile.h"

namespace {

using namespace std::string_literals;
using Row = CBrightnessTable::Row;

const std::string kLine0 = "0x28,0x20,0x20,0x10,0x10,0x08\r\n";

// A row line in the usual layout, with the given values.
std::string Line(const Row& row, const std::string& end = "\r\n") {
    char text[40];
    std::snprintf(text, sizeof text, "0x%02X,0x%02X,0x%02X,0x%02X,0x%02X,0x%02X", row[0], row[1],
                  row[2], row[3], row[4], row[5]);
    return text + end;
}

Row Filled(int32_t value) {
    return {value, value, value, value, value, value};
}

class TableFileTest : public ::testing::Test {
protected:
    // Loads `content` as the slide table and returns the result.
    bool Load(const std::string& content) {
        dir.Write("Brig.txt", content);
        return LoadBrightnessTable(FilmType::Slide, table, dir.Prefix().c_str());
    }

    CScratchDirectory dir;
    CBrightnessTable table;
    const CBrightnessTable builtIn;
};

TEST(HexDigitValueTest, MapsDigitsOfBothCasesAndAnythingElseTo255) {
    for (int c = 0; c < 256; ++c) {
        int expected = 255;
        if (c >= '0' && c <= '9')
            expected = c - '0';
        else if (c >= 'a' && c <= 'f')
            expected = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            expected = c - 'A' + 10;
        EXPECT_EQ(HexDigitValue(static_cast<unsigned char>(c)), expected) << c;
    }
}

TEST(TableFileNameTest, BlackAndWhiteFilmSharesTheFilmTable) {
    EXPECT_STREQ(TableFileName(FilmType::Slide), "Brig.txt");
    EXPECT_STREQ(TableFileName(FilmType::Film), "Brigf.txt");
    EXPECT_STREQ(TableFileName(FilmType::BlackWhite), "Brigf.txt");
    EXPECT_STREQ(TableFileName(FilmType::Photo), "Brigp.txt");
    EXPECT_STREQ(TableFileName(FilmType::PhotoBlackWhite), "Brigb.txt");
}

TEST_F(TableFileTest, MissingFileLeavesBuiltInRows) {
    EXPECT_FALSE(LoadBrightnessTable(FilmType::Photo, table, dir.Prefix().c_str()));
    for (int row = 0; row < kLevelCount; ++row)
        EXPECT_EQ(table.RowOf(row), builtIn.RowOf(row));
}

TEST_F(TableFileTest, HashLineEndsTheTable) {
    EXPECT_TRUE(Load("0x30,0x28,0x28,0x18,0x18,0x10\r\n#end\r\n" + Line(Filled(1))));
    EXPECT_EQ(table.RowOf(0), (Row{0x30, 0x28, 0x28, 0x18, 0x18, 0x10}));
    for (int row = 1; row < kLevelCount; ++row)
        EXPECT_EQ(table.RowOf(row), builtIn.RowOf(row)) << row;
}

TEST_F(TableFileTest, FirstLineIsARowEvenWhenItStartsWithHash) {
    EXPECT_TRUE(Load("#x11,0x22,0x33,0x44,0x55,0x66\r\n"));
    EXPECT_EQ(table.RowOf(0), (Row{0x11, 0x22, 0x33, 0x44, 0x55, 0x66}));
}

TEST_F(TableFileTest, ThreeRowsChangeOnlyRowsZeroToTwo) {
    EXPECT_TRUE(Load(Line(Filled(1)) + Line(Filled(2)) + Line(Filled(3))));
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(table.RowOf(row), Filled(row + 1));
    for (int row = 3; row < kLevelCount; ++row)
        EXPECT_EQ(table.RowOf(row), builtIn.RowOf(row)) << row;
}

TEST_F(TableFileTest, OnlyTheDigitColumnsAreExamined) {
    const struct {
        const char* name;
        std::string line;
        Row expected;
    } cases[] = {
        {"example", kLine0, {0x28, 0x20, 0x20, 0x10, 0x10, 0x08}},
        {"mixed case", "0xaF,0xBc,0x0d,0xE0,0xff,0xFF\r\n", {0xAF, 0xBC, 0x0D, 0xE0, 0xFF, 0xFF}},
        {"other separators and a remark",
         "0x28;0x20;0x20;0x10;0x10;0x08 remark\r\n",
         {0x28, 0x20, 0x20, 0x10, 0x10, 0x08}},
        {"end-of-text bytes between values",
         "\x1A\x1A"
         "28\x1A\x1A\x1A"
         "20,0x20,0x10,0x10,0x08\r\n",
         {0x28, 0x20, 0x20, 0x10, 0x10, 0x08}},
        {"any bytes between values",
         "\r\n28\n\r#20\0\xFF!20zzz10\r\n 10q\0q08\r\n"s,
         {0x28, 0x20, 0x20, 0x10, 0x10, 0x08}},
        {"blank high digit",
         "0x 8,0x20,0x20,0x10,0x10,0x08\r\n",
         {0xF8, 0x20, 0x20, 0x10, 0x10, 0x08}},
        {"blank low digit",
         "0x2 ,0x20,0x20,0x10,0x10,0x08\r\n",
         {0x1F, 0x20, 0x20, 0x10, 0x10, 0x08}},
        {"two blanks", "0x  ,0x20,0x20,0x10,0x10,0x08\r\n", {0xEF, 0x20, 0x20, 0x10, 0x10, 0x08}},
        {"letters beyond f",
         "0xgG,0xZ1,0x1z,0x10,0x10,0x08\r\n",
         {0xEF, 0xF1, 0x0F, 0x10, 0x10, 0x08}},
    };
    for (const auto& c : cases) {
        CBrightnessTable fresh;
        dir.Write("Brig.txt", c.line);
        EXPECT_TRUE(LoadBrightnessTable(FilmType::Slide, fresh, dir.Prefix().c_str())) << c.name;
        EXPECT_EQ(fresh.RowOf(0), c.expected) << c.name;
        EXPECT_EQ(fresh.RowOf(1), builtIn.RowOf(1)) << c.name;
    }
}

TEST_F(TableFileTest, NulBytesAreOrdinaryCharacters) {
    std::string line = Line(Filled(0x42));
    line[0] = '\0';
    line[5] = '\0';
    EXPECT_TRUE(Load(line + Line(Filled(0x43))));
    EXPECT_EQ(table.RowOf(0), Filled(0x42));
    EXPECT_EQ(table.RowOf(1), Filled(0x43));
}

TEST_F(TableFileTest, StopsAfterRowTwentyOfALongerFile) {
    std::string content;
    for (int row = 0; row < 25; ++row)
        content += Line(Filled(row + 0x30));
    EXPECT_TRUE(Load(content));
    for (int row = 0; row < kLevelCount; ++row)
        EXPECT_EQ(table.RowOf(row), Filled(row + 0x30)) << row;
}

TEST_F(TableFileTest, LastLineNeedsNoLineEnd) {
    EXPECT_TRUE(Load(Line(Filled(1)) + Line(Filled(2), "")));
    EXPECT_EQ(table.RowOf(1), Filled(2));
}

TEST_F(TableFileTest, LineFeedOnlyFileStoresRowZeroOnly) {
    EXPECT_TRUE(Load(Line(Filled(1), "\n") + Line(Filled(2), "\n") + Line(Filled(3), "\n")));
    EXPECT_EQ(table.RowOf(0), Filled(1));
    EXPECT_EQ(table.RowOf(1), builtIn.RowOf(1));
}

TEST_F(TableFileTest, CarriageReturnOnlyLinesLoseTheirFirstCharacterToTheMissingLineFeed) {
    // The character after each CR is skipped as the line feed, so every value of the next row is
    // read one column late: a digit and a separator, which counts as 255.
    EXPECT_TRUE(Load(Line(Filled(0x11), "\r") + Line(Filled(0x22), "\r")));
    EXPECT_EQ(table.RowOf(0), Filled(0x11));
    EXPECT_EQ(table.RowOf(1), Filled(0x1F));
}

TEST_F(TableFileTest, ShortLineBorrowsFromTheNextLine) {
    // Row 1 holds three values; the other three come from its line end and the next line, whose
    // own CR then ends row 1, so the third line gives row 2.
    const std::string shortLine = "0x31,0x32,0x33\r\n";
    EXPECT_TRUE(Load(Line(Filled(0x10)) + shortLine + Line(Filled(0x44)) + Line(Filled(0x55))));
    EXPECT_EQ(table.RowOf(1), (Row{0x31, 0x32, 0x33, 0xF4, 0xF4, 0xF4}));
    EXPECT_EQ(table.RowOf(2), Filled(0x55));
    EXPECT_EQ(table.RowOf(3), builtIn.RowOf(3));
}

TEST_F(TableFileTest, EndOfFileInsideAValueStoresOnlyTheCompleteValues) {
    EXPECT_TRUE(Load(Line(Filled(1)) + "0x55,0x66,0x7"));
    EXPECT_EQ(table.RowOf(1), (Row{0x55, 0x66, 0x28, 0x18, 0x18, 0x10}));
}

TEST_F(TableFileTest, EmptyFileStoresNothingAndSucceeds) {
    EXPECT_TRUE(Load(""));
    EXPECT_EQ(table.RowOf(0), builtIn.RowOf(0));
}

TEST_F(TableFileTest, EachFilmTypeReadsItsOwnFile) {
    const struct {
        FilmType type;
        const char* file;
    } cases[] = {{FilmType::Slide, "Brig.txt"},
                 {FilmType::Film, "Brigf.txt"},
                 {FilmType::BlackWhite, "Brigf.txt"},
                 {FilmType::Photo, "Brigp.txt"},
                 {FilmType::PhotoBlackWhite, "Brigb.txt"}};
    dir.Write("Brig.txt", Line(Filled(0x01)));
    dir.Write("Brigf.txt", Line(Filled(0x02)));
    dir.Write("Brigp.txt", Line(Filled(0x03)));
    dir.Write("Brigb.txt", Line(Filled(0x04)));
    const int32_t expected[] = {0x01, 0x02, 0x02, 0x03, 0x04};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        CBrightnessTable fresh;
        EXPECT_TRUE(LoadBrightnessTable(cases[i].type, fresh, dir.Prefix().c_str()))
            << cases[i].file;
        EXPECT_EQ(fresh.RowOf(0), Filled(expected[i])) << cases[i].file;
    }
}

} // namespace
