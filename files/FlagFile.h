// The four-byte status file shared with the companion (its layout in FlagFileLayout.h). Every
// operation opens the file and closes it; StoreLevel writes byte 1 alone, MarkRunning byte 0
// alone, ReadStoredLevel nothing. The
// file is never created or truncated; a write past the end of a shorter file grows it up to that
// byte, the system filling any gap with zero bytes. No byte read is ever written back: a
// companion's write between the tool's read and its write would be undone.
#pragma once

#include <cstdint>

#include "FilePath.h"
#include "FlagFileLayout.h"
#include "SharedDirectory.h"

class CFlagFile {
public:
    explicit CFlagFile(const CFilePath& directory = SharedDirectory);

    // The stored level of the level letter (StoredLevel); 0 when the file cannot be opened for
    // reading and writing. A file without byte 1 gives a value outside the level range.
    int8_t ReadStoredLevel() const;
    // Writes the level letter at offset 1 and no other byte.
    void StoreLevel(int level) const;
    // Writes "y" or "n" at offset 0 and no other byte.
    void MarkRunning(bool running) const;

private:
    CFilePath m_path;
};
