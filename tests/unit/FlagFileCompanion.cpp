// The companion application's writer of Flag.txt, for the flag file's concurrency test. For the
// given time it writes a counter to bytes 2 and 3 as the companion does: open "rb+", seek, write
// two bytes, close. Before each write it checks that the two bytes still hold what it wrote last:
// nothing else may change them, so a difference is one of its writes lost. It also counts how often
// bytes 0 and 1 changed between two of its openings, which shows that the tool wrote meanwhile.
//
// flag_file_companion FLAG_FILE MILLISECONDS RESULT_FILE
// RESULT_FILE receives "<writes> <lost writes> <tool changes seen>". Exit status 0, or 2 on a
// usage error or when the result cannot be written.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "FileStream.h"

namespace {

struct Tally {
    unsigned long writes = 0;
    unsigned long lost = 0;
    unsigned long toolChangesSeen = 0;
};

Tally WriteUntil(const char* flagPath, std::chrono::steady_clock::time_point end) {
    Tally tally;
    unsigned char written[4] = {};
    unsigned counter = 0;
    while (std::chrono::steady_clock::now() < end) {
        const CFileStream file(flagPath, "rb+");
        unsigned char seen[4];
        if (!file.IsOpen() || std::fread(seen, 1, sizeof seen, file.Get()) != sizeof seen)
            continue;
        if (tally.writes > 0) {
            tally.lost += seen[2] != written[2] || seen[3] != written[3];
            tally.toolChangesSeen += seen[0] != written[0] || seen[1] != written[1];
        }
        ++counter;
        written[0] = seen[0];
        written[1] = seen[1];
        written[2] = static_cast<unsigned char>(counter);
        written[3] = static_cast<unsigned char>(counter >> 8);
        if (std::fseek(file.Get(), 2, SEEK_SET) == 0 &&
            std::fwrite(written + 2, 1, 2, file.Get()) == 2)
            ++tally.writes;
    }
    return tally;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: flag_file_companion FLAG_FILE MILLISECONDS RESULT_FILE\n");
        return 2;
    }
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atol(argv[2]));
    const Tally tally = WriteUntil(argv[1], end);
    std::FILE* result = std::fopen(argv[3], "w");
    if (!result)
        return 2;
    std::fprintf(result, "%lu %lu %lu\n", tally.writes, tally.lost, tally.toolChangesSeen);
    return std::fclose(result) == 0 ? 0 : 2;
}
