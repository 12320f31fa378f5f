// What the shared-file operations ask of the system, seen from their system calls
// (bench/FileAccessTrace.h): each Flag.txt operation writes the one byte it sets and never a byte
// it read, and FilmType.txt is read in 512-byte blocks up to the first short one. Their bytes and
// results alone would not show either. Linux only.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "FileAccessTrace.h"
#include "FilmType.h"
#include "FlagFile.h"
#include "ScratchDirectory.h"

namespace {

// The accesses of kind `kind` to the files of a directory holding `name` with `content`, and any
// other change to them (a vectored write, a truncation, a mapping), that `operation` makes.
std::vector<FileAccess> AccessesOf(FileAccess::Kind kind, const std::string& name,
                                   const std::string& content,
                                   const std::function<void(const std::string&)>& operation) {
    CScratchDirectory dir;
    dir.Write(name, content);
    const TracedRun run = TraceFileAccess(dir.Prefix(), [&] {
        operation(dir.Prefix());
        return std::string();
    });
    EXPECT_TRUE(run.completed);
    std::vector<FileAccess> accesses;
    for (const FileAccess& access : run.accesses)
        if (access.kind == kind || access.kind == FileAccess::Kind::Other)
            accesses.push_back(access);
    return accesses;
}

TEST(FlagFileWritesTest, EachOperationWritesItsOneByteAlone) {
    using Writes = std::vector<FileAccess>;
    const auto write = [](long long offset, const std::string& bytes) {
        return FileAccess{FileAccess::Kind::Write, kFlagFileName, offset, 0, bytes};
    };
    const struct {
        const char* name;
        std::function<void(const CFlagFile&)> operation;
        Writes writes;
    } operations[] = {
        {"StoreLevel(14)", [](const CFlagFile& flag) { flag.StoreLevel(14); }, {write(1, "O")}},
        {"MarkRunning(true)",
         [](const CFlagFile& flag) { flag.MarkRunning(true); },
         {write(0, "y")}},
        {"MarkRunning(false)",
         [](const CFlagFile& flag) { flag.MarkRunning(false); },
         {write(0, "n")}},
        {"ReadStoredLevel()", [](const CFlagFile& flag) { flag.ReadStoredLevel(); }, {}},
    };
    // Files of every length from empty to longer than four bytes: in an empty one the system, not
    // the tool, fills offset 0 before the letter.
    const std::string full = "yK12\xAA\xBB";
    for (std::size_t length = 0; length <= full.size(); ++length)
        for (const auto& o : operations)
            EXPECT_EQ(
                AccessesOf(FileAccess::Kind::Write, kFlagFileName, full.substr(0, length),
                           [&](const std::string& dir) { o.operation(CFlagFile(dir.c_str())); }),
                o.writes)
                << o.name << " on " << length << " bytes";
}

TEST(FilmTypeReadsTest, BlocksOf512BytesUpToTheFirstShortOne) {
    const auto read = [](long long offset, long long count) {
        return FileAccess{FileAccess::Kind::Read, kFilmTypeFileName, offset, count, {}};
    };
    using Reads = std::vector<FileAccess>;
    const struct {
        std::size_t size;
        Reads reads;
    } cases[] = {
        {0, {read(0, 0)}},
        {100, {read(0, 100)}},
        {512, {read(0, 512), read(512, 0)}},
        {1000, {read(0, 512), read(512, 488)}},
        {1024, {read(0, 512), read(512, 512), read(1024, 0)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AccessesOf(FileAccess::Kind::Read, kFilmTypeFileName, std::string(c.size, '.'),
                             [](const std::string& dir) { DetectFilmType(dir.c_str()); }),
                  c.reads)
            << c.size << " bytes";
}

// A FIFO with no writer opens at once and reads as empty: the film type falls back to slide. The
// alarm ends the suite, saying so, should the open wait for a writer.
TEST(FilmTypeReadsTest, FifoWithoutWriterIsSlideAtOnce) {
    CScratchDirectory dir;
    ASSERT_EQ(mkfifo(dir.Path(kFilmTypeFileName).c_str(), 0600), 0);
    std::signal(SIGALRM, [](int) {
        constexpr char kHung[] = "FilmTypeReadsTest: the film type read waits on a FIFO\n";
        static_cast<void>(write(STDERR_FILENO, kHung, sizeof kHung - 1));
        _exit(1);
    });
    alarm(10);
    EXPECT_EQ(DetectFilmType(dir.Prefix().c_str()), FilmType::Slide);
    alarm(0);
}

} // namespace
