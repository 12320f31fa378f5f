#include "Inspect.h"

#include <string>

#include "FileAccess.h"
#include "FilmTypeDetail.h"

namespace {

// Indexed by the kinds' values, which are also their places in the search order.
constexpr const char* kNames[kFilmTypeCount] = {"Slide", "Film", "BlackWhite", "Photo",
                                                "PhotoBlackWhite"};

const char* KeywordOf(int kind) {
    return FilmTypeKeyword(static_cast<FilmType>(kind));
}

// Keywords written in another case count for nothing; a warning when one of them would have
// decided, had case been ignored.
void DescribeKeywordsInOtherCase(const FilmTypeReport& report, const FilmTypeDetail& detail,
                                 int decided, CInspectionText& out) {
    int meant = 0;
    while (meant < kFilmTypeCount && detail.caseIgnoredAt[meant] == kNowhere)
        ++meant;
    for (int kind = 0; kind < kFilmTypeCount; ++kind) {
        if (report.found[kind] || detail.caseIgnoredAt[kind] == kNowhere)
            continue;
        const char* written = detail.caseIgnoredText[kind].c_str();
        if (kind == meant && meant != decided)
            out.Warning("\"%s\" at offset %llu is not the keyword \"%s\": case counts, so the "
                        "media type is %s, not %s.",
                        written, detail.caseIgnoredAt[kind], KeywordOf(kind), kNames[decided],
                        kNames[kind]);
        else
            out.Line("\"%s\" at offset %llu is not the keyword \"%s\": case counts.", written,
                     detail.caseIgnoredAt[kind], KeywordOf(kind));
    }
}

void DescribeSearchedText(const FilmTypeReport& report, const FilmTypeDetail& detail,
                          CInspectionText& out) {
    const unsigned long text = static_cast<unsigned long>(report.textLength);
    if (report.endedAtZeroByte)
        out.Line("%s: %llu bytes. The text ends at the zero byte at offset %lu: only the %lu "
                 "bytes before it are searched.",
                 kFilmTypeFileName, detail.length, text, text);
    else
        out.Line("%s: %llu bytes, all searched.", kFilmTypeFileName, detail.length);
}

void DescribeKeywordsAfterZeroByte(const FilmTypeReport& report, const FilmTypeDetail& detail,
                                   CInspectionText& out) {
    for (int kind = 0; kind < kFilmTypeCount; ++kind)
        if (detail.onlyAfterText[kind])
            out.Warning("\"%s\" stands only after the zero byte at offset %lu: the tool does not "
                        "see it.",
                        KeywordOf(kind), static_cast<unsigned long>(report.textLength));
}

} // namespace

FilmType DescribeMedia(const CFilePath& directory, CInspectionText& out) {
    out.Section("Media");
    std::string order;
    for (int kind = 0; kind < kFilmTypeCount; ++kind)
        order += std::string(kind ? ", " : "") + KeywordOf(kind);
    out.Line("Keywords, in search order: %s. The first one present decides.", order.c_str());

    FilmTypeReport report;
    FilmTypeDetail detail;
    const FileFacts facts = ExamineFile(CFilePath(directory, kFilmTypeFileName));
    const std::string name = kFilmTypeFileName;
    const bool regular = DescribeUnlessRegular(
        facts, facts.kind == FileKind::Missing ? name + ":" : name, name,
        ": the tool cannot read it.",
        ", and the tool reads whatever it delivers. Below, it delivers no keyword.", out);
    const FilmType type = regular ? DetectFilmType(directory, report, detail) : FilmType::Slide;
    if (regular && !report.opened)
        out.Line("%s exists but cannot be opened: it may not be read, or another program holds "
                 "it open for writing.",
                 kFilmTypeFileName);
    if (!report.opened) {
        out.Line("Media type: Slide, the fallback.");
        return type;
    }
    const int decided = static_cast<int>(type);
    DescribeSearchedText(report, detail, out);
    if (report.found[decided])
        out.Line("Media type: %s, by the keyword \"%s\".", kNames[decided], KeywordOf(decided));
    else
        out.Line("Media type: Slide, the fallback: the text holds no keyword.");

    std::string others;
    for (int kind = 0; kind < kFilmTypeCount; ++kind)
        if (kind != decided && report.found[kind])
            others += std::string(others.empty() ? "" : ", ") + "\"" + KeywordOf(kind) + "\"";
    if (!others.empty())
        out.Line("Also present, not deciding: %s.", others.c_str());
    DescribeKeywordsInOtherCase(report, detail, decided, out);
    DescribeKeywordsAfterZeroByte(report, detail, out);
    return type;
}
