// The floors: for each operation the tool measures, the least work that makes the same file writes
// (file, offset, bytes) and the same driver calls, and reads nothing the tool does not need. Each
// file is opened and closed per operation, as the tool does; the rules (keywords, letters, marks,
// registers, table files) are the tool's own constants. The floors follow the path on which the
// driver opens; floors_match_tool holds them to the tool.
#pragma once

#include <array>

#include "BrightnessTable.h"
#include "FilePath.h"
#include "FilmType.h"

using TableRows = std::array<CBrightnessTable::Row, kLevelCount>;

// The rows of a table in its current state.
TableRows RowsOf(const CBrightnessTable& table);

// One open, one read of the whole file, one close, then the keywords in their search order.
FilmType DetectFilmTypeFloor(const CFilePath& directory);

// One open, one read of the whole file, one close, then every value straight from its columns
// over `rows`. Returns false when the file cannot be opened.
bool LoadTableFloor(FilmType type, const CFilePath& directory, TableRows& rows);

// One run of the tool on the shared files in `directory`.
class CFloorRun {
public:
    explicit CFloorRun(const CFilePath& directory);
    CFloorRun(const CFloorRun&) = delete;
    CFloorRun& operator=(const CFloorRun&) = delete;
    // Finishes the driver if it is open.
    ~CFloorRun() { FinishOpenDriver(); }

    // The film type, its table over the built-in rows, the stored level (byte 1 alone), the
    // driver's open, the level's row and the running mark. Returns the level.
    int Start();
    // The level's letter and its row.
    void LevelChanged(int level);
    // The stopped mark and the driver's finish.
    void Stop();

private:
    // The level Flag.txt gives the start, by the tool's rule (FlagFileLayout.h).
    int StartLevel() const;
    void WriteFlagByte(long offset, unsigned char byte) const;
    void FinishOpenDriver();

    CFilePath m_directory;
    CFilePath m_flagPath;
    TableRows m_rows;
    bool m_driverOpen = false;
};
