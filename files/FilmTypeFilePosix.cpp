#include "FilmTypeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

// Without O_NONBLOCK, opening a FIFO would wait for a writer; a regular file reads the same
// either way.
CFilmTypeFile::CFilmTypeFile(const CFilePath& path)
    : m_handle(path.Fits() ? open(path.Text(), O_RDONLY | O_NONBLOCK | O_NOCTTY) : kClosed) {}

CFilmTypeFile::~CFilmTypeFile() {
    if (IsOpen())
        close(static_cast<int>(m_handle));
}

std::size_t CFilmTypeFile::Read(unsigned char* buffer, std::size_t size) {
    ssize_t count;
    do {
        count = read(static_cast<int>(m_handle), buffer, size);
    } while (count < 0 && errno == EINTR);
    return count < 0 ? 0 : static_cast<std::size_t>(count);
}
