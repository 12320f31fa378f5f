// What the flag file holds and the level the tool will start at because of it.
#pragma once

#include "FilePath.h"
#include "InspectionText.h"

// Returns the level the tool starts at.
int DescribeFlag(const CFilePath& directory, CInspectionText& text);
