#include "Floors.h"

#include <optional>
#include <string_view>

#include "FlagFile.h"
#include "FloorFile.h"
#include "QXBaseIF.h"
#include "SensorLink.h"
#include "TableFile.h"

namespace {

// More than any shared file the floors read.
constexpr std::size_t kWholeFile = 4096;

// The whole of a small file, read into `text`; nothing when it cannot be opened.
std::optional<std::string_view> ReadWhole(const CFilePath& path, char (&text)[kWholeFile]) {
    CFloorFile file(path, CFloorFile::Access::Read);
    if (!file.IsOpen())
        return std::nullopt;
    return std::string_view(text, file.ReadAt(0, text, sizeof text));
}

void WriteRow(const CBrightnessTable::Row& row) {
    for (std::size_t column = 0; column < row.size(); ++column)
        WriteRegister(kSensorDeviceAddress, kBrightnessRegisters[column], row[column]);
}

} // namespace

TableRows RowsOf(const CBrightnessTable& table) {
    TableRows rows;
    for (int row = 0; row < kLevelCount; ++row)
        rows[row] = table.RowOf(row);
    return rows;
}

FilmType DetectFilmTypeFloor(const CFilePath& directory) {
    char text[kWholeFile];
    std::string_view searched =
        ReadWhole(CFilePath(directory, kFilmTypeFileName), text).value_or("");
    searched = searched.substr(0, searched.find('\0'));
    for (int type = 0; type < kFilmTypeCount; ++type)
        if (searched.find(FilmTypeKeyword(static_cast<FilmType>(type))) != std::string_view::npos)
            return static_cast<FilmType>(type);
    return FilmType::Slide;
}

bool LoadTableFloor(FilmType type, const CFilePath& directory, TableRows& rows) {
    char text[kWholeFile];
    const std::optional<std::string_view> read =
        ReadWhole(CFilePath(directory, TableFileName(type)), text);
    if (!read)
        return false;
    const std::string_view file = *read;
    // Row lines hold their values at columns 2, 7, 12, 17, 22, 27 and end in CR LF.
    constexpr std::size_t kLastValueEnd = 29;
    std::size_t line = 0;
    for (auto& row : rows) {
        if (line + kLastValueEnd > file.size())
            break;
        for (std::size_t column = 0; column < row.size(); ++column) {
            const std::size_t digits = line + 2 + 5 * column;
            row[column] =
                (16 * HexDigitValue(file[digits]) + HexDigitValue(file[digits + 1])) % 256;
        }
        const std::size_t lineEnd = file.find('\r', line + kLastValueEnd);
        if (lineEnd == std::string_view::npos)
            break;
        line = lineEnd + 2;
        if (line >= file.size() || file[line] == '#')
            break;
    }
    return true;
}

CFloorRun::CFloorRun(const CFilePath& directory)
    : m_directory(directory), m_flagPath(directory, kFlagFileName),
      m_rows(RowsOf(CBrightnessTable())) {}

int CFloorRun::Start() {
    LoadTableFloor(DetectFilmTypeFloor(m_directory), m_directory, m_rows);
    const int level = StartLevel();
    m_driverOpen = InitQXDriver(kImageWidth, kImageHeight) >= 0;
    WriteRow(m_rows[level]);
    WriteFlagByte(kRunningMarkOffset, kRunningMark);
    return level;
}

void CFloorRun::LevelChanged(int level) {
    WriteFlagByte(kLevelLetterOffset, kLevelLetterBase + level);
    WriteRow(m_rows[level]);
}

void CFloorRun::Stop() {
    WriteFlagByte(kRunningMarkOffset, kStoppedMark);
    FinishOpenDriver();
}

int CFloorRun::StartLevel() const {
    CFloorFile flag(m_flagPath, CFloorFile::Access::ReadWrite);
    unsigned char letter = kMissingLetter;
    if (flag.IsOpen())
        flag.ReadAt(kLevelLetterOffset, &letter, 1);
    return ::StartLevel(flag.IsOpen(), letter);
}

void CFloorRun::WriteFlagByte(long offset, unsigned char byte) const {
    CFloorFile flag(m_flagPath, CFloorFile::Access::ReadWrite);
    if (flag.IsOpen())
        flag.WriteAt(offset, &byte, 1);
}

void CFloorRun::FinishOpenDriver() {
    if (m_driverOpen)
        FinishDriver();
    m_driverOpen = false;
}
