#include "Inspect.h"

#include "FlagFile.h"
#include "Levels.h"
#include "WriteRegisterText.h"

namespace {

void DescribeStart(std::optional<int> start, const CBrightnessTable& table, CInspectionText& out) {
    out.Section("At start");
    if (!start) {
        out.Line("The level depends on what the tool reads from %s (above): no register writes "
                 "can be shown.",
                 kFlagFileName);
        return;
    }
    const int level = *start;
    out.Line("Level %d, readout %d. The register writes of row %d:", level, DisplayValueOf(level),
             level);
    char line[kWriteRegisterTextSize];
    for (int column = 1; column <= kTableColumnCount; ++column) {
        FormatWriteRegister(line, kSensorDeviceAddress, kBrightnessRegisters[column - 1],
                            table.Value(level, column));
        out.Line("%s", line);
    }
}

} // namespace

CInspectionText Inspect(const CFilePath& directory) {
    CInspectionText out;
    out.Line("Shared directory: %s", directory.Text());
    // The tool's order: media type, its table, then the stored level.
    const FilmType type = DescribeMedia(directory, out);
    CBrightnessTable table;
    DescribeTable(type, directory, table, out);
    DescribeStart(DescribeFlag(directory, out), table, out);
    out.Section("Summary");
    if (out.Warnings() == 0)
        out.Line("No warnings.");
    else
        out.Line("%d warning%s.", out.Warnings(), out.Warnings() == 1 ? "" : "s");
    return out;
}
