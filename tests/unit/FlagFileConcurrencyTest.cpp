// Every operation that opens Flag.txt runs again and again while another process writes every byte
// the operation does not set, as the companion application writes bytes 2 and 3: an operation that
// writes back a byte it read, or any byte it did not set, undoes some of those writes.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "FlagFile.h"
#include "Levels.h"
#include "ScratchDirectory.h"
#include "SiblingProgram.h"

namespace {

using namespace std::string_literals;

// The writer's run is bounded by time, so that a slower machine makes fewer writes rather than
// taking longer; the operations stop when it ends.
constexpr const char* kWriterMilliseconds = "700";
constexpr int kMostOperations = 10'000'000;
const std::string kInitialBytes = "nK\0\0"s;

struct Operation {
    const char* name;
    // The bytes the other process writes: all but the one the operation sets.
    const char* othersBytes;
    std::function<void(const CFlagFile&, int round)> run;
};

void PrintTo(const Operation& operation, std::ostream* out) {
    *out << operation.name;
}

class FlagFileConcurrencyTest : public ::testing::TestWithParam<Operation> {};

TEST_P(FlagFileConcurrencyTest, NoWriteOfAnotherIsUndone) {
    CScratchDirectory dir;
    dir.Write(kFlagFileName, kInitialBytes);
    const std::string result = dir.Path("writer.txt");

    std::atomic<bool> writerDone{false};
    int writerStatus = -1;
    std::thread writer([&] {
        writerStatus = RunSiblingProgram(
            "flag_file_companion",
            {dir.Path(kFlagFileName), GetParam().othersBytes, kWriterMilliseconds, result});
        writerDone = true;
    });
    // The operations start with the writer's first write.
    while (!writerDone && dir.Read(kFlagFileName) == kInitialBytes)
        std::this_thread::yield();
    const CFlagFile flag(dir.Prefix().c_str());
    int operations = 0;
    for (; !writerDone && operations < kMostOperations; ++operations)
        GetParam().run(flag, operations);
    writer.join();

    ASSERT_EQ(writerStatus, 0);
    unsigned long writes = 0, lost = 0;
    std::ifstream(result) >> writes >> lost;
    RecordProperty("writes", std::to_string(writes));
    RecordProperty("writes_lost", std::to_string(lost));
    ASSERT_GT(operations, 0) << "the operation never ran while the other process wrote";
    EXPECT_EQ(lost, 0u) << "of " << writes << " writes, after " << operations << " operations";
}

INSTANTIATE_TEST_SUITE_P(
    EveryOperation, FlagFileConcurrencyTest,
    ::testing::Values(
        Operation{"StoreLevel", "023",
                  [](const CFlagFile& flag, int round) { flag.StoreLevel(round % kLevelCount); }},
        Operation{"MarkRunning", "123",
                  [](const CFlagFile& flag, int round) { flag.MarkRunning(round % 2 == 0); }},
        Operation{"ReadStoredLevel", "0123",
                  [](const CFlagFile& flag, int) { flag.ReadStoredLevel(); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
