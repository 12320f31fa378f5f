// Fuzzes the table file reader with any bytes as the slide table file. Every value it stores must
// match a model of the fixed-column rules that indexes the whole byte string, and no other value
// may change. A row past 20 has nowhere to go: SetValue ignores it, and a write beyond the table's
// storage stops the run under AddressSanitizer. The reader's report must name every value it
// stored as from the file, with a non-digit where one of its two bytes is no hexadecimal digit.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BrightnessTable.h"
#include "ScratchDirectory.h"
#include "TableFile.h"

namespace {

// No value the reader can store: it stores bytes 0..255.
constexpr int32_t kUntouched = -1;

using Grid = std::array<std::array<int32_t, kTableColumnCount>, kLevelCount>;
using Sources = std::array<std::array<TableValueSource, kTableColumnCount>, kLevelCount>;

// A digit's value is its place in the digit strings; any other byte counts as 255.
int DigitOf(uint8_t byte) {
    static const char kDigits[] = "0123456789abcdefABCDEF";
    const void* hit = std::memchr(kDigits, byte, sizeof kDigits - 1);
    if (!hit)
        return 255;
    const int place = static_cast<int>(static_cast<const char*>(hit) - kDigits);
    return place < 16 ? place : place - 6;
}

// The values the reader should store, by row and table column; kUntouched where it stores none.
// A row line starts at `start`; its values stand at start + 2 + 5 * column; the next line starts
// two bytes after the first CR from start + 29 on, unless it begins with "#". `sources` receives
// where each value comes from.
Grid Expected(const uint8_t* data, std::size_t size, Sources& sources) {
    sources = Sources{};
    Grid grid;
    for (auto& row : grid)
        row.fill(kUntouched);
    std::size_t start = 0;
    for (int row = 0; row < kLevelCount && start < size; ++row) {
        for (int column = 0; column < kTableColumnCount; ++column) {
            const std::size_t high = start + 2 + 5 * column;
            if (high + 1 >= size)
                return grid;
            grid[row][column] = (16 * DigitOf(data[high]) + DigitOf(data[high + 1])) & 0xFF;
            const bool nonDigit = DigitOf(data[high]) == 255 || DigitOf(data[high + 1]) == 255;
            sources[row][column] =
                nonDigit ? TableValueSource::FileNonHexDigit : TableValueSource::File;
        }
        const std::size_t tail = start + 29;
        const void* cr = std::memchr(data + tail, '\r', size - tail);
        if (!cr)
            return grid;
        const std::size_t next =
            static_cast<std::size_t>(static_cast<const uint8_t*>(cr) - data) + 2;
        if (next >= size || data[next] == '#')
            return grid;
        start = next;
    }
    return grid;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const CScratchDirectory dir;
    // A file that cannot be written would void every check.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!dir.Write(TableFileName(FilmType::Slide), bytes))
        std::abort();

    CBrightnessTable table;
    for (int row = 0; row < kLevelCount; ++row)
        for (int column = 1; column <= kTableColumnCount; ++column)
            table.SetValue(row, column, kUntouched);
    TableFileReport report;
    if (!LoadBrightnessTable(FilmType::Slide, table, dir.Prefix().c_str(), &report)) {
        std::fprintf(stderr, "the table file could not be read\n");
        std::abort();
    }

    Sources sources;
    const Grid expected = Expected(data, size, sources);
    for (int row = 0; row < kLevelCount; ++row) {
        for (int column = 1; column <= kTableColumnCount; ++column) {
            const int32_t got = table.Value(row, column);
            const int32_t want = expected[row][column - 1];
            if (got != want) {
                std::fprintf(stderr, "row %d column %d: stored %d, expected %d (-1: none)\n", row,
                             column, got, want);
                std::abort();
            }
            const auto gotSource = report.sources[row][column - 1];
            const auto wantSource = sources[row][column - 1];
            if (gotSource != wantSource) {
                std::fprintf(stderr, "row %d column %d: reported source %d, expected %d\n", row,
                             column, static_cast<int>(gotSource), static_cast<int>(wantSource));
                std::abort();
            }
        }
    }
    return 0;
}
