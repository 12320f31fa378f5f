#include "ScratchDirectory.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "FileStream.h"

namespace fs = std::filesystem;

namespace {

fs::path ScratchBase() {
#ifndef _WIN32
    if (fs::is_directory("/dev/shm"))
        return "/dev/shm";
#endif
    std::error_code ignored;
    return fs::temp_directory_path(ignored);
}

} // namespace

CScratchDirectory::CScratchDirectory() {
    // A name no other process or object has taken: creating an existing directory fails.
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
        const fs::path path =
            ScratchBase() / ("quenlit-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::error_code error;
        if (fs::create_directory(path, error))
            m_path = path.string();
    }
}

CScratchDirectory::~CScratchDirectory() {
    if (!Exists())
        return;
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string CScratchDirectory::Prefix() const {
    return (fs::path(m_path) / "").string();
}

std::string CScratchDirectory::Path(const std::string& name) const {
    return (fs::path(m_path) / name).string();
}

bool CScratchDirectory::Write(const std::string& name, const std::string& bytes) const {
    CFileStream file(Path(name).c_str(), "wb");
    return file.IsOpen() && std::fwrite(bytes.data(), 1, bytes.size(), file.Get()) == bytes.size();
}

std::string CScratchDirectory::Read(const std::string& name) const {
    CFileStream file(Path(name).c_str(), "rb");
    std::string bytes;
    if (!file.IsOpen())
        return bytes;
    char block[4096];
    std::size_t count;
    while ((count = std::fread(block, 1, sizeof block, file.Get())) > 0)
        bytes.append(block, count);
    return bytes;
}

bool CScratchDirectory::Has(const std::string& name) const {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(Path(name), ignored));
}

void CScratchDirectory::Remove(const std::string& name) const {
    std::remove(Path(name).c_str());
}
