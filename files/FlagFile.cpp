#include "FlagFile.h"

#include <cstdio>

#include "FileStream.h"

namespace {

constexpr const char* kReadWriteExisting = "rb+";
// What a missing byte reads as: subtracting the letter base keeps it outside the level range.
constexpr unsigned char kMissingByte = 0xFF;

} // namespace

int8_t StoredLevelOfLetter(unsigned char letter) {
    return static_cast<int8_t>(static_cast<unsigned char>(letter - CFlagFile::kLevelLetterBase));
}

CFlagFile::CFlagFile(const CFilePath& directory) : m_path(directory, kFileName) {}

int8_t CFlagFile::ReadStoredLevel(FlagFileReport* report) const {
    CFileStream file(m_path, kReadWriteExisting);
    if (report)
        report->opened = file.IsOpen();
    if (!file.IsOpen())
        return 0;
    int byte = EOF;
    if (std::fseek(file.Get(), 1, SEEK_SET) == 0)
        byte = std::getc(file.Get());
    return StoredLevelOfLetter(byte == EOF ? kMissingByte : static_cast<unsigned char>(byte));
}

void CFlagFile::StoreLevel(int level) const {
    CFileStream file(m_path, kReadWriteExisting);
    if (!file.IsOpen())
        return;
    // In an empty file the system fills offset 0 with a zero byte.
    if (std::fseek(file.Get(), 1, SEEK_SET) == 0)
        std::putc(static_cast<unsigned char>(kLevelLetterBase + level), file.Get());
}

void CFlagFile::MarkRunning(bool running) const {
    CFileStream file(m_path, kReadWriteExisting);
    if (!file.IsOpen())
        return;
    // A fresh stream stands at offset 0.
    std::putc(running ? kRunningMark : kStoppedMark, file.Get());
}
