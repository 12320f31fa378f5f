#include "FlagFile.h"

#include <cstdio>

#include "FileStream.h"

namespace {

constexpr const char* kReadWriteExisting = "rb+";

} // namespace

CFlagFile::CFlagFile(const CFilePath& directory) : m_path(directory, kFlagFileName) {}

int8_t CFlagFile::ReadStoredLevel() const {
    CFileStream file(m_path, kReadWriteExisting);
    if (!file.IsOpen())
        return StoredLevel(false, kMissingLetter);
    int byte = EOF;
    if (std::fseek(file.Get(), kLevelLetterOffset, SEEK_SET) == 0)
        byte = std::getc(file.Get());
    return StoredLevel(true, byte == EOF ? kMissingLetter : static_cast<unsigned char>(byte));
}

void CFlagFile::StoreLevel(int level) const {
    CFileStream file(m_path, kReadWriteExisting);
    if (!file.IsOpen())
        return;
    // In an empty file the system fills offset 0 with a zero byte.
    if (std::fseek(file.Get(), kLevelLetterOffset, SEEK_SET) == 0)
        std::putc(static_cast<unsigned char>(kLevelLetterBase + level), file.Get());
}

void CFlagFile::MarkRunning(bool running) const {
    CFileStream file(m_path, kReadWriteExisting);
    if (!file.IsOpen())
        return;
    // A fresh stream stands at offset 0, the running mark's.
    static_assert(kRunningMarkOffset == 0);
    std::putc(running ? kRunningMark : kStoppedMark, file.Get());
}
