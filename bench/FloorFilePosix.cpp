#include "FloorFile.h"

#include <fcntl.h>
#include <unistd.h>

CFloorFile::CFloorFile(const CFilePath& path, Access access)
    : m_handle(path.Fits() ? open(path.Text(), access == Access::Read ? O_RDONLY : O_RDWR)
                           : kClosed) {}

CFloorFile::~CFloorFile() {
    if (IsOpen())
        close(static_cast<int>(m_handle));
}

std::size_t CFloorFile::ReadAt(long offset, void* buffer, std::size_t size) {
    const ssize_t count = pread(static_cast<int>(m_handle), buffer, size, offset);
    return count < 0 ? 0 : static_cast<std::size_t>(count);
}

void CFloorFile::WriteAt(long offset, const void* bytes, std::size_t size) {
    // The floors' writes are single bytes, which a file takes whole or not at all.
    [[maybe_unused]] const ssize_t written =
        pwrite(static_cast<int>(m_handle), bytes, size, offset);
}
