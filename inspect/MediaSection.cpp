#include "MediaSection.h"

#include <algorithm>
#include <string>

#include "FileAccess.h"
#include "FilmTypeText.h"

namespace {

constexpr FilmType kFilmTypes[kFilmTypeCount] = {FilmType::Slide, FilmType::Film,
                                                 FilmType::BlackWhite, FilmType::Photo,
                                                 FilmType::PhotoBlackWhite};

const char* NameOf(FilmType type) {
    switch (type) {
    case FilmType::Slide:
        return "Slide";
    case FilmType::Film:
        return "Film";
    case FilmType::BlackWhite:
        return "BlackWhite";
    case FilmType::Photo:
        return "Photo";
    case FilmType::PhotoBlackWhite:
        return "PhotoBlackWhite";
    }
    return "?";
}

int IndexOf(FilmType type) {
    return static_cast<int>(type);
}

bool Found(const FilmTypeReport& report, FilmType type) {
    return report.found[IndexOf(type)];
}

bool InOtherCase(const FilmTypeText& text, const FilmTypeReport& report, FilmType type) {
    return !Found(report, type) && text.caseIgnoredAt[IndexOf(type)] != kNowhere;
}

// The kind a search that ignored case would find: Slide when none.
FilmType CaseIgnoringResult(const FilmTypeText& text, const FilmTypeReport& report) {
    for (FilmType type : kFilmTypes)
        if (Found(report, type) || InOtherCase(text, report, type))
            return type;
    return FilmType::Slide;
}

// Keywords written in another case count for nothing; a warning when one of them would have
// decided.
void DescribeKeywordsInOtherCase(const FilmTypeText& text, const FilmTypeReport& report,
                                 FilmType type, CInspectionText& out) {
    const FilmType meant = CaseIgnoringResult(text, report);
    for (FilmType other : kFilmTypes) {
        if (!InOtherCase(text, report, other))
            continue;
        const std::string& written = text.caseIgnoredText[IndexOf(other)];
        const unsigned long long at = text.caseIgnoredAt[IndexOf(other)];
        if (other == meant && meant != type)
            out.Warning("\"%s\" at offset %llu is not the keyword \"%s\": case counts, so the "
                        "media type is %s, not %s.",
                        written.c_str(), at, FilmTypeKeyword(other), NameOf(type), NameOf(other));
        else
            out.Line("\"%s\" at offset %llu is not the keyword \"%s\": case counts.",
                     written.c_str(), at, FilmTypeKeyword(other));
    }
}

void DescribeKeywordsAfterZeroByte(const FilmTypeText& text, const FilmTypeReport& report,
                                   CInspectionText& out) {
    for (FilmType type : kFilmTypes)
        if (!Found(report, type) && text.afterZeroByte[IndexOf(type)])
            out.Warning("\"%s\" stands only after the zero byte at offset %llu: the tool does not "
                        "see it.",
                        FilmTypeKeyword(type), text.zeroByteAt);
}

// Whether the tool can read the file at all; says why not.
bool DescribeWhatStandsThere(const FileFacts& facts, CInspectionText& out) {
    switch (facts.kind) {
    case FileKind::Missing:
        out.Line("%s: missing.", kFilmTypeFileName);
        break;
    case FileKind::Unreachable:
        out.Line("%s cannot be reached: %s.", kFilmTypeFileName, facts.what.c_str());
        break;
    case FileKind::Directory:
        out.Warning("%s is a directory, not a file: the tool cannot read it.", kFilmTypeFileName);
        break;
    case FileKind::Special:
        out.Warning("%s is %s, not a regular file: the inspector does not open it, and the tool "
                    "reads whatever it delivers. Below, it delivers no keyword.",
                    kFilmTypeFileName, facts.what.c_str());
        break;
    case FileKind::Regular:
        return true;
    }
    return false;
}

void DescribeSearchedText(const FilmTypeText& text, const FilmTypeReport& report,
                          CInspectionText& out) {
    if (report.endedAtZeroByte)
        out.Line("%s: %llu bytes. The text ends at the zero byte at offset %lu: only the %lu "
                 "bytes before it are searched.",
                 kFilmTypeFileName, text.length, static_cast<unsigned long>(report.textLength),
                 static_cast<unsigned long>(report.textLength));
    else
        out.Line("%s: %llu bytes, all searched.", kFilmTypeFileName, text.length);
}

} // namespace

FilmType DescribeMedia(const CFilePath& directory, CInspectionText& out) {
    out.Section("Media");
    std::string order;
    for (FilmType each : kFilmTypes)
        order += std::string(order.empty() ? "" : ", ") + FilmTypeKeyword(each);
    out.Line("Keywords, in search order: %s. The first one present decides.", order.c_str());

    const CFilePath path(directory, kFilmTypeFileName);
    if (!DescribeWhatStandsThere(ExamineFile(path), out)) {
        out.Line("Media type: Slide, the fallback.");
        return FilmType::Slide;
    }
    FilmTypeReport report;
    const FilmType type = DetectFilmType(directory, &report);
    if (!report.opened) {
        out.Line("%s exists but cannot be opened: it may not be read, or another program holds "
                 "it open for writing.",
                 kFilmTypeFileName);
        out.Line("Media type: Slide, the fallback.");
        return type;
    }

    // A second reading, block by block; what it finds explains the tool's result.
    const FilmTypeText text = ReadFilmTypeText(path);
    if (text.opened)
        DescribeSearchedText(text, report, out);
    const bool anyFound =
        std::find(report.found.begin(), report.found.end(), true) != report.found.end();
    if (anyFound)
        out.Line("Media type: %s, by the keyword \"%s\".", NameOf(type), FilmTypeKeyword(type));
    else
        out.Line("Media type: Slide, the fallback: the text holds no keyword.");

    std::string others;
    for (FilmType other : kFilmTypes)
        if (other != type && Found(report, other))
            others +=
                std::string(others.empty() ? "" : ", ") + "\"" + FilmTypeKeyword(other) + "\"";
    if (!others.empty())
        out.Line("Also present, not deciding: %s.", others.c_str());

    DescribeKeywordsInOtherCase(text, report, type, out);
    DescribeKeywordsAfterZeroByte(text, report, out);
    return type;
}
