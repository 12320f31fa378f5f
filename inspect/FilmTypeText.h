// What the inspector needs from the film type file beyond the tool's own detection: its length,
// where its text ends, keywords written in another case, and keywords after the end of the text.
// The file is read in the tool's blocks, so that a file of any size takes the same memory.
#pragma once

#include <array>
#include <string>

#include "FilePath.h"
#include "FilmType.h"

constexpr unsigned long long kNowhere = ~0ull;

struct FilmTypeText {
    bool opened = false;
    unsigned long long length = 0;
    unsigned long long zeroByteAt = kNowhere;
    // Indexed by the value of each keyword's kind: the first offset in the text where the keyword
    // stands when case is ignored, and the bytes that stand there.
    std::array<unsigned long long, kFilmTypeCount> caseIgnoredAt;
    std::array<std::string, kFilmTypeCount> caseIgnoredText;
    // Indexed the same way: whether the keyword, case and all, stands after the first zero byte.
    std::array<bool, kFilmTypeCount> afterZeroByte{};
};

// Opens the file as the tool does, with the same share mode.
FilmTypeText ReadFilmTypeText(const CFilePath& path);
