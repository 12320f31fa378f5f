// What the flag file holds and the level the tool will start at because of it.
#pragma once

#include <optional>

#include "FilePath.h"
#include "InspectionText.h"

// Returns the level the tool starts at; nothing when that depends on what a FIFO or a device
// named like the flag file delivers.
std::optional<int> DescribeFlag(const CFilePath& directory, CInspectionText& text);
