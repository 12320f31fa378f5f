// Each Flag.txt operation writes the one byte it sets and never a byte it read, seen from the
// system calls it makes (bench/FileAccessTrace.h): a rewrite of bytes it read leaves the same
// bytes behind, so only the writes themselves show it. Linux only.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FileAccessTrace.h"
#include "FlagFile.h"
#include "ScratchDirectory.h"

namespace {

// The writes to Flag.txt that `operation` makes on a file holding "nK12", and any other change
// to it (a vectored write, a truncation, a mapping).
std::vector<FileAccess> WritesOf(const std::function<void(const CFlagFile&)>& operation) {
    CScratchDirectory dir;
    dir.Write(kFlagFileName, "nK12");
    const TracedRun run = TraceFileAccess(dir.Prefix(), [&] {
        operation(CFlagFile(dir.Prefix().c_str()));
        return std::string();
    });
    EXPECT_TRUE(run.completed);
    std::vector<FileAccess> writes;
    for (const FileAccess& access : run.accesses)
        if (access.kind == FileAccess::Kind::Write || access.kind == FileAccess::Kind::Other)
            writes.push_back(access);
    return writes;
}

FileAccess Write(long long offset, const std::string& bytes) {
    return {FileAccess::Kind::Write, kFlagFileName, offset, 0, bytes};
}

TEST(FlagFileWritesTest, EachOperationWritesItsOneByteAlone) {
    using Writes = std::vector<FileAccess>;
    EXPECT_EQ(WritesOf([](const CFlagFile& flag) { flag.StoreLevel(14); }), Writes{Write(1, "O")});
    EXPECT_EQ(WritesOf([](const CFlagFile& flag) { flag.MarkRunning(true); }),
              Writes{Write(0, "y")});
    EXPECT_EQ(WritesOf([](const CFlagFile& flag) { flag.MarkRunning(false); }),
              Writes{Write(0, "n")});
    EXPECT_EQ(WritesOf([](const CFlagFile& flag) { flag.ReadStoredLevel(); }), Writes{});
}

} // namespace
