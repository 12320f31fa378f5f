#include "ScratchDirectory.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "FileStream.h"

CScratchDirectory::CScratchDirectory() {
    char name[] = "/dev/shm/quenlit-bench-XXXXXX";
    if (mkdtemp(name))
        m_path = name;
}

CScratchDirectory::~CScratchDirectory() {
    if (!Exists())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
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
