// The film type file read on past its text, for explaining the tool's result to someone who wrote
// the file. quenlit-inspect's alone: Quenlit.exe never reads past the text.
#pragma once

#include <array>
#include <string>

#include "FilmType.h"
#include "KeywordScan.h"

// What explains a detection to someone who wrote the file: the whole file, read on past the text.
struct FilmTypeDetail {
    unsigned long long length = 0;
    // Indexed by the value of each keyword's kind: the first offset in the text where the keyword
    // stands when case is ignored, or kNowhere, and the bytes that stand there.
    std::array<unsigned long long, kFilmTypeCount> caseIgnoredAt{};
    std::array<std::string, kFilmTypeCount> caseIgnoredText;
    // Whether the keyword, case and all, stands after the text and not in it.
    std::array<bool, kFilmTypeCount> onlyAfterText{};
};

// DetectFilmType with the same scanner and the same result, which goes on reading to the end of
// the file to fill `detail` as well. The tool itself never reads past the text.
FilmType DetectFilmType(const CFilePath& directory, FilmTypeReport& report, FilmTypeDetail& detail);
