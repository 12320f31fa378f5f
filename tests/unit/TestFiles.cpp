#include "TestFiles.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

CTempDirectory::CTempDirectory() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = fs::temp_directory_path() /
             ("quenlit-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(m_path);
}

CTempDirectory::~CTempDirectory() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string CTempDirectory::Prefix() const {
    return (m_path / "").string();
}

void CTempDirectory::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary | std::ios::trunc) << bytes;
}

std::optional<std::string> CTempDirectory::Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
