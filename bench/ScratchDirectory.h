// A fresh directory on a RAM-backed file system, removed with its files, so that benchmarks of the
// shared-file routines measure the file calls rather than a disk.
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
    std::string Prefix() const { return m_path + "/"; }
    std::string Path(const std::string& name) const { return Prefix() + name; }

    // Creates or replaces a file; returns false when it cannot be written whole.
    bool Write(const std::string& name, const std::string& bytes) const;
    // The file's bytes; empty when it cannot be read.
    std::string Read(const std::string& name) const;

private:
    std::string m_path;
};
