// Fuzzes film type detection with any bytes of any length as the film type file. The result must
// match a model that searches the whole text, up to the first zero byte, in one piece.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "FilmType.h"
#include "ScratchDirectory.h"

namespace {

FilmType Expected(const uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const std::string_view text = file.substr(0, file.find('\0'));
    const struct {
        std::string_view keyword;
        FilmType type;
    } order[] = {{"Slide", FilmType::Slide},
                 {"Film", FilmType::Film},
                 {"B&W", FilmType::BlackWhite},
                 {"Photo", FilmType::Photo},
                 {"PhoBW", FilmType::PhotoBlackWhite}};
    for (const auto& entry : order)
        if (text.find(entry.keyword) != std::string_view::npos)
            return entry.type;
    return FilmType::Slide;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const CScratchDirectory& dir = Scratch();
    dir.Write(kFilmTypeFileName, data, size);
    const FilmType got = DetectFilmType(dir.Prefix().c_str());
    const FilmType want = Expected(data, size);
    if (got != want) {
        std::fprintf(stderr, "film type %d, expected %d, for %zu bytes\n", static_cast<int>(got),
                     static_cast<int>(want), size);
        std::abort();
    }
    return 0;
}
