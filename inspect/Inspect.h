// Describes what the tool will read from a shared directory and what it will do at start, without
// writing anything: a section for each shared file, in the order the tool reads them.
#pragma once

#include <optional>

#include "BrightnessTable.h"
#include "FilePath.h"
#include "FilmType.h"
#include "InspectionText.h"

CInspectionText Inspect(const CFilePath& directory);

// The media type the tool will find in the film type file, and why.
FilmType DescribeMedia(const CFilePath& directory, CInspectionText& text);

// Loads the table file for `type` over `table` as the tool does; describes what it takes from the
// file and the table that results.
void DescribeTable(FilmType type, const CFilePath& directory, CBrightnessTable& table,
                   CInspectionText& text);

// What the flag file holds. Returns the level the tool starts at; nothing when that depends on
// what a FIFO or a device named like the flag file delivers.
std::optional<int> DescribeFlag(const CFilePath& directory, CInspectionText& text);
