#include "MediaSection.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "FilmTypeFile.h"

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

bool Found(const FilmTypeReport& report, FilmType type) {
    return report.found[static_cast<int>(type)];
}

// The whole file, read as the tool reads it: with the same calls and share mode.
std::string ReadWholeFile(const CFilePath& path) {
    std::string bytes;
    CFilmTypeFile file(path);
    if (!file.IsOpen())
        return bytes;
    unsigned char block[4096];
    std::size_t count;
    while ((count = file.Read(block, sizeof block)) > 0)
        bytes.append(reinterpret_cast<const char*>(block), count);
    return bytes;
}

// Where `keyword` occurs in `text` when case is ignored, or npos.
std::size_t FindIgnoringCase(std::string_view text, std::string_view keyword) {
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    const auto hit = std::search(text.begin(), text.end(), keyword.begin(), keyword.end(), same);
    return hit == text.end() ? std::string_view::npos : hit - text.begin();
}

void DescribeKeywordsInOtherCase(std::string_view text, const FilmTypeReport& report,
                                 CInspectionText& out) {
    for (FilmType type : kFilmTypes) {
        const std::string_view keyword = FilmTypeKeyword(type);
        const std::size_t at =
            Found(report, type) ? std::string_view::npos : FindIgnoringCase(text, keyword);
        if (at != std::string_view::npos)
            out.Line("\"%.*s\" at offset %lu is not the keyword \"%s\": case counts.",
                     static_cast<int>(keyword.size()), text.data() + at,
                     static_cast<unsigned long>(at), keyword.data());
    }
}

void DescribeKeywordsAfterZeroByte(std::string_view rest, std::size_t zeroOffset,
                                   const FilmTypeReport& report, CInspectionText& out) {
    for (FilmType type : kFilmTypes) {
        const char* keyword = FilmTypeKeyword(type);
        if (!Found(report, type) && rest.find(keyword) != std::string_view::npos)
            out.Warning("\"%s\" stands only after the zero byte at offset %lu: the tool does not "
                        "see it.",
                        keyword, static_cast<unsigned long>(zeroOffset));
    }
}

} // namespace

FilmType DescribeMedia(const CFilePath& directory, CInspectionText& out) {
    out.Section("Media");
    FilmTypeReport report;
    const FilmType type = DetectFilmType(directory, &report);
    std::string order;
    for (FilmType each : kFilmTypes)
        order += std::string(order.empty() ? "" : ", ") + FilmTypeKeyword(each);
    out.Line("Keywords, in search order: %s. The first one present decides.", order.c_str());
    if (!report.opened) {
        out.Line("%s cannot be opened: it is missing, or another program holds it open for "
                 "writing.",
                 kFilmTypeFileName);
        out.Line("Media type: Slide, the fallback.");
        return type;
    }

    const std::string bytes = ReadWholeFile(CFilePath(directory, kFilmTypeFileName));
    // The file can change between the two readings; neither view reaches past its bytes.
    const std::size_t textEnd = std::min(report.textLength, bytes.size());
    const std::string_view text = std::string_view(bytes).substr(0, textEnd);
    if (report.endedAtZeroByte)
        out.Line("%s: %lu bytes. The text ends at the zero byte at offset %lu: only the %lu "
                 "bytes before it are searched.",
                 kFilmTypeFileName, static_cast<unsigned long>(bytes.size()),
                 static_cast<unsigned long>(report.textLength),
                 static_cast<unsigned long>(report.textLength));
    else
        out.Line("%s: %lu bytes, all searched.", kFilmTypeFileName,
                 static_cast<unsigned long>(bytes.size()));

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

    DescribeKeywordsInOtherCase(text, report, out);
    if (report.endedAtZeroByte)
        DescribeKeywordsAfterZeroByte(std::string_view(bytes).substr(textEnd), report.textLength,
                                      report, out);
    return type;
}
