// The tool and its floors, each in a run on the same shared files, must make the same file writes
// (file, offset, bytes) and driver calls, open (in the same access mode) and close the same files
// in each operation, show the same levels and leave the same files; the floors may read no byte the
// tool does not read, and no file more often. A run starts, drags over every level and stops, then
// starts once more and ends without stopping, as the start benchmark does.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "BrightnessController.h"
#include "FileAccessTrace.h"
#include "FilmType.h"
#include "FlagFile.h"
#include "Floors.h"
#include "SensorSim.h"
#include "SharedFiles.h"
#include "SliderView.h"
#include "TableFile.h"

namespace {

std::string DriverCalls() {
    std::string calls;
    for (const auto& call : sensorsim::Journal())
        calls += sensorsim::FormatCall(call) + '\n';
    return calls;
}

std::string ToolRun(const CFilePath& directory) {
    CSliderView view;
    std::string shown;
    {
        CBrightnessController controller(directory);
        controller.Start(view);
        EndOfOperation();
        shown += std::to_string(view.position) + ' ';
        for (view.position = 0; view.position < kLevelCount; ++view.position) {
            controller.LevelChanged(view);
            EndOfOperation();
        }
        controller.Stop();
        EndOfOperation();
    }
    CBrightnessController(directory).Start(view);
    shown += std::to_string(view.position) + '\n';
    return shown + DriverCalls();
}

std::string FloorRun(const CFilePath& directory) {
    std::string shown;
    {
        CFloorRun run(directory);
        shown += std::to_string(run.Start()) + ' ';
        EndOfOperation();
        for (int level = 0; level < kLevelCount; ++level) {
            run.LevelChanged(level);
            EndOfOperation();
        }
        run.Stop();
        EndOfOperation();
    }
    shown += std::to_string(CFloorRun(directory).Start()) + '\n';
    return shown + DriverCalls();
}

struct Observed {
    TracedRun run;
    std::map<std::string, std::string> files;
};

// Runs `code` on freshly written shared files.
Observed Observe(const CScratchDirectory& directory, std::string (*code)(const CFilePath&)) {
    Observed observed;
    if (!WriteSharedFiles(directory))
        return observed;
    observed.run = TraceFileAccess(directory.Prefix(), [&] {
        sensorsim::Reset();
        return code(directory.Prefix().c_str());
    });
    for (const char* name : {kFilmTypeFileName, kFlagFileName, TableFileName(FilmType::Film)})
        observed.files[name] = directory.Read(name);
    return observed;
}

// Whether the trace holds an access of this kind.
bool Saw(const Observed& observed, FileAccess::Kind kind) {
    return std::any_of(observed.run.accesses.begin(), observed.run.accesses.end(),
                       [kind](const FileAccess& access) { return access.kind == kind; });
}

// The accesses of the kinds given, ends of operations included.
std::vector<FileAccess> OfKind(const Observed& observed, FileAccess::Kind kind) {
    std::vector<FileAccess> chosen;
    for (const FileAccess& access : observed.run.accesses)
        if (access.kind == kind || access.kind == FileAccess::Kind::End)
            chosen.push_back(access);
    return chosen;
}

// The reads of each operation.
std::vector<std::vector<FileAccess>> ReadsByOperation(const Observed& observed) {
    std::vector<std::vector<FileAccess>> operations(1);
    for (const FileAccess& access : OfKind(observed, FileAccess::Kind::Read)) {
        if (access.kind == FileAccess::Kind::End)
            operations.emplace_back();
        else
            operations.back().push_back(access);
    }
    return operations;
}

// Whether some read of `reads` took byte `offset` of the file.
bool WasRead(const std::vector<FileAccess>& reads, const std::string& name, long long offset) {
    for (const FileAccess& read : reads)
        if (read.name == name && offset >= read.offset && offset < read.offset + read.count)
            return true;
    return false;
}

// Fails when an operation's floor reads a file more often than the tool, or a byte it does not.
void ExpectNoReadBeyondTool(const std::vector<FileAccess>& tool,
                            const std::vector<FileAccess>& floor) {
    std::map<std::string, int> readsLeft;
    for (const FileAccess& read : tool)
        ++readsLeft[read.name];
    for (const FileAccess& read : floor) {
        EXPECT_GE(--readsLeft[read.name], 0) << "the floor reads " << read.name << " more often";
        for (long long offset = read.offset; offset < read.offset + read.count; ++offset)
            EXPECT_TRUE(WasRead(tool, read.name, offset))
                << "the floor reads byte " << offset << " of " << read.name;
    }
}

TEST(FloorsMatchTool, SameWritesDriverCallsLevelsAndFiles) {
    const CScratchDirectory directory;
    const Observed tool = Observe(directory, ToolRun);
    const Observed floor = Observe(directory, FloorRun);
    ASSERT_TRUE(tool.run.completed && floor.run.completed);
    ASSERT_TRUE(Saw(tool, FileAccess::Kind::Write)) << "the trace saw no write";
    ASSERT_TRUE(Saw(tool, FileAccess::Kind::Open)) << "the trace saw no opening";

    EXPECT_EQ(OfKind(floor, FileAccess::Kind::Write), OfKind(tool, FileAccess::Kind::Write));
    EXPECT_EQ(OfKind(floor, FileAccess::Kind::Other), OfKind(tool, FileAccess::Kind::Other));
    // The floors open each file and close it within the operation: so must the tool.
    EXPECT_EQ(OfKind(floor, FileAccess::Kind::Open), OfKind(tool, FileAccess::Kind::Open));
    EXPECT_EQ(OfKind(floor, FileAccess::Kind::Close), OfKind(tool, FileAccess::Kind::Close));
    EXPECT_EQ(floor.run.result, tool.run.result) << "levels shown and driver calls";
    EXPECT_EQ(floor.files, tool.files);

    const auto toolReads = ReadsByOperation(tool);
    const auto floorReads = ReadsByOperation(floor);
    ASSERT_EQ(floorReads.size(), toolReads.size());
    for (std::size_t operation = 0; operation < toolReads.size(); ++operation) {
        SCOPED_TRACE("operation " + std::to_string(operation));
        ExpectNoReadBeyondTool(toolReads[operation], floorReads[operation]);
    }
}

} // namespace
