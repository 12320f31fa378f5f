// The four-byte status file shared with the companion: byte 0 the running mark ("y"/"n"), byte 1
// the level letter ("A" + level), bytes 2 and 3 the companion's. Every operation opens the file and
// closes it; StoreLevel writes byte 1 alone, MarkRunning byte 0 alone, ReadStoredLevel nothing. The
// file is never created or truncated; a write past the end of a shorter file grows it up to that
// byte, the system filling any gap with zero bytes. No byte read is ever written back: a
// companion's write between the tool's read and its write would be undone.
#pragma once

#include <cstdint>

#include "FilePath.h"
#include "SharedDirectory.h"

// The level a level letter stands for: the letter minus "A" as a signed byte.
int8_t StoredLevelOfLetter(unsigned char letter);

// What reading the stored level found.
struct FlagFileReport {
    // False when the file could not be opened for reading and writing: nothing was read.
    bool opened = false;
};

class CFlagFile {
public:
    static constexpr const char* kFileName = "Flag.txt";
    // Byte 1 holds this letter plus the level.
    static constexpr unsigned char kLevelLetterBase = 0x41;
    // Byte 0 while the tool runs, and after it has stopped.
    static constexpr unsigned char kRunningMark = 'y';
    static constexpr unsigned char kStoppedMark = 'n';

    explicit CFlagFile(const CFilePath& directory = SharedDirectory);

    // The stored level of the level letter; 0 when the file cannot be opened for reading and
    // writing. A file without byte 1 gives a value outside the level range.
    int8_t ReadStoredLevel(FlagFileReport* report = nullptr) const;
    // Writes the level letter at offset 1 and no other byte.
    void StoreLevel(int level) const;
    // Writes "y" or "n" at offset 0 and no other byte.
    void MarkRunning(bool running) const;

private:
    CFilePath m_path;
};
