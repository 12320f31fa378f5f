#include "Inspect.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <string>

#include "FileAccess.h"
#include "FlagFileLayout.h"

namespace {

constexpr const char* kName = kFlagFileName;
constexpr std::size_t kBytesShown = 16;
// The level the tool starts at when it cannot open the file, whatever the file holds.
constexpr int kLevelWithoutFile = StartLevel(false, kMissingLetter);

// The file's first bytes and length, and whether the tool can open it for reading and writing.
struct FlagBytes {
    bool read = false;
    bool opensForWriting = false;
    unsigned long long length = 0;
    std::array<unsigned char, kBytesShown> first{};

    bool Has(std::size_t offset) const { return offset < length && offset < kBytesShown; }

    // The byte at offset 1 as the tool reads it.
    unsigned char Letter() const {
        return Has(kLevelLetterOffset) ? first[kLevelLetterOffset] : kMissingLetter;
    }
    // The level the tool starts at.
    int StartLevel() const { return ::StartLevel(opensForWriting, Letter()); }
};

// Reads the file once: opened as the tool opens it, for reading and writing, and never written;
// or for reading only, to show what it holds, when the tool could not open it. Block by block: a
// file of any length takes the same memory.
FlagBytes ReadFlagBytes(const CFilePath& path) {
    FlagBytes bytes;
    for (const char* mode : {"rb+", "rb"}) {
        const CFileStream file = OpenRegularFile(path, mode);
        if (!file.IsOpen())
            continue;
        bytes.read = true;
        bytes.opensForWriting = mode[2] == '+';
        bytes.length = std::fread(bytes.first.data(), 1, bytes.first.size(), file.Get());
        unsigned char block[4096];
        std::size_t count;
        while ((count = std::fread(block, 1, sizeof block, file.Get())) > 0)
            bytes.length += count;
        break;
    }
    return bytes;
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

// What a running mark that is neither of the tool's is: neither "y" nor "n".
std::string NeitherMark() {
    return std::string("neither \"") + static_cast<char>(kRunningMark) + "\" nor \"" +
           static_cast<char>(kStoppedMark) + "\"";
}

std::string StartText(int level) {
    return "level " + std::to_string(level) + ", readout " + std::to_string(DisplayValueOf(level));
}

void DescribeBytes(const FlagBytes& bytes, CInspectionText& out) {
    std::string hex;
    char cell[4];
    for (std::size_t i = 0; bytes.Has(i); ++i) {
        std::snprintf(cell, sizeof cell, " %02X", bytes.first[i]);
        hex += cell;
    }
    if (bytes.length > kBytesShown)
        hex += " ...";
    out.Line("%s: %llu byte%s:%s", kName, bytes.length, bytes.length == 1 ? "" : "s", hex.c_str());
}

// Each write operation writes the one byte it sets: byte 0 the running mark, byte 1 the letter.
void DescribeLength(const FlagBytes& bytes, CInspectionText& out) {
    if (bytes.length == 0)
        out.Warning("%s is empty. The tool writes only the bytes it sets and never adds bytes 2 "
                    "and 3: the running mark goes to offset 0, and a level stored while the file "
                    "is still empty puts its letter at offset 1 after a zero byte at offset 0, "
                    "which the next running mark replaces.",
                    kName);
    else if (bytes.length == 1)
        out.Warning("%s has 1 byte. The tool writes only the bytes it sets and never adds bytes 2 "
                    "and 3: storing a level adds its letter at offset 1.",
                    kName);
    else if (bytes.length < kFlagFileLength)
        out.Warning("%s has %llu bytes. The tool writes only bytes 0 and 1 and never adds the "
                    "missing ones: the file keeps its length.",
                    kName, bytes.length);
    else if (bytes.length > kFlagFileLength)
        out.Line("The bytes after offset 3 are neither read nor written.");
}

// The running mark and the level letter; when the tool cannot open the file, neither counts.
void DescribeMarkAndLetter(const FlagBytes& bytes, CInspectionText& out) {
    const bool counts = bytes.opensForWriting;
    const unsigned char mark = bytes.first[kRunningMarkOffset];
    if (!bytes.Has(kRunningMarkOffset))
        out.Line("Running mark: none (no byte 0).");
    else if (!counts)
        out.Line("Running mark: %s, which the tool cannot change.", Shown(mark).c_str());
    else
        out.Line("Running mark: %s: %s.", Shown(mark).c_str(),
                 mark == kRunningMark   ? "the tool is running, or its last run did not end"
                 : mark == kStoppedMark ? "the tool is not running"
                                        : NeitherMark().c_str());

    const std::string letter = Shown(bytes.Letter());
    const int level = StoredLevelOfLetter(bytes.Letter());
    const std::string start = StartText(bytes.StartLevel());
    if (!bytes.Has(kLevelLetterOffset) && counts)
        out.Line("Level letter: none (no byte 1): the tool starts at the centre, %s.",
                 start.c_str());
    else if (!bytes.Has(kLevelLetterOffset))
        out.Line("Level letter: none (no byte 1).");
    else if (!counts)
        out.Line("Level letter: %s, for level %d, which the tool does not read.", letter.c_str(),
                 level);
    else if (IsValidLevel(level))
        out.Line("Level letter: %s: %s.", letter.c_str(), start.c_str());
    else
        out.Warning("level letter %s stands for level %d, outside \"A\"..\"U\": the tool starts "
                    "at %s.",
                    letter.c_str(), level, start.c_str());
}

// Whether the flag file is a regular file; says what the tool does otherwise.
bool DescribeWhatStandsThere(const FileFacts& facts, CInspectionText& out) {
    const std::string described = facts.Described();
    const std::string without = StartText(kLevelWithoutFile);
    if (facts.kind == FileKind::Missing)
        out.Warning("%s is %s. The tool never creates it: it keeps no level between runs, the "
                    "companion sees no running mark, and it starts at %s.",
                    kName, described.c_str(), without.c_str());
    else if (facts.kind == FileKind::Special)
        out.Warning("%s %s, and the tool keeps no level in it. The tool starts at level %d if it "
                    "cannot open it, otherwise at the level of a letter it reads at offset 1, or "
                    "at level %d without one.",
                    kName, described.c_str(), kLevelWithoutFile, kLevelCentre);
    else if (facts.kind != FileKind::Regular)
        out.Warning("%s %s. The tool cannot open it: it keeps no level and no running mark, and "
                    "starts at %s.",
                    kName, described.c_str(), without.c_str());
    return facts.kind == FileKind::Regular;
}

} // namespace

std::optional<int> DescribeFlag(const CFilePath& directory, CInspectionText& out) {
    out.Section("Flag");
    const CFilePath path(directory, kName);
    const FileFacts facts = ExamineFile(path);
    if (!DescribeWhatStandsThere(facts, out))
        return facts.kind == FileKind::Special ? std::nullopt
                                               : std::optional<int>(kLevelWithoutFile);

    const FlagBytes bytes = ReadFlagBytes(path);
    if (!bytes.read) {
        out.Line("%s: exists but cannot be read.", kName);
    } else {
        DescribeBytes(bytes, out);
        if (bytes.opensForWriting)
            DescribeLength(bytes, out);
        DescribeMarkAndLetter(bytes, out);
    }
    if (bytes.opensForWriting)
        out.Line("%s opens for reading and writing: the tool keeps its level and running mark "
                 "here.",
                 kName);
    else
        out.Warning("the tool cannot open %s for reading and writing: it keeps no level and no "
                    "running mark, and starts at %s.",
                    kName, StartText(bytes.StartLevel()).c_str());
    return bytes.StartLevel();
}
