#include "SharedFiles.h"

#include <cstdio>

#include "Levels.h"
#include "TableFile.h"

namespace {

constexpr std::size_t kFilmTypeSize = 512;

std::string FilmTypeText() {
    const std::string line = "Scanner=1 Resolution=3600 Mode=Colour\r\n";
    const std::string last = "Media=Film\r\n";
    std::string text;
    while (text.size() + line.size() + last.size() <= kFilmTypeSize)
        text += line;
    text.resize(kFilmTypeSize - last.size(), ' ');
    return text + last;
}

std::string TableText() {
    std::string text;
    char line[40];
    for (int level = 0; level < kLevelCount; ++level) {
        const int base = 0x11 + 8 * level;
        std::snprintf(line, sizeof line, "0x%02X,0x%02X,0x%02X,0x%02X,0x%02X,0x%02X\r\n", base,
                      base + 1, base + 2, base + 3, base + 4, base + 5);
        text += line;
    }
    return text;
}

} // namespace

bool WriteSharedFiles(const CScratchDirectory& directory) {
    return directory.Exists() && directory.Write(kFilmTypeName, FilmTypeText()) &&
           directory.Write(TableFileName(FilmType::Film), TableText()) &&
           directory.Write(kFlagName, "yK\r\n");
}
