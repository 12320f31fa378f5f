// A standard-library stream that is closed when it goes out of scope.
#pragma once

#include <cstdio>

#include "FilePath.h"

class CFileStream {
public:
    // Opens an existing file; "rb" and "rb+" never create one.
    CFileStream(const CFilePath& path, const char* mode)
        : m_file(path.Fits() ? std::fopen(path.Text(), mode) : nullptr) {}
    // Takes over a stream opened otherwise, or none.
    explicit CFileStream(std::FILE* file) : m_file(file) {}
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;
    ~CFileStream() {
        if (m_file)
            std::fclose(m_file);
    }

    bool IsOpen() const { return m_file != nullptr; }
    std::FILE* Get() const { return m_file; }

private:
    std::FILE* m_file;
};
