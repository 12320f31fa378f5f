// Looking at a shared file without waiting on it. Opening a FIFO can block until another program
// writes to it, and opening a device can have effects of its own, so a path is examined before
// anything is opened, and only a regular file is opened.
#pragma once

#include <string>

#include "FilePath.h"
#include "FileStream.h"
#include "InspectionText.h"

// Special: a FIFO, a socket or a device. Unreachable: what cannot be examined.
enum class FileKind { Missing, Regular, Directory, Special, Unreachable };

struct FileFacts {
    FileKind kind = FileKind::Missing;
    // Special: what it is, "a FIFO" for instance. Unreachable: why it cannot be examined.
    std::string what;

    // What stands there, as every section says it after the file's name; empty for a regular file.
    std::string Described() const {
        switch (kind) {
        case FileKind::Missing:
            return "missing";
        case FileKind::Unreachable:
            return "cannot be reached: " + what;
        case FileKind::Directory:
            return "is a directory, not a file";
        case FileKind::Special:
            return "is " + what + ", not a regular file: the inspector does not open it";
        case FileKind::Regular:
            break;
        }
        return "";
    }
};

// What stands at `path`, found without opening it. A link is followed, as opening it would.
FileFacts ExamineFile(const CFilePath& path);

// A regular file opened "rb" or "rb+", as the tool opens its files. The open never waits: whatever
// is not a regular file by the time it is opened is closed again at once, and the stream is closed.
CFileStream OpenRegularFile(const CFilePath& path, const char* mode);

// Says in `out` what stands in place of a file when it is no regular file, and returns whether it
// is one. Where nothing can be read a line begins with `absent`; where something else stands a
// warning begins with `subject` and ends with what the tool makes of a directory or a special file.
inline bool DescribeUnlessRegular(const FileFacts& facts, const std::string& absent,
                                  const std::string& subject, const char* ofDirectory,
                                  const char* ofSpecial, CInspectionText& out) {
    if (facts.kind == FileKind::Missing || facts.kind == FileKind::Unreachable)
        out.Line("%s %s.", absent.c_str(), facts.Described().c_str());
    else if (facts.kind != FileKind::Regular)
        out.Warning("%s %s%s", subject.c_str(), facts.Described().c_str(),
                    facts.kind == FileKind::Directory ? ofDirectory : ofSpecial);
    return facts.kind == FileKind::Regular;
}
