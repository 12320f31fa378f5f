// A fresh directory for the files that tests, fuzz targets and benchmarks hand to the shared-file
// routines, removed with everything in it. Where there is a memory file system (/dev/shm), it lies
// there, so that a benchmark measures the file calls rather than a disk.
#pragma once

#include <string>

class CScratchDirectory {
public:
    CScratchDirectory();
    CScratchDirectory(const CScratchDirectory&) = delete;
    CScratchDirectory& operator=(const CScratchDirectory&) = delete;
    ~CScratchDirectory();

    // False when the directory could not be made; nothing else works then.
    bool Exists() const { return !m_path.empty(); }
    // The directory with a trailing separator, as the file routines take it.
    std::string Prefix() const;
    std::string Path(const std::string& name) const;

    // Creates or replaces a file; returns false when it cannot be written whole.
    bool Write(const std::string& name, const std::string& bytes) const;
    // The file's bytes; empty when it cannot be read.
    std::string Read(const std::string& name) const;
    // Whether a file (or anything else) of this name is there.
    bool Has(const std::string& name) const;
    void Remove(const std::string& name) const;

private:
    std::string m_path;
};
