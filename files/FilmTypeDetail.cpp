// The film type file read on past its text, for explaining the tool's result. In a file of its
// own, so that Quenlit.exe, which never calls it, does not link it.
#include <array>
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
    CFilmTypeFile file(CFilePath(directory, kFilmTypeFileName));
    report.opened = file.IsOpen();
    std::array<unsigned char, kBlockSize> buffer;
    std::size_t count;
    bool inText = true;
    while (report.opened && (count = file.Read(buffer.data(), buffer.size())) > 0) {
        if (inText) {
            caseIgnored.Feed(buffer.data(), TextOfBlock(buffer.data(), count, report));
            inText = !report.endedAtZeroByte && count == buffer.size();
        }
        // A keyword found before the text ends stands in the text: none holds a zero byte.
        anywhere.Feed(buffer.data(), count);
        detail.length += count;
    }
    for (std::size_t i = 0; i < kKeywords.size(); ++i) {
        report.found[i] = anywhere.At(i) < report.textLength;
        detail.onlyAfterText[i] = !report.found[i] && anywhere.At(i) != kNowhere;
        detail.caseIgnoredAt[i] = caseIgnored.At(i);
        if (caseIgnored.At(i) != kNowhere)
            detail.caseIgnoredText[i] = caseIgnored.Written(i);
    }
    return FirstFound(report);
}
