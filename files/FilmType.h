// The kind of media in use, found by keywords in the film type file.
#pragma once

#include "FilePath.h"
#include "SharedDirectory.h"

enum class FilmType : int { Slide = 0, Film = 1, BlackWhite = 2, Photo = 3, PhotoBlackWhite = 4 };

constexpr const char* kFilmTypeFileName = "FilmType.txt";

// Searches the film type file for "Slide", "Film", "B&W", "Photo", "PhoBW" in that order; the
// first one present decides. The text ends at the first zero byte. Every problem gives Slide.
FilmType DetectFilmType(const CFilePath& directory = SharedDirectory);
