#include "SharedFiles.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool WriteSharedFiles(const CScratchDirectory& directory) {
    std::error_code error;
    if (!directory.Exists())
        return false;
    for (const fs::directory_entry& file : fs::directory_iterator(QUENLIT_BENCH_FOLDER, error)) {
        const std::string target = directory.Path(file.path().filename().string());
        if (!fs::copy_file(file.path(), target, fs::copy_options::overwrite_existing, error))
            return false;
    }
    return !error;
}
