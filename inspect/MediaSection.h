// The media type the tool will find in the film type file, and why.
#pragma once

#include "FilePath.h"
#include "FilmType.h"
#include "InspectionText.h"

FilmType DescribeMedia(const CFilePath& directory, CInspectionText& text);
