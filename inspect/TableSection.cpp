#include "Inspect.h"

#include <string>

#include "FileAccess.h"
#include "TableFile.h"
#include "TableLayout.h"

namespace {

// "row 3" or "rows 0-2".
std::string Rows(int first, int last) {
    if (first == last)
        return "row " + std::to_string(first);
    return "rows " + std::to_string(first) + "-" + std::to_string(last);
}

// "row 20 stays built in" or "rows 3-20 stay built in".
std::string BuiltInFrom(int first) {
    const int last = kLevelCount - 1;
    return Rows(first, last) + (first == last ? " stays" : " stay") + " built in";
}

int ValuesFromFile(const TableFileReport& report, int row) {
    int count = 0;
    for (TableValueSource source : report.sources[row])
        count += source != TableValueSource::BuiltIn;
    return count;
}

// The last row that reading reached, or -1.
int LastRowReached(const TableFileReport& report) {
    int row = kLevelCount - 1;
    while (row >= 0 && report.firstLine[row] == 0)
        --row;
    return row;
}

void DescribeRows(const TableFileReport& report, CInspectionText& out) {
    const int rows = report.RowsRead();
    if (rows == 0)
        out.Line("No row from the file: all rows stay built in.");
    else if (rows == 1)
        out.Line("Row 0 from the file; %s.", BuiltInFrom(1).c_str());
    else if (rows < kLevelCount)
        out.Line("Rows 0-%d from the file; %s.", rows - 1, BuiltInFrom(rows).c_str());
    else
        out.Line("Rows 0-20 from the file.");
}

// Rows whose reading ran over a line end: the lines after their first give no row of their own.
// The row that ran to the end of the file looking for its CR is the end's to explain.
void DescribeRowsOverLineEnds(const TableFileReport& report, CInspectionText& out) {
    const int last = LastRowReached(report);
    for (int row = 0; row <= last; ++row) {
        if (report.lastLine[row] == report.firstLine[row])
            continue;
        if (row == last && report.end == TableFileEnd::NoCarriageReturn)
            continue;
        out.Warning("row %d reads lines %d-%d: line %d is shorter than %d characters before its "
                    "CR, or ends without CR, so the lines after it up to %d give no row of their "
                    "own.",
                    row, report.firstLine[row], report.lastLine[row], report.firstLine[row],
                    kRowValuesLength, report.lastLine[row]);
    }
}

void DescribeNonHexDigits(const TableFileReport& report, CInspectionText& out) {
    for (int row = 0; row < kLevelCount; ++row) {
        std::string columns;
        int count = 0;
        for (int column = 0; column < kTableColumnCount; ++column) {
            if (report.sources[row][column] != TableValueSource::FileNonHexDigit)
                continue;
            const int first = kFirstDigitColumn + kValuePitch * column;
            columns +=
                (count++ ? ", " : "") + std::to_string(first) + "-" + std::to_string(first + 1);
        }
        if (count > 0)
            out.Warning("row %d (line %d): %d value%s from characters that are no hex digits, each "
                        "counting as 255, in columns %s of the row.",
                        row, report.firstLine[row], count, count == 1 ? "" : "s", columns.c_str());
    }
}

void DescribeEnd(const TableFileReport& report, CInspectionText& out) {
    const int last = LastRowReached(report);
    switch (report.end) {
    case TableFileEnd::NotOpened:
        return;
    case TableFileEnd::EndMark:
        out.Line("Reading stopped: the end mark \"%c\" on line %d.", kEndOfTableMark,
                 report.endMarkLine);
        out.Warning("the end mark on line %d ends the table early: %s.", report.endMarkLine,
                    BuiltInFrom(report.RowsRead()).c_str());
        return;
    case TableFileEnd::RowLimit:
        out.Line("Reading stopped: the row limit. Row 20 is the last row; nothing after it is "
                 "read.");
        return;
    case TableFileEnd::NoCarriageReturn:
        if (report.lastLine[last] > report.firstLine[last]) {
            out.Line("Reading stopped: line ends without CR. No CR follows row %d's values up to "
                     "the end of the file on line %d.",
                     last, report.lastLine[last]);
            out.Warning("lines %d-%d end without CR (LF only): only %s read.",
                        report.firstLine[last], report.lastLine[last],
                        (Rows(0, last) + (last == 0 ? " is" : " are")).c_str());
        } else if (report.lastByteWasLineFeed) {
            out.Line("Reading stopped: the end of the file, after a last line that ends with LF "
                     "alone, without CR.");
        } else {
            out.Line("Reading stopped: the end of the file, on a last line without line end.");
        }
        return;
    case TableFileEnd::EndOfFile:
        out.Line("Reading stopped: the end of the file.");
        if (last >= 0 && ValuesFromFile(report, last) < kTableColumnCount)
            out.Warning("the file ends inside row %d (line %d), after %d of its six values.", last,
                        report.lastLine[last], ValuesFromFile(report, last));
        return;
    }
}

// The level right-aligned in 3 columns, two spaces, then each value as two hex digits followed by
// the mark of where it came from.
void DescribeEffectiveTable(const CBrightnessTable& table, const TableFileReport& report,
                            CInspectionText& out) {
    // Indexed by TableValueSource: built in, from the file, from a character that is no hex digit.
    constexpr char kMarks[] = {' ', '*', '!'};
    out.Section("Effective table");
    out.Line("Registers 0x%04X 0x%04X 0x%04X 0x%04X 0x%04X 0x%04X, in the order written.",
             kBrightnessRegisters[0], kBrightnessRegisters[1], kBrightnessRegisters[2],
             kBrightnessRegisters[3], kBrightnessRegisters[4], kBrightnessRegisters[5]);
    out.Line("* from the file, ! from a character that is no hex digit.");
    for (int row = 0; row < kLevelCount; ++row) {
        std::string line;
        char cell[8];
        for (int column = 0; column < kTableColumnCount; ++column) {
            std::snprintf(cell, sizeof cell, " %02X%c",
                          static_cast<unsigned>(table.Value(row, column + 1)),
                          kMarks[static_cast<int>(report.sources[row][column])]);
            line += cell;
        }
        out.Line("%3d %s", row, line.c_str());
    }
}

} // namespace

void DescribeTable(FilmType type, const CFilePath& directory, CBrightnessTable& table,
                   CInspectionText& out) {
    out.Section("Table");
    const std::string name = TableFileName(type);
    const CFilePath path(directory, name.c_str());
    TableFileReport report;
    if (DescribeUnlessRegular(ExamineFile(path), "Table file: " + name + ",",
                              "the table file " + name, ": the tool reads no row from it.",
                              ", and the tool reads whatever rows it delivers. Below, it delivers "
                              "none.",
                              out)) {
        if (const CFileStream file = OpenRegularFile(path, "rb"); file.IsOpen())
            ReadBrightnessTable(file.Get(), table, &report);
        else
            out.Line("Table file: %s, exists but cannot be opened.", name.c_str());
    }
    if (report.end == TableFileEnd::NotOpened) {
        out.Line("All rows stay built in.");
    } else {
        out.Line("Table file: %s, exists.", name.c_str());
        DescribeRows(report, out);
        DescribeRowsOverLineEnds(report, out);
        DescribeNonHexDigits(report, out);
        DescribeEnd(report, out);
    }
    DescribeEffectiveTable(table, report, out);
}
