#include "FilmType.h"

#include "FilmTypeFile.h"
#include "KeywordScan.h"

const char* FilmTypeKeyword(FilmType type) {
    return kKeywords[static_cast<std::size_t>(type)].text;
}

FilmType DetectFilmType(const CFilePath& directory, FilmTypeReport* report) {
    FilmTypeReport seen;
    CKeywordScan<SameByte> scan;
    // The text ends at its first zero byte, or with a block that comes short.
    seen.opened = ReadFilmTypeFile(directory, [&](const unsigned char* block, std::size_t count) {
        scan.Feed(block, TextOfBlock(block, count, seen));
        return !seen.endedAtZeroByte && count == kFilmTypeBlockSize;
    });
    for (std::size_t i = 0; i < kKeywords.size(); ++i)
        seen.found[i] = scan.At(i) != kNowhere;
    if (report)
        *report = seen;
    return FirstFound(seen);
}
