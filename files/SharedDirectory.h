// The one directory whose files the tool shares with the companion application.
#pragma once

// Always ends in its separator: file names are appended as they stand.
constexpr const char* SharedDirectory = "C:\\KelvoTemp\\";
