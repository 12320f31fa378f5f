// The companion application writes bytes 2 and 3 of Flag.txt from a process of its own while the
// tool stores levels and marks itself running: none of the companion's writes may be undone.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>

#include "FlagFile.h"
#include "Levels.h"
#include "ScratchDirectory.h"
#include "SiblingProgram.h"

namespace {

using namespace std::string_literals;

// The companion's run is bounded by time, so that a slower machine makes fewer writes rather than
// taking longer.
constexpr const char* kCompanionMilliseconds = "2000";

TEST(FlagFileConcurrencyTest, CompanionWritesAreNeverUndone) {
    CScratchDirectory dir;
    dir.Write(CFlagFile::kFileName, "nK\0\0"s);
    const std::string result = dir.Path("companion.txt");

    std::atomic<bool> companionDone{false};
    int companionStatus = -1;
    std::thread companion([&] {
        companionStatus =
            RunSiblingProgram("flag_file_companion",
                              {dir.Path(CFlagFile::kFileName), kCompanionMilliseconds, result});
        companionDone = true;
    });
    const CFlagFile flag(dir.Prefix().c_str());
    for (int i = 0; !companionDone; ++i) {
        flag.StoreLevel(i % kLevelCount);
        flag.MarkRunning(i % 2 == 0);
    }
    companion.join();

    ASSERT_EQ(companionStatus, 0);
    unsigned long writes = 0, lost = 0, toolChangesSeen = 0;
    std::ifstream(result) >> writes >> lost >> toolChangesSeen;
    RecordProperty("companion_writes", std::to_string(writes));
    RecordProperty("companion_writes_lost", std::to_string(lost));
    ASSERT_GT(toolChangesSeen, 0u) << "the tool never wrote while the companion ran";
    EXPECT_EQ(lost, 0u) << "of " << writes << " companion writes";
}

} // namespace
