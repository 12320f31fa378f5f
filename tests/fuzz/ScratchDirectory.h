// One directory per fuzzing process for the files a target hands to the product, on a memory
// file system where there is one. It is removed with everything in it when the process exits.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

// A file descriptor, closed when it goes out of scope. The scratch files go through the system's
// calls alone: a stream from <fstream> costs several system calls more on every open under the
// sanitizers' checks, and a fuzz target reads its file after every step.
class CDescriptor {
public:
    explicit CDescriptor(int descriptor) : m_descriptor(descriptor) {}
    CDescriptor(const CDescriptor&) = delete;
    CDescriptor& operator=(const CDescriptor&) = delete;
    ~CDescriptor() {
        if (IsOpen())
            close(m_descriptor);
    }

    bool IsOpen() const { return m_descriptor >= 0; }
    int Get() const { return m_descriptor; }

private:
    int m_descriptor;
};

class CScratchDirectory {
public:
    CScratchDirectory() {
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/quenlit-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        m_path = pattern;
    }
    CScratchDirectory(const CScratchDirectory&) = delete;
    CScratchDirectory& operator=(const CScratchDirectory&) = delete;
    ~CScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    // The directory with a trailing separator, as the file routines take it.
    std::string Prefix() const { return m_path + "/"; }
    std::string Path(const std::string& name) const { return Prefix() + name; }

    // Replaces the file's content; a failure here would void every check, so it ends the run.
    void Write(const std::string& name, const uint8_t* data, std::size_t size) const {
        const CDescriptor file(open(Path(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
        while (file.IsOpen() && size > 0) {
            const ssize_t count = write(file.Get(), data, size);
            if (count <= 0)
                break;
            data += count;
            size -= static_cast<std::size_t>(count);
        }
        if (!file.IsOpen() || size > 0) {
            std::fprintf(stderr, "cannot write %s\n", Path(name).c_str());
            std::abort();
        }
    }

    void Remove(const std::string& name) const { std::remove(Path(name).c_str()); }

    // The file's bytes, or nothing when it does not exist. A failed read ends the run.
    std::optional<std::string> Read(const std::string& name) const {
        const CDescriptor file(open(Path(name).c_str(), O_RDONLY));
        if (!file.IsOpen())
            return std::nullopt;
        std::string bytes;
        char block[512];
        ssize_t count;
        while ((count = read(file.Get(), block, sizeof block)) > 0)
            bytes.append(block, static_cast<std::size_t>(count));
        if (count < 0) {
            std::fprintf(stderr, "cannot read %s\n", Path(name).c_str());
            std::abort();
        }
        return bytes;
    }

private:
    std::string m_path;
};

// The one scratch directory of this process.
inline const CScratchDirectory& Scratch() {
    static const CScratchDirectory directory;
    return directory;
}
