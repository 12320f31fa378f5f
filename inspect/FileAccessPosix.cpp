#include "FileAccess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* SpecialKindOf(mode_t mode) {
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    return "a special file";
}

} // namespace

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
    if (S_ISREG(status.st_mode))
        return {FileKind::Regular, ""};
    if (S_ISDIR(status.st_mode))
        return {FileKind::Directory, ""};
    return {FileKind::Special, SpecialKindOf(status.st_mode)};
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
