// One directory per fuzzing process for the files a target hands to the product, on a memory
// file system where there is one. It is removed with everything in it when the process exits.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

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
        std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", Path(name).c_str());
            std::abort();
        }
    }

    void Remove(const std::string& name) const { std::remove(Path(name).c_str()); }

    // The file's bytes, or nothing when it does not exist.
    std::optional<std::string> Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        if (!in)
            return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string m_path;
};

// The one scratch directory of this process.
inline const CScratchDirectory& Scratch() {
    static const CScratchDirectory directory;
    return directory;
}
