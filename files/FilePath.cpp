#include "FilePath.h"

#include <cstring>

CFilePath::CFilePath(const char* directory) {
    Append(directory);
}

CFilePath::CFilePath(const CFilePath& directory, const char* name) : CFilePath(directory) {
    Append(name);
}

void CFilePath::Append(const char* text) {
    const std::size_t length = std::strlen(text);
    if (!m_fits || length >= kCapacity - m_length) {
        m_fits = false;
        return;
    }
    std::memcpy(m_text + m_length, text, length + 1);
    m_length += length;
}
