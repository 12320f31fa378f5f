// What the shared-file readers report about a reading, besides its result.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BrightnessTable.h"
#include "FilmType.h"
#include "FilmTypeDetail.h"
#include "FlagFile.h"
#include "Levels.h"
#include "ScratchDirectory.h"
#include "TableFile.h"

namespace {

using namespace std::string_literals;

const std::string kLine = "0x28,0x20,0x20,0x10,0x10,0x08";

// --- Film type file

TEST(FilmTypeReportTest, KeywordsFoundAndWhereTheTextEnds) {
    using Found = std::array<bool, kFilmTypeCount>; // Slide, Film, B&W, Photo, PhoBW
    const struct {
        std::string content;
        Found found;
        std::size_t textLength;
        bool endedAtZeroByte;
    } cases[] = {
        {"Photo B&W", {false, false, true, true, false}, 9, false},
        {"PhoBW Slide film", {true, false, false, false, true}, 16, false},
        {"Film\0Slide"s, {false, true, false, false, false}, 4, true},
        {"\0Photo"s, {}, 0, true},
        {"B&W\0B&W"s, {false, false, true, false, false}, 3, true},
        // The text runs over two 512-byte blocks, with a keyword across their boundary.
        {std::string(510, '.') + "B&W" + std::string(90, '.') + "\0Film"s,
         {false, false, true, false, false},
         603,
         true},
    };
    for (const auto& c : cases) {
        CScratchDirectory dir;
        dir.Write(kFilmTypeFileName, c.content);
        // The tool's reading, and the one that reads on past the text, report the same.
        FilmTypeReport report, detailed;
        FilmTypeDetail detail;
        const FilmType type = DetectFilmType(dir.Prefix().c_str(), &report);
        EXPECT_EQ(DetectFilmType(dir.Prefix().c_str(), detailed, detail), type) << c.content;
        for (const FilmTypeReport& each : {report, detailed}) {
            EXPECT_TRUE(each.opened) << c.content;
            EXPECT_EQ(each.found, c.found) << c.content;
            EXPECT_EQ(each.textLength, c.textLength) << c.content;
            EXPECT_EQ(each.endedAtZeroByte, c.endedAtZeroByte) << c.content;
        }
    }
}

TEST(FilmTypeReportTest, MissingFileIsReportedAsNotOpened) {
    CScratchDirectory dir;
    FilmTypeReport report;
    report.opened = true;
    report.found[1] = true;
    EXPECT_EQ(DetectFilmType(dir.Prefix().c_str(), &report), FilmType::Slide);
    EXPECT_FALSE(report.opened);
    EXPECT_EQ(report.found, (std::array<bool, kFilmTypeCount>{}));
}

// --- Table files

using Source = TableValueSource;
constexpr Source F = Source::File;
constexpr Source N = Source::FileNonHexDigit;
constexpr Source B = Source::BuiltIn;
using Sources = std::array<Source, kTableColumnCount>;

struct RowFacts {
    Sources sources;
    int firstLine;
    int lastLine;
};

TEST(TableFileReportTest, EndSourcesAndLinesOfEachRow) {
    std::string full;
    for (int row = 0; row < kLevelCount + 2; ++row)
        full += kLine + "\r\n";
    const struct {
        const char* name;
        std::string content;
        TableFileEnd end;
        std::vector<RowFacts> rows; // rows beyond these: not reached
        int endMarkLine;
    } cases[] = {
        {"empty", "", TableFileEnd::EndOfFile, {}, 0},
        {"end mark on line 3",
         kLine + "\r\n" + kLine + "\r\n#\r\n" + kLine + "\r\n",
         TableFileEnd::EndMark,
         {{{F, F, F, F, F, F}, 1, 1}, {{F, F, F, F, F, F}, 2, 2}},
         3},
        {"line feeds only",
         kLine + "\n" + kLine + "\n" + kLine + "\n",
         TableFileEnd::NoCarriageReturn,
         {{{F, F, F, F, F, F}, 1, 3}},
         0},
        {"last line without line end",
         kLine + "\r\n" + kLine,
         TableFileEnd::NoCarriageReturn,
         {{{F, F, F, F, F, F}, 1, 1}, {{F, F, F, F, F, F}, 2, 2}},
         0},
        {"non-digits",
         "0x 8,0x20,0xg0,0x10,0x1 ,0x08\r\n",
         TableFileEnd::EndOfFile,
         {{{N, F, N, F, N, F}, 1, 1}},
         0},
        {"short line borrows the next",
         kLine + "\r\n0x31,0x32,0x33\r\n" + kLine + "\r\n" + kLine + "\r\n",
         TableFileEnd::EndOfFile,
         {{{F, F, F, F, F, F}, 1, 1}, {{F, F, F, N, N, N}, 2, 3}, {{F, F, F, F, F, F}, 4, 4}},
         0},
        {"end of file inside a value",
         kLine + "\r\n0x55,0x66,0x7",
         TableFileEnd::EndOfFile,
         {{{F, F, F, F, F, F}, 1, 1}, {{F, F, B, B, B, B}, 2, 2}},
         0},
    };
    for (const auto& c : cases) {
        CScratchDirectory dir;
        dir.Write("Brig.txt", c.content);
        CBrightnessTable table;
        TableFileReport report;
        EXPECT_TRUE(LoadBrightnessTable(FilmType::Slide, table, dir.Prefix().c_str(), &report));
        EXPECT_EQ(report.end, c.end) << c.name;
        EXPECT_EQ(report.endMarkLine, c.endMarkLine) << c.name;
        EXPECT_EQ(report.RowsRead(), static_cast<int>(c.rows.size())) << c.name;
        for (int row = 0; row < kLevelCount; ++row) {
            const bool reached = row < static_cast<int>(c.rows.size());
            const RowFacts expected = reached ? c.rows[row] : RowFacts{{}, 0, 0};
            EXPECT_EQ(report.sources[row], expected.sources) << c.name << ", row " << row;
            EXPECT_EQ(report.firstLine[row], expected.firstLine) << c.name << ", row " << row;
            EXPECT_EQ(report.lastLine[row], expected.lastLine) << c.name << ", row " << row;
        }
    }
}

TEST(TableFileReportTest, WhetherTheLastByteReadWasALineFeed) {
    const struct {
        std::string content;
        bool lineFeed;
    } cases[] = {
        {"", false},    {kLine + "\n", true},  {kLine + "\r\n", true},
        {kLine, false}, {kLine + "\r", false}, {kLine + "\r\n#\n", false},
    };
    for (const auto& c : cases) {
        CScratchDirectory dir;
        dir.Write("Brig.txt", c.content);
        CBrightnessTable table;
        TableFileReport report;
        LoadBrightnessTable(FilmType::Slide, table, dir.Prefix().c_str(), &report);
        EXPECT_EQ(report.lastByteWasLineFeed, c.lineFeed) << c.content;
    }
}

TEST(TableFileReportTest, TwentyFirstRowEndsTheReading) {
    std::string content;
    for (int row = 0; row < kLevelCount + 3; ++row)
        content += kLine + "\r\n";
    CScratchDirectory dir;
    dir.Write("Brigf.txt", content);
    CBrightnessTable table;
    TableFileReport report;
    LoadBrightnessTable(FilmType::BlackWhite, table, dir.Prefix().c_str(), &report);
    EXPECT_EQ(report.end, TableFileEnd::RowLimit);
    EXPECT_EQ(report.RowsRead(), kLevelCount);
    EXPECT_EQ(report.firstLine[20], 21);
    EXPECT_EQ(report.lastLine[20], 21);
}

TEST(TableFileReportTest, MissingFileIsReportedAsNotOpened) {
    CScratchDirectory dir;
    CBrightnessTable table;
    TableFileReport report;
    report.end = TableFileEnd::RowLimit;
    report.sources[0][0] = Source::File;
    EXPECT_FALSE(LoadBrightnessTable(FilmType::Photo, table, dir.Prefix().c_str(), &report));
    EXPECT_EQ(report.end, TableFileEnd::NotOpened);
    EXPECT_EQ(report.RowsRead(), 0);
}

// --- Flag file and the level a run starts at

TEST(StartLevelTest, LettersAndStoredLevelsGiveTheLevelTheRunStartsAt) {
    const struct {
        unsigned char letter;
        int stored;
        int start;
    } cases[] = {
        {'A', 0, 0},   {'K', 10, 10}, {'U', 20, 20},   {'V', 21, 10},
        {'@', -1, 10}, {'a', 32, 10}, {0xFF, -66, 10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StoredLevelOfLetter(c.letter), c.stored) << c.letter;
        EXPECT_EQ(StartLevelOf(c.stored), c.start) << c.letter;
        EXPECT_EQ(StartLevel(true, c.letter), c.start) << c.letter;
        // A file that cannot be opened gives level 0 whatever it holds.
        EXPECT_EQ(StartLevel(false, c.letter), 0) << c.letter;
    }
    // A file without byte 1 gives the centre.
    EXPECT_EQ(StartLevel(true, kMissingLetter), kLevelCentre);
}

} // namespace
