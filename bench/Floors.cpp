#include "Floors.h"

#include <cstdio>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>
#include <utility>

#include "QXBaseIF.h"
#include "SensorLink.h"

namespace {

constexpr std::size_t kWholeFile = 4096; // more than any file the benchmarks read
#ifdef O_BINARY
constexpr int kUntranslated = O_BINARY; // the Windows C runtime would turn CR LF into LF
#else
constexpr int kUntranslated = 0;
#endif
constexpr unsigned char kLevelLetterBase = 'A';

constexpr std::pair<std::string_view, FilmType> kKeywords[] = {
    {"Slide", FilmType::Slide},           {"Film", FilmType::Film},
    {"B&W", FilmType::BlackWhite},        {"Photo", FilmType::Photo},
    {"PhoBW", FilmType::PhotoBlackWhite},
};

// One read with the operating system's own calls gets a whole small file; -1 when it cannot be
// opened.
ssize_t ReadWithSystemCalls(const char* path, char* text, std::size_t size) {
    const int file = open(path, O_RDONLY | kUntranslated);
    if (file < 0)
        return -1;
    const ssize_t count = read(file, text, size);
    close(file);
    return count;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return c - 'a' + 10;
}

} // namespace

FilmType DetectFilmTypeFloor(const char* path) {
    char text[kWholeFile];
    const ssize_t count = ReadWithSystemCalls(path, text, sizeof text);
    if (count <= 0)
        return FilmType::Slide;
    std::string_view searched(text, static_cast<std::size_t>(count));
    searched = searched.substr(0, searched.find('\0'));
    for (const auto& [keyword, type] : kKeywords)
        if (searched.find(keyword) != std::string_view::npos)
            return type;
    return FilmType::Slide;
}

bool LoadTableFloor(const char* path, TableRows& rows) {
    char text[kWholeFile];
    const ssize_t count = ReadWithSystemCalls(path, text, sizeof text);
    if (count < 0)
        return false;
    const std::size_t size = static_cast<std::size_t>(count);
    // Row lines hold their values at columns 2, 7, 12, 17, 22, 27 and end in CR LF.
    constexpr std::size_t kLastValueEnd = 29;
    std::size_t line = 0;
    for (auto& row : rows) {
        if (line + kLastValueEnd > size)
            break;
        for (std::size_t column = 0; column < row.size(); ++column) {
            const char* digits = text + line + 2 + 5 * column;
            row[column] = 16 * HexDigit(digits[0]) + HexDigit(digits[1]);
        }
        const std::string_view rest(text + line + kLastValueEnd, size - line - kLastValueEnd);
        const std::size_t lineEnd = rest.find('\r');
        if (lineEnd == std::string_view::npos)
            break;
        line += kLastValueEnd + lineEnd + 2;
        if (line >= size || text[line] == '#')
            break;
    }
    return true;
}

int RewriteFlagFloor(const char* path, long offset, unsigned char byte) {
    std::FILE* file = std::fopen(path, "rb+");
    if (!file)
        return -1;
    unsigned char bytes[4];
    int storedLevel = -1;
    if (std::fread(bytes, 1, sizeof bytes, file) == sizeof bytes) {
        storedLevel = bytes[1] - kLevelLetterBase;
        bytes[offset] = byte;
        std::rewind(file); // a stream must be positioned between a read and a write
        std::fwrite(bytes, 1, sizeof bytes, file);
    }
    std::fclose(file);
    return storedLevel;
}

void WriteRowFloor(const CBrightnessTable::Row& row) {
    for (std::size_t column = 0; column < row.size(); ++column)
        WriteRegister(kSensorDeviceAddress, kBrightnessRegisters[column], row[column]);
}

TableRows RowsOf(const CBrightnessTable& table) {
    TableRows rows;
    for (int row = 0; row < kLevelCount; ++row)
        for (int column = 1; column <= kTableColumnCount; ++column)
            rows[row][column - 1] = table.Value(row, column);
    return rows;
}
