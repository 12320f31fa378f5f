#include "FlagSection.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <string>

#include "FileStream.h"
#include "FlagFile.h"
#include "Levels.h"

namespace {

constexpr std::size_t kFlagFileLength = 4;
constexpr std::size_t kBytesShown = 16;

enum class FlagBytes { Read, Missing, Unreadable };

// The file's bytes, read only.
FlagBytes ReadBytes(const CFilePath& path, std::string& bytes) {
    errno = 0;
    CFileStream file(path, "rb");
    if (!file.IsOpen())
        return errno == ENOENT ? FlagBytes::Missing : FlagBytes::Unreadable;
    char block[256];
    std::size_t count;
    while ((count = std::fread(block, 1, sizeof block, file.Get())) > 0)
        bytes.append(block, count);
    return FlagBytes::Read;
}

// A byte as the user sees it: "O" (0x4F), or 0x0D alone when it is no printable character.
std::string Shown(unsigned char byte) {
    char text[16];
    if (std::isprint(byte))
        std::snprintf(text, sizeof text, "\"%c\" (0x%02X)", byte, byte);
    else
        std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

void DescribeBytes(const std::string& bytes, CInspectionText& out) {
    std::string hex;
    char cell[4];
    for (std::size_t i = 0; i < bytes.size() && i < kBytesShown; ++i) {
        std::snprintf(cell, sizeof cell, " %02X", static_cast<unsigned char>(bytes[i]));
        hex += cell;
    }
    if (bytes.size() > kBytesShown)
        hex += " ...";
    out.Line("%s: %lu byte%s:%s", CFlagFile::kFileName, static_cast<unsigned long>(bytes.size()),
             bytes.size() == 1 ? "" : "s", hex.c_str());
    if (bytes.size() < kFlagFileLength)
        out.Warning("%s has fewer than four bytes: the tool writes the byte it sets at its "
                    "offset and leaves the missing ones missing.",
                    CFlagFile::kFileName);
    else if (bytes.size() > kFlagFileLength)
        out.Line("The bytes after offset 3 are neither read nor written.");
}

void DescribeRunningMark(const std::string& bytes, CInspectionText& out) {
    if (bytes.empty()) {
        out.Line("Running mark: none (no byte 0).");
        return;
    }
    const unsigned char mark = bytes[0];
    const char* meaning = mark == 'y'   ? "the tool is running, or its last run did not end"
                          : mark == 'n' ? "the tool is not running"
                                        : "neither \"y\" nor \"n\"";
    out.Line("Running mark: %s: %s.", Shown(mark).c_str(), meaning);
}

// The level the letter stands for, and the level the tool starts at for it. `stored` is what the
// tool reads when the file has no byte 1.
void DescribeLevelLetter(const std::string& bytes, int stored, CInspectionText& out) {
    if (bytes.size() < 2) {
        out.Line("Level letter: none (no byte 1). It reads as level %d: the tool starts at level "
                 "%d, readout %d.",
                 stored, StartLevelOf(stored), DisplayValueOf(StartLevelOf(stored)));
        return;
    }
    const unsigned char letter = bytes[1];
    const int level = StoredLevelOfLetter(letter);
    if (IsValidLevel(level))
        out.Line("Level letter: %s: level %d, readout %d.", Shown(letter).c_str(), level,
                 DisplayValueOf(level));
    else
        out.Warning("level letter %s stands for level %d, outside \"A\"..\"U\": the tool starts "
                    "at level %d, readout %d.",
                    Shown(letter).c_str(), level, StartLevelOf(level),
                    DisplayValueOf(StartLevelOf(level)));
}

} // namespace

int DescribeFlag(const CFilePath& directory, CInspectionText& out) {
    out.Section("Flag");
    const CFilePath path(directory, CFlagFile::kFileName);
    FlagFileReport report;
    const int stored = CFlagFile(directory).ReadStoredLevel(&report);
    const int start = StartLevelOf(stored);

    std::string bytes;
    const FlagBytes read = ReadBytes(path, bytes);
    if (read == FlagBytes::Missing) {
        out.Line("%s: missing. The tool never creates it: it starts at level %d, readout %d, and "
                 "keeps no level and no running mark.",
                 CFlagFile::kFileName, start, DisplayValueOf(start));
        return start;
    }
    if (read == FlagBytes::Unreadable) {
        out.Line("%s: exists but cannot be read.", CFlagFile::kFileName);
    } else {
        DescribeBytes(bytes, out);
        DescribeRunningMark(bytes, out);
        DescribeLevelLetter(bytes, stored, out);
    }
    if (report.opened)
        out.Line("%s opens for reading and writing: the tool keeps its level and running mark "
                 "here.",
                 CFlagFile::kFileName);
    else
        out.Warning("the tool cannot open %s for reading and writing: it keeps no level and no "
                    "running mark, and starts at level %d, readout %d.",
                    CFlagFile::kFileName, start, DisplayValueOf(start));
    return start;
}
