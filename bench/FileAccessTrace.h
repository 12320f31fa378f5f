// What a piece of code reads and writes in the files of one directory, seen from its system calls:
// the code runs in a child process that this one traces. Linux only.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct FileAccess {
    // End: where the traced code called EndOfOperation.
    enum class Kind { Read, Write, Other, Open, Close, End };
    Kind kind;
    // The file's name in the directory.
    std::string name;
    // Read, Write, Other: the file's position (0 for Open and Close).
    long long offset = 0;
    // Read: how many bytes arrived. Write: the bytes written. Other: the system call's number.
    // Open: the access mode (O_RDONLY, O_WRONLY or O_RDWR).
    long long count = 0;
    std::string bytes;

    bool operator==(const FileAccess& other) const {
        return kind == other.kind && name == other.name && offset == other.offset &&
               count == other.count && bytes == other.bytes;
    }
};

std::ostream& operator<<(std::ostream& out, const FileAccess& access);

struct TracedRun {
    // False when the child could not be traced to its end.
    bool completed = false;
    std::vector<FileAccess> accesses;
    // What the code returned.
    std::string result;
};

// Called by traced code between its operations, so that their accesses can be told apart.
void EndOfOperation();

// Runs `code` in a child process and records every read, write and other change it makes through
// a descriptor of a file in `directory` (ending in its separator), and every opening and closing of
// such a descriptor. The result of `code` comes back through a pipe.
TracedRun TraceFileAccess(const std::string& directory, const std::function<std::string()>& code);
