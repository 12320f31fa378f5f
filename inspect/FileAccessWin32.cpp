#include "FileAccess.h"

#include <io.h>
#include <windows.h>

FileFacts ExamineFile(const CFilePath& path) {
    if (!path.Fits())
        return {FileKind::Unreachable, "the path is too long"};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.Text(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return {FileKind::Missing, ""};
        case ERROR_ACCESS_DENIED:
            return {FileKind::Unreachable, "access is denied"};
        case ERROR_INVALID_PARAMETER:
            // What Wine answers for a FIFO, a socket or a device in a Unix folder.
            return {FileKind::Special, "a special file"};
        default:
            return {FileKind::Unreachable, "Windows error " + std::to_string(error)};
        }
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return {FileKind::Directory, ""};
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE)
        return {FileKind::Special, "a device"};
    return {FileKind::Regular, ""};
}

CFileStream OpenRegularFile(const CFilePath& path, const char* mode) {
    std::FILE* file = path.Fits() ? std::fopen(path.Text(), mode) : nullptr;
    if (file &&
        GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != FILE_TYPE_DISK) {
        std::fclose(file);
        file = nullptr;
    }
    return CFileStream(file);
}
