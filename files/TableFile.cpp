#include "TableFile.h"

#include <cstdio>

#include "FileStream.h"
#include "TableLayout.h"

namespace {

constexpr int kCarriageReturn = 0x0D;
constexpr int kLineFeed = 0x0A;

// Reads one row line after another at fixed columns. Every read can meet the end of the file,
// which ends the table there. Notes in the report where each value came from and where each row
// stands in the file.
class CTableFileReader {
public:
    CTableFileReader(std::FILE* file, CBrightnessTable& table, TableFileReport& report)
        : m_file(file), m_table(table), m_report(report) {}

    TableFileEnd ReadRows() {
        int c;
        if (!Next(c)) // column 0 of line 1: a row whatever it holds
            return TableFileEnd::EndOfFile;
        for (int row = 0;; ++row) {
            m_report.firstLine[row] = m_line;
            const bool stored = ReadValues(row);
            m_report.lastLine[row] = m_line;
            if (!stored)
                return TableFileEnd::EndOfFile;
            if (row == kLevelCount - 1)
                return TableFileEnd::RowLimit;
            const bool lineEnded = SkipPastCarriageReturn();
            m_report.lastLine[row] = m_line;
            if (!lineEnded)
                return TableFileEnd::NoCarriageReturn;
            if (!Skip(1) || !Next(c))
                return TableFileEnd::EndOfFile;
            if (c == kEndOfTableMark) {
                m_report.endMarkLine = m_line;
                return TableFileEnd::EndMark;
            }
        }
    }

private:
    // The row line after its column 0, up to the last value's low digit: stores each value as soon
    // as both its digits are read.
    bool ReadValues(int row) {
        if (!Skip(kFirstDigitColumn - 1))
            return false;
        for (int column = 1; column <= kTableColumnCount; ++column) {
            if (column > 1 && !Skip(kValuePitch - 2))
                return false;
            int high, low;
            if (!Next(high) || !Next(low))
                return false;
            const uint8_t highValue = HexDigitValue(high);
            const uint8_t lowValue = HexDigitValue(low);
            m_table.SetValue(row, column, (16 * highValue + lowValue) % 256);
            const bool nonDigit = highValue == kNotAHexDigit || lowValue == kNotAHexDigit;
            m_report.sources[row][column - 1] =
                nonDigit ? TableValueSource::FileNonHexDigit : TableValueSource::File;
        }
        return true;
    }

    bool SkipPastCarriageReturn() {
        int c;
        do {
            if (!Next(c))
                return false;
        } while (c != kCarriageReturn);
        return true;
    }

    // Reads one byte; m_line becomes the line it stands on.
    bool Next(int& c) {
        c = std::getc(m_file);
        if (c == EOF)
            return false;
        m_line = m_nextLine;
        m_report.lastByteWasLineFeed = c == kLineFeed;
        if (c == kLineFeed)
            ++m_nextLine;
        return true;
    }

    bool Skip(int count) {
        int c;
        for (int i = 0; i < count; ++i)
            if (!Next(c))
                return false;
        return true;
    }

    std::FILE* m_file;
    CBrightnessTable& m_table;
    TableFileReport& m_report;
    int m_line = 0;
    int m_nextLine = 1;
};

} // namespace

uint8_t HexDigitValue(unsigned char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return kNotAHexDigit;
}

const char* TableFileName(FilmType type) {
    switch (type) {
    case FilmType::Slide:
        return "Brig.txt";
    case FilmType::Photo:
        return "Brigp.txt";
    case FilmType::PhotoBlackWhite:
        return "Brigb.txt";
    default:
        return "Brigf.txt";
    }
}

int TableFileReport::RowsRead() const {
    int rows = 0;
    while (rows < kLevelCount && sources[rows][0] != TableValueSource::BuiltIn)
        ++rows;
    return rows;
}

bool LoadBrightnessTable(FilmType type, CBrightnessTable& table, const CFilePath& directory,
                         TableFileReport* report) {
    CFileStream file(CFilePath(directory, TableFileName(type)), "rb");
    if (!file.IsOpen()) {
        if (report)
            *report = TableFileReport{};
        return false;
    }
    ReadBrightnessTable(file.Get(), table, report);
    return true;
}

void ReadBrightnessTable(std::FILE* file, CBrightnessTable& table, TableFileReport* report) {
    TableFileReport unused;
    TableFileReport& facts = report ? *report : unused;
    facts = TableFileReport{};
    facts.end = CTableFileReader(file, table, facts).ReadRows();
}
