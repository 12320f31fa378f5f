// A writer of Flag.txt beside the tool, for the flag file's concurrency test. For the given time it
// writes a counter to each byte it is given, as the companion application writes bytes 2 and 3:
// open "rb+", seek, write, close. Before each round it checks that those bytes still hold what it
// wrote last: the tool sets other bytes only, so a difference is one of its writes undone.
//
// flag_file_companion FLAG_FILE OFFSETS MILLISECONDS RESULT_FILE
// OFFSETS are digits 0 to 3 in rising order, such as "023". RESULT_FILE receives "<writes> <lost
// writes>". Exit status 0, or 2 on a usage error or when the result cannot be written.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FileStream.h"

namespace {

constexpr std::size_t kFlagSize = 4;

// Most rounds write through one opening: the tool's operations meet many more writes so.
constexpr int kRoundsPerOpening = 16;

struct Tally {
    unsigned long writes = 0;
    unsigned long lost = 0;
};

// Reads the four bytes, counts a write undone when the given bytes no longer hold what it wrote
// last, and writes them anew, each run of neighbouring bytes at once. Returns false when the round
// could not read or write.
bool Round(std::FILE* file, const std::string& offsets, unsigned char (&written)[kFlagSize],
           unsigned char counter, bool checked, Tally& tally) {
    unsigned char seen[kFlagSize];
    if (std::fseek(file, 0, SEEK_SET) != 0 || std::fread(seen, 1, sizeof seen, file) != sizeof seen)
        return false;
    bool undone = false;
    for (const char offset : offsets)
        undone = undone || seen[offset - '0'] != written[offset - '0'];
    tally.lost += checked && undone;
    for (std::size_t first = 0; first < offsets.size();) {
        std::size_t end = first + 1;
        while (end < offsets.size() && offsets[end] == offsets[end - 1] + 1)
            ++end;
        const long start = offsets[first] - '0';
        // Each byte its own value, which changes with every round.
        for (std::size_t i = first; i < end; ++i)
            written[offsets[i] - '0'] = static_cast<unsigned char>(counter + offsets[i]);
        if (std::fseek(file, start, SEEK_SET) != 0 ||
            std::fwrite(written + start, 1, end - first, file) != end - first)
            return false;
        first = end;
    }
    ++tally.writes;
    return std::fflush(file) == 0;
}

Tally WriteUntil(const char* flagPath, const std::string& offsets,
                 std::chrono::steady_clock::time_point end) {
    Tally tally;
    unsigned char written[kFlagSize] = {};
    unsigned char counter = 0;
    bool checked = false;
    while (std::chrono::steady_clock::now() < end) {
        const CFileStream file(flagPath, "rb+");
        checked = checked && file.IsOpen();
        for (int round = 0; round < kRoundsPerOpening && file.IsOpen(); ++round)
            checked = Round(file.Get(), offsets, written, ++counter, checked, tally);
    }
    return tally;
}

bool AreOffsets(const std::string& offsets) {
    for (const char offset : offsets)
        if (offset < '0' || offset >= '0' + static_cast<int>(kFlagSize))
            return false;
    return !offsets.empty() && std::is_sorted(offsets.begin(), offsets.end());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5 || !AreOffsets(argv[2])) {
        std::fprintf(stderr,
                     "usage: flag_file_companion FLAG_FILE OFFSETS MILLISECONDS RESULT_FILE\n");
        return 2;
    }
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atol(argv[3]));
    const Tally tally = WriteUntil(argv[1], argv[2], end);
    const CFileStream result(argv[4], "w");
    const bool written = result.IsOpen() &&
                         std::fprintf(result.Get(), "%lu %lu\n", tally.writes, tally.lost) > 0 &&
                         std::fflush(result.Get()) == 0;
    return written ? 0 : 2;
}
