// The shared files the benchmarks work on, as the companion leaves them.
#pragma once

#include <string>

#include "ScratchDirectory.h"

constexpr const char* kCannotPrepare = "cannot write the shared files in /dev/shm";

// Writes into an existing directory the folder "bench" of scripts/shared_folders.py, which the
// build makes: a 512-byte FilmType.txt whose only keyword, "Film", stands at its end; Brigf.txt,
// the film table, with 21 rows that all differ from the built-in ones; Flag.txt holding "y", the
// letter of level 10 and two bytes of the companion's. Returns false when any of them cannot be
// written.
bool WriteSharedFiles(const CScratchDirectory& directory);
