// A writer of Flag.txt beside the tool, for the flag file's concurrency test. For the given time it
// writes a counter to each byte it is given, as the companion application writes bytes 2 and 3:
// open "rb+", read, seek, write, close. Before each write it checks that those bytes still hold
// what it wrote last: the tool sets other bytes only, so a difference is one of its writes undone.
//
// flag_file_companion FLAG_FILE OFFSETS MILLISECONDS RESULT_FILE
// OFFSETS are digits 0 to 3, such as "023". RESULT_FILE receives "<writes> <lost
// writes>". Exit status 0, or 2 on a usage error or when the result cannot be written.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "FileStream.h"

namespace {

constexpr std::size_t kFlagSize = 4;
// A pause after each write, which wakes the writer up again at any point of the tool's work, also
// when both share one processor.
constexpr auto kPause = std::chrono::microseconds(20);

struct Tally {
    unsigned long writes = 0;
    unsigned long lost = 0;
};

// Reads the four bytes, counts a write undone when the given bytes no longer hold what it wrote
// last, and writes them anew. Returns false when it could not read or write.
bool Round(std::FILE* file, const std::string& offsets, unsigned char (&written)[kFlagSize],
           unsigned char counter, bool checked, Tally& tally) {
    unsigned char seen[kFlagSize];
    if (std::fread(seen, 1, sizeof seen, file) != sizeof seen)
        return false;
    bool undone = false;
    for (const char digit : offsets)
        undone = undone || seen[digit - '0'] != written[digit - '0'];
    tally.lost += checked && undone;
    for (const char digit : offsets) {
        // Each byte its own value, which changes with every round.
        const int offset = digit - '0';
        written[offset] = static_cast<unsigned char>(counter + offset);
        if (std::fseek(file, offset, SEEK_SET) != 0 || std::putc(written[offset], file) == EOF)
            return false;
    }
    ++tally.writes;
    return true;
}

Tally WriteUntil(const char* flagPath, const std::string& offsets,
                 std::chrono::steady_clock::time_point end) {
    Tally tally;
    unsigned char written[kFlagSize] = {};
    unsigned char counter = 0;
    bool checked = false;
    while (std::chrono::steady_clock::now() < end) {
        {
            const CFileStream file(flagPath, "rb+");
            checked =
                file.IsOpen() && Round(file.Get(), offsets, written, ++counter, checked, tally);
        }
        std::this_thread::sleep_for(kPause);
    }
    return tally;
}

bool AreOffsets(const std::string& offsets) {
    for (const char offset : offsets)
        if (offset < '0' || offset >= '0' + static_cast<int>(kFlagSize))
            return false;
    return !offsets.empty();
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
