#include "FilmType.h"

#include <array>

#include "FilmTypeFile.h"
#include "KeywordScan.h"

const char* FilmTypeKeyword(FilmType type) {
    return kKeywords[static_cast<std::size_t>(type)].text;
}

FilmType DetectFilmType(const CFilePath& directory, FilmTypeReport* report) {
    FilmTypeReport seen;
    CKeywordScan<SameByte> scan;
    {
        CFilmTypeFile file(CFilePath(directory, kFilmTypeFileName));
        seen.opened = file.IsOpen();
        std::array<unsigned char, kBlockSize> buffer;
        std::size_t count = buffer.size();
        // The text also ends with a block that comes short.
        while (seen.opened && !seen.endedAtZeroByte && count == buffer.size()) {
            count = file.Read(buffer.data(), buffer.size());
            scan.Feed(buffer.data(), TextOfBlock(buffer.data(), count, seen));
        }
    }
    for (std::size_t i = 0; i < kKeywords.size(); ++i)
        seen.found[i] = scan.At(i) != kNowhere;
    if (report)
        *report = seen;
    return FirstFound(seen);
}
