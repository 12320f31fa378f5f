// Real files in a fresh temporary directory, for tests of the shared-file routines.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

class CTempDirectory {
public:
    CTempDirectory();
    CTempDirectory(const CTempDirectory&) = delete;
    CTempDirectory& operator=(const CTempDirectory&) = delete;
    ~CTempDirectory();

    // The directory with a trailing separator, as the file routines take it.
    std::string Prefix() const;
    std::filesystem::path Path(const std::string& name) const { return m_path / name; }

    void Write(const std::string& name, const std::string& bytes) const;
    // The file's bytes, or nothing when it does not exist.
    std::optional<std::string> Read(const std::string& name) const;

private:
    std::filesystem::path m_path;
};
