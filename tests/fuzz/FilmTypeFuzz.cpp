// Fuzzes film type detection with any bytes of any length as the film type file. The result must
// match a model that searches the whole text, up to the first zero byte, in one piece; the report
// must name the keywords that text holds and its length.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FilmType.h"
#include "ScratchDirectory.h"

namespace {

struct Keyword {
    std::string_view keyword;
    FilmType type;
};
constexpr Keyword kOrder[] = {{"Slide", FilmType::Slide},
                              {"Film", FilmType::Film},
                              {"B&W", FilmType::BlackWhite},
                              {"Photo", FilmType::Photo},
                              {"PhoBW", FilmType::PhotoBlackWhite}};

std::string_view TextOf(const uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    return file.substr(0, file.find('\0'));
}

FilmType Expected(const uint8_t* data, std::size_t size) {
    const std::string_view text = TextOf(data, size);
    for (const auto& entry : kOrder)
        if (text.find(entry.keyword) != std::string_view::npos)
            return entry.type;
    return FilmType::Slide;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const CScratchDirectory dir;
    // A file that cannot be written would void every check.
    if (!dir.Write(kFilmTypeFileName, std::string(reinterpret_cast<const char*>(data), size)))
        std::abort();
    FilmTypeReport report;
    const FilmType got = DetectFilmType(dir.Prefix().c_str(), &report);
    const FilmType want = Expected(data, size);
    if (got != want) {
        std::fprintf(stderr, "film type %d, expected %d, for %zu bytes\n", static_cast<int>(got),
                     static_cast<int>(want), size);
        std::abort();
    }

    const std::string_view text = TextOf(data, size);
    if (!report.opened || report.textLength != text.size() ||
        report.endedAtZeroByte != (text.size() < size)) {
        std::fprintf(stderr, "report: text of %zu bytes (zero byte: %d), expected %zu of %zu\n",
                     report.textLength, report.endedAtZeroByte, text.size(), size);
        std::abort();
    }
    for (const auto& entry : kOrder) {
        const bool found = text.find(entry.keyword) != std::string_view::npos;
        if (report.found[static_cast<int>(entry.type)] != found) {
            std::fprintf(stderr, "report: keyword %s found %d, expected %d\n",
                         std::string(entry.keyword).c_str(), !found, found);
            std::abort();
        }
    }
    return 0;
}
