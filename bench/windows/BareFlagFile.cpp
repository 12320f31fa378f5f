#include "BareFlagFile.h"

#include <cstdio>

namespace {

constexpr char kFlagPath[] = "C:\\KelvoTemp\\Flag.txt";

// Seeks, reads the byte, seeks back and writes it; a byte past the end stays missing.
void RewriteByte(std::FILE* file, long offset) {
    std::fseek(file, offset, SEEK_SET);
    const int byte = std::fgetc(file);
    if (byte == EOF)
        return;
    std::fseek(file, offset, SEEK_SET);
    std::fputc(byte, file);
}

} // namespace

int ReadStoredLevelBare() {
    std::FILE* file = std::fopen(kFlagPath, "rb+");
    if (!file)
        return 0;
    std::fseek(file, 1, SEEK_SET);
    const int byte = std::fgetc(file);
    std::fclose(file);
    return static_cast<signed char>(byte - 'A');
}

void StoreLevelBare(int level) {
    std::FILE* file = std::fopen(kFlagPath, "rb+");
    if (!file)
        return;
    std::fseek(file, 1, SEEK_SET);
    std::fputc('A' + level, file);
    RewriteByte(file, 0);
    RewriteByte(file, 2);
    RewriteByte(file, 3);
    std::fclose(file);
}

void MarkRunningBare(bool running) {
    std::FILE* file = std::fopen(kFlagPath, "rb+");
    if (!file)
        return;
    std::fputc(running ? 'y' : 'n', file);
    RewriteByte(file, 1);
    RewriteByte(file, 2);
    RewriteByte(file, 3);
    std::fclose(file);
}
