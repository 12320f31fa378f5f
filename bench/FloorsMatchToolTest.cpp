// Each operation of the tool and its floor, run on the same shared files, must make the same file
// writes (file, offset, bytes), the same driver calls, and leave the same files and results; the
// floor may read no byte that the tool does not read.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "BrightnessController.h"
#include "FileAccessTrace.h"
#include "Floors.h"
#include "SensorSim.h"
#include "SharedFiles.h"
#include "SliderView.h"
#include "TableFile.h"

namespace {

constexpr int kChosenLevel = 14;

// One side of an operation: `prepare` runs before the traced `code`, whose result is compared.
struct Side {
    std::function<void(const CFilePath&)> prepare;
    std::function<std::string(const CFilePath&)> code;
};

struct Operation {
    const char* name;
    Side tool;
    Side floor;
};

void PrintTo(const Operation& operation, std::ostream* out) {
    *out << operation.name;
}

std::string Text(const TableRows& rows) {
    std::string text;
    for (const auto& row : rows)
        for (const int32_t value : row)
            text += std::to_string(value) + ' ';
    return text;
}

// The state an operation leaves in the child, kept from `prepare` to `code`.
std::unique_ptr<CBrightnessController> controller;
std::unique_ptr<CFloorRun> floorRun;
CSliderView view;

void StartTool(const CFilePath& directory) {
    controller = std::make_unique<CBrightnessController>(directory);
    controller->Start(view);
}
void StartFloor(const CFilePath& directory) {
    floorRun = std::make_unique<CFloorRun>(directory);
    floorRun->Start();
}
void Nothing(const CFilePath&) {}

const Operation kOperations[] = {
    {"start",
     {Nothing,
      [](const CFilePath& directory) {
          StartTool(directory);
          controller.reset();
          return std::to_string(view.position);
      }},
     {Nothing,
      [](const CFilePath& directory) { return std::to_string(CFloorRun(directory).Start()); }}},
    {"level change",
     {StartTool,
      [](const CFilePath&) {
          view.position = kChosenLevel;
          return std::to_string(controller->LevelChanged(view));
      }},
     {StartFloor,
      [](const CFilePath&) {
          floorRun->LevelChanged(kChosenLevel);
          return std::to_string(true);
      }}},
    {"stop",
     {StartTool,
      [](const CFilePath&) {
          controller->Stop();
          return std::string();
      }},
     {StartFloor,
      [](const CFilePath&) {
          floorRun->Stop();
          return std::string();
      }}},
    {"table file",
     {Nothing,
      [](const CFilePath& directory) {
          CBrightnessTable table;
          return std::to_string(LoadBrightnessTable(FilmType::Film, table, directory)) +
                 Text(RowsOf(table));
      }},
     {Nothing,
      [](const CFilePath& directory) {
          TableRows rows = RowsOf(CBrightnessTable());
          return std::to_string(LoadTableFloor(FilmType::Film, directory, rows)) + Text(rows);
      }}},
    {"film type file",
     {Nothing,
      [](const CFilePath& directory) {
          return std::to_string(static_cast<int>(DetectFilmType(directory)));
      }},
     {Nothing,
      [](const CFilePath& directory) {
          return std::to_string(static_cast<int>(DetectFilmTypeFloor(directory)));
      }}},
};

struct Observed {
    TracedRun run;
    std::string driverCalls;
    std::map<std::string, std::string> files;
};

// Runs one side on freshly written shared files.
Observed Observe(const CScratchDirectory& directory, const Side& side) {
    Observed observed;
    if (!WriteSharedFiles(directory))
        return observed;
    const CFilePath prefix(directory.Prefix().c_str());
    observed.run = TraceFileAccess(
        directory.Prefix(),
        [&] {
            side.prepare(prefix);
            sensorsim::Reset();
        },
        [&] {
            std::string result = side.code(prefix) + '\n';
            for (const auto& call : sensorsim::Journal())
                result += sensorsim::FormatCall(call) + '\n';
            return result;
        });
    for (const char* name : {kFilmTypeName, kFlagName, TableFileName(FilmType::Film)})
        observed.files[name] = directory.Read(name);
    return observed;
}

std::vector<FileAccess> OfKind(const std::vector<FileAccess>& accesses, FileAccess::Kind kind) {
    std::vector<FileAccess> chosen;
    for (const FileAccess& access : accesses)
        if (access.kind == kind)
            chosen.push_back(access);
    return chosen;
}

// Whether some read of `reads` took byte `offset` of the file.
bool WasRead(const std::vector<FileAccess>& reads, const std::string& name, long long offset) {
    for (const FileAccess& read : reads)
        if (read.name == name && offset >= read.offset && offset < read.offset + read.count)
            return true;
    return false;
}

class FloorsMatchTool : public ::testing::TestWithParam<Operation> {};

TEST_P(FloorsMatchTool, SameWritesDriverCallsAndFiles) {
    const CScratchDirectory directory;
    const Observed tool = Observe(directory, GetParam().tool);
    const Observed floor = Observe(directory, GetParam().floor);
    ASSERT_TRUE(tool.run.completed && floor.run.completed);
    ASSERT_FALSE(tool.run.accesses.empty()) << "the trace saw nothing of the tool";

    EXPECT_EQ(OfKind(floor.run.accesses, FileAccess::Kind::Write),
              OfKind(tool.run.accesses, FileAccess::Kind::Write));
    EXPECT_EQ(OfKind(floor.run.accesses, FileAccess::Kind::Other),
              OfKind(tool.run.accesses, FileAccess::Kind::Other));
    EXPECT_EQ(floor.run.result, tool.run.result) << "results and driver calls";
    EXPECT_EQ(floor.files, tool.files);

    const std::vector<FileAccess> toolReads = OfKind(tool.run.accesses, FileAccess::Kind::Read);
    for (const FileAccess& read : OfKind(floor.run.accesses, FileAccess::Kind::Read))
        for (long long offset = read.offset; offset < read.offset + read.count; ++offset)
            EXPECT_TRUE(WasRead(toolReads, read.name, offset))
                << "the floor reads byte " << offset << " of " << read.name;
}

INSTANTIATE_TEST_SUITE_P(Operations, FloorsMatchTool, ::testing::ValuesIn(kOperations),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 c = c == ' ' ? '_' : c;
                             return name;
                         });

} // namespace
