// The four-byte status file shared with the companion application: byte 0 the running mark, byte 1
// the level letter, bytes 2 and 3 the companion's. And the level a run starts at, from what the
// tool reads of it.
#pragma once

#include <cstdint>

#include "Levels.h"

constexpr const char* kFlagFileName = "Flag.txt";
constexpr unsigned kFlagFileLength = 4;
constexpr int kRunningMarkOffset = 0;
constexpr int kLevelLetterOffset = 1;
// Byte 0 while the tool runs, and after it has stopped.
constexpr unsigned char kRunningMark = 'y';
constexpr unsigned char kStoppedMark = 'n';
// Byte 1 holds this letter plus the level.
constexpr unsigned char kLevelLetterBase = 'A';

// The level a level letter stands for: the letter minus "A" as a signed byte.
constexpr int8_t StoredLevelOfLetter(unsigned char letter) {
    return static_cast<int8_t>(static_cast<unsigned char>(letter - kLevelLetterBase));
}

// What a file without byte 1 reads there: its level, 0xFF less "A", lies outside the level range.
constexpr unsigned char kMissingLetter = 0xFF;

// The stored level: 0 when the tool cannot open the file for reading and writing, otherwise the
// level of the letter at offset 1 (kMissingLetter when there is none).
constexpr int8_t StoredLevel(bool opened, unsigned char letter) {
    return opened ? StoredLevelOfLetter(letter) : 0;
}

// The level a run starts at: the stored level, or the centre when that is no table row. So a file
// that cannot be opened gives level 0, a file without byte 1 the centre.
constexpr int StartLevel(bool opened, unsigned char letter) {
    return StartLevelOf(StoredLevel(opened, letter));
}
