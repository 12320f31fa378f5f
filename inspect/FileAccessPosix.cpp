#include "FileAccess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileFacts ExamineFile(const CFilePath& path) {
    if (!path.Fits())
        return {FileKind::Unreachable, "the path is too long"};
    struct stat status;
    if (stat(path.Text(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {FileKind::Missing, ""};
        // Examining a file needs no permission on the file itself, only leave to search the
        // folders on its path.
        if (errno == EACCES)
            return {FileKind::Unreachable, "its folder cannot be searched"};
        return {FileKind::Unreachable, std::strerror(errno)};
    }
    switch (status.st_mode & S_IFMT) {
    case S_IFREG:
        return {FileKind::Regular, ""};
    case S_IFDIR:
        return {FileKind::Directory, ""};
    case S_IFIFO:
        return {FileKind::Special, "a FIFO"};
    case S_IFSOCK:
        return {FileKind::Special, "a socket"};
    case S_IFCHR:
        return {FileKind::Special, "a character device"};
    case S_IFBLK:
        return {FileKind::Special, "a block device"};
    default:
        return {FileKind::Special, "a special file"};
    }
}

CFileStream OpenRegularFile(const CFilePath& path, const char* mode) {
    if (!path.Fits())
        return CFileStream(nullptr);
    const int access = std::strchr(mode, '+') ? O_RDWR : O_RDONLY;
    const int descriptor = open(path.Text(), access | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0)
        return CFileStream(nullptr);
    struct stat status;
    std::FILE* file = nullptr;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode))
        file = fdopen(descriptor, mode);
    if (!file)
        close(descriptor);
    return CFileStream(file);
}
