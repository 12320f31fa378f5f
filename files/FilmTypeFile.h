// Read-only access to the film type file through the operating system's own file calls. While it
// is open others may read the file but not write it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "FilePath.h"

class CFilmTypeFile {
public:
    explicit CFilmTypeFile(const CFilePath& path);
    CFilmTypeFile(const CFilmTypeFile&) = delete;
    CFilmTypeFile& operator=(const CFilmTypeFile&) = delete;
    ~CFilmTypeFile();

    bool IsOpen() const { return m_handle != kClosed; }
    // Reads up to `size` bytes into `buffer`; returns how many arrived, 0 at the end or on failure.
    std::size_t Read(unsigned char* buffer, std::size_t size);

private:
    static constexpr intptr_t kClosed = -1;
    intptr_t m_handle;
};
