// The film type file read on past its text, for explaining the tool's result. In a file of its
// own, so that Quenlit.exe, which never calls it, does not link it.
#include <cctype>

#include "FilmTypeDetail.h"
#include "FilmTypeFile.h"
#include "KeywordScan.h"

namespace {

struct SameLetterIgnoringCase {
    bool operator()(char a, char b) const {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    }
};

} // namespace

FilmType DetectFilmType(const CFilePath& directory, FilmTypeReport& report,
                        FilmTypeDetail& detail) {
    report = FilmTypeReport{};
    detail = FilmTypeDetail{};
    CKeywordScan<SameByte> anywhere;
    CKeywordScan<SameLetterIgnoringCase> caseIgnored;
    bool inText = true;
    // Every block, to the end of the file.
    report.opened = ReadFilmTypeFile(directory, [&](const unsigned char* block, std::size_t count) {
        if (inText) {
            caseIgnored.Feed(block, TextOfBlock(block, count, report));
            inText = !report.endedAtZeroByte && count == kFilmTypeBlockSize;
        }
        // A keyword found before the text ends stands in the text: none holds a zero byte.
        anywhere.Feed(block, count);
        detail.length += count;
        return true;
    });
    for (std::size_t i = 0; i < kKeywords.size(); ++i) {
        report.found[i] = anywhere.At(i) < report.textLength;
        detail.onlyAfterText[i] = !report.found[i] && anywhere.At(i) != kNowhere;
        detail.caseIgnoredAt[i] = caseIgnored.At(i);
        if (caseIgnored.At(i) != kNowhere)
            detail.caseIgnoredText[i] = caseIgnored.Written(i);
    }
    return FirstFound(report);
}
