// Describes what the tool will read from a shared directory and what it will do at start, without
// writing anything.
#pragma once

#include "FilePath.h"
#include "InspectionText.h"

CInspectionText Inspect(const CFilePath& directory);
