#include "FloorFile.h"

#include <windows.h>

namespace {

HANDLE AsHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// A synchronous call at this offset, which it also leaves the file at.
OVERLAPPED At(long offset) {
    OVERLAPPED overlapped = {};
    overlapped.Offset = static_cast<DWORD>(offset);
    return overlapped;
}

} // namespace

CFloorFile::CFloorFile(const CFilePath& path, Access access) : m_handle(kClosed) {
    if (!path.Fits())
        return;
    const DWORD rights = access == Access::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    HANDLE file = CreateFileA(path.Text(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        m_handle = reinterpret_cast<intptr_t>(file);
}

CFloorFile::~CFloorFile() {
    if (IsOpen())
        CloseHandle(AsHandle(m_handle));
}

std::size_t CFloorFile::ReadAt(long offset, void* buffer, std::size_t size) {
    OVERLAPPED at = At(offset);
    DWORD count = 0;
    if (!ReadFile(AsHandle(m_handle), buffer, static_cast<DWORD>(size), &count, &at))
        return 0;
    return count;
}

void CFloorFile::WriteAt(long offset, const void* bytes, std::size_t size) {
    OVERLAPPED at = At(offset);
    DWORD written = 0;
    WriteFile(AsHandle(m_handle), bytes, static_cast<DWORD>(size), &written, &at);
}
