// A file opened with the operating system's own calls and closed when it goes out of scope: the
// least a floor can open, read and write a shared file with. Reads and writes name their offset,
// so that none needs a seek. Never creates a file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "FilePath.h"

class CFloorFile {
public:
    enum class Access { Read, ReadWrite };

    CFloorFile(const CFilePath& path, Access access);
    CFloorFile(const CFloorFile&) = delete;
    CFloorFile& operator=(const CFloorFile&) = delete;
    ~CFloorFile();

    bool IsOpen() const { return m_handle != kClosed; }
    // Reads up to `size` bytes from `offset`; returns how many arrived, 0 at the end or on failure.
    std::size_t ReadAt(long offset, void* buffer, std::size_t size);
    // Writes `size` bytes at `offset`.
    void WriteAt(long offset, const void* bytes, std::size_t size);

private:
    static constexpr intptr_t kClosed = -1;
    intptr_t m_handle;
};
