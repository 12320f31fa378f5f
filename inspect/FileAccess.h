// Looking at a shared file without waiting on it. Opening a FIFO can block until another program
// writes to it, and opening a device can have effects of its own, so a path is examined before
// anything is opened, and only a regular file is opened.
#pragma once

#include <string>

#include "FilePath.h"
#include "FileStream.h"

enum class FileKind {
    Missing,
    Regular,
    Directory,
    // A FIFO, a socket or a device.
    Special,
    // Cannot be examined.
    Unreachable,
};

struct FileFacts {
    FileKind kind = FileKind::Missing;
    // Special: what it is, "a FIFO" for instance. Unreachable: why it cannot be examined.
    std::string what;
};

// What stands at `path`, found without opening it. A link is followed, as opening it would.
FileFacts ExamineFile(const CFilePath& path);

// A regular file opened "rb", as the tool opens a table file. The open never waits: whatever is
// not a regular file by the time it is opened is closed again at once, and the stream is closed.
CFileStream OpenRegularFile(const CFilePath& path);
