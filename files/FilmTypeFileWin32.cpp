#include "FilmTypeFile.h"

#include <windows.h>

namespace {
HANDLE AsHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}
} // namespace

CFilmTypeFile::CFilmTypeFile(const CFilePath& path) : m_handle(kClosed) {
    if (!path.Fits())
        return;
    HANDLE file = CreateFileA(path.Text(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        m_handle = reinterpret_cast<intptr_t>(file);
}

CFilmTypeFile::~CFilmTypeFile() {
    if (IsOpen())
        CloseHandle(AsHandle(m_handle));
}

std::size_t CFilmTypeFile::Read(unsigned char* buffer, std::size_t size) {
    DWORD count = 0;
    if (!ReadFile(AsHandle(m_handle), buffer, static_cast<DWORD>(size), &count, nullptr))
        return 0;
    return count;
}
