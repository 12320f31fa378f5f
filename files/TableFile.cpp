#include "TableFile.h"

#include <cstdio>

#include "BrightnessTable.h"
#include "FileStream.h"

namespace {

constexpr int kCarriageReturn = 0x0D;
constexpr int kEndOfTableMark = '#';

// Reads one row line after another at fixed columns. Every read can meet the end of the file,
// which ends the table there.
class CTableFileReader {
public:
    CTableFileReader(std::FILE* file, CBrightnessTable& table) : m_file(file), m_table(table) {}

    void ReadRows() {
        int c;
        if (!Next(c)) // column 0 of line 1: a row whatever it holds
            return;
        for (int row = 0; row < kLevelCount; ++row) {
            if (!Skip(1))
                return;
            for (int column = 1; column <= kTableColumnCount; ++column) {
                if (column > 1 && !Skip(3))
                    return;
                int high, low;
                if (!Next(high) || !Next(low))
                    return;
                const int value = (16 * HexDigitValue(high) + HexDigitValue(low)) % 256;
                m_table.SetValue(row, column, value);
            }
            if (row == kLevelCount - 1)
                return;
            do {
                if (!Next(c))
                    return;
            } while (c != kCarriageReturn);
            if (!Skip(1) || !Next(c) || c == kEndOfTableMark)
                return;
        }
    }

private:
    bool Next(int& c) {
        c = std::getc(m_file);
        return c != EOF;
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
};

} // namespace

uint8_t HexDigitValue(unsigned char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 255;
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

bool LoadBrightnessTable(FilmType type, CBrightnessTable& table, const CFilePath& directory) {
    CFileStream file(CFilePath(directory, TableFileName(type)), "rb");
    if (!file.IsOpen())
        return false;
    CTableFileReader(file.Get(), table).ReadRows();
    return true;
}
