// Read-only access to the film type file through the operating system's own file calls, and the
// one loop that reads it. While it is open others may read the file but not write it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "FilePath.h"
#include "FilmType.h"

// The file is read in blocks of this many bytes, each into the start of one buffer.
constexpr std::size_t kFilmTypeBlockSize = 512;

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

// The one read loop of the film type file: opens it in `directory`, reads it from its start in
// blocks, and hands each block that brings bytes to `take(block, count)` for as long as `take`
// returns true. Returns false, having read nothing, when the file does not open.
template <typename Take> bool ReadFilmTypeFile(const CFilePath& directory, Take take) {
    CFilmTypeFile file(CFilePath(directory, kFilmTypeFileName));
    if (!file.IsOpen())
        return false;
    std::array<unsigned char, kFilmTypeBlockSize> buffer;
    std::size_t count;
    while ((count = file.Read(buffer.data(), buffer.size())) > 0 && take(buffer.data(), count)) {
    }
    return true;
}
