// The table file the tool will read for the media type, what it takes from it, and the table that
// results.
#pragma once

#include "BrightnessTable.h"
#include "FilePath.h"
#include "FilmType.h"
#include "InspectionText.h"

// Loads the table file for `type` over `table` as the tool does, and describes it.
void DescribeTable(FilmType type, const CFilePath& directory, CBrightnessTable& table,
                   CInspectionText& text);
