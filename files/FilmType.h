// The kind of media in use, found by keywords in the film type file.
#pragma once

#include <array>
#include <cstddef>

#include "FilePath.h"
#include "SharedDirectory.h"

enum class FilmType : int { Slide = 0, Film = 1, BlackWhite = 2, Photo = 3, PhotoBlackWhite = 4 };

constexpr int kFilmTypeCount = 5;

constexpr const char* kFilmTypeFileName = "FilmType.txt";

// The keyword that stands for a kind of media. The kinds' values are their places in the search
// order.
const char* FilmTypeKeyword(FilmType type);

// What a detection saw, for explaining its result.
struct FilmTypeReport {
    // False when the file could not be opened: nothing was searched.
    bool opened = false;
    // Which keywords the text holds, indexed by the value of their kind.
    std::array<bool, kFilmTypeCount> found{};
    // How many bytes the text has; when it ended at a zero byte, that byte's offset.
    std::size_t textLength = 0;
    bool endedAtZeroByte = false;
};

// Searches the film type file for "Slide", "Film", "B&W", "Photo", "PhoBW" in that order; the
// first one present decides. The text ends at the first zero byte. Every problem gives Slide.
FilmType DetectFilmType(const CFilePath& directory = SharedDirectory,
                        FilmTypeReport* report = nullptr);
