// Flag.txt through the C runtime's calls alone, in the tool's sequence: every operation opens the
// file "rb+", seeks, reads and writes single bytes, and closes it, leaving the bytes the tool
// leaves.
#pragma once

// Byte 1 minus "A" as a signed byte; 0 when the file cannot be opened.
int ReadStoredLevelBare();
// Writes the level letter at offset 1, then rewrites bytes 0, 2 and 3 with their own values.
void StoreLevelBare(int level);
// Writes "y" or "n" at offset 0, then rewrites bytes 1, 2 and 3 with their own values.
void MarkRunningBare(bool running);
