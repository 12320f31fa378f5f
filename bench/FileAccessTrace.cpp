#include "FileAccessTrace.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Ends the pipe's end that it holds when it goes out of scope.
class CDescriptor {
public:
    explicit CDescriptor(int descriptor = -1) : m_descriptor(descriptor) {}
    CDescriptor(const CDescriptor&) = delete;
    CDescriptor& operator=(const CDescriptor&) = delete;
    ~CDescriptor() { Reset(); }

    int Get() const { return m_descriptor; }
    void Reset(int descriptor = -1) {
        if (m_descriptor >= 0)
            close(m_descriptor);
        m_descriptor = descriptor;
    }

private:
    int m_descriptor;
};

// The call that marks the end of an operation: one that nothing else in the traced code makes.
constexpr long kEndOfOperationCall = SYS_getppid;

// What a system call does to a file, or nothing when it reads and changes none.
std::optional<FileAccess::Kind> KindOf(long call) {
    if (call == SYS_read || call == SYS_pread64)
        return FileAccess::Kind::Read;
    if (call == SYS_write || call == SYS_pwrite64)
        return FileAccess::Kind::Write;
    if (call == SYS_close)
        return FileAccess::Kind::Close;
    for (const long other :
         {SYS_readv, SYS_preadv, SYS_preadv2, SYS_writev, SYS_pwritev, SYS_pwritev2, SYS_ftruncate,
          SYS_fallocate, SYS_sendfile, SYS_copy_file_range, SYS_mmap})
        if (call == other)
            return FileAccess::Kind::Other;
    return std::nullopt;
}

// The watched child, stopped at one of its system calls.
class CTracee {
public:
    explicit CTracee(pid_t pid) : m_pid(pid) {}

    std::string Path(long long descriptor) const {
        char path[4096];
        const std::string link = Proc("fd", descriptor);
        const ssize_t length = readlink(link.c_str(), path, sizeof path);
        return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
    }

    long long Position(long long descriptor) const {
        std::ifstream info(Proc("fdinfo", descriptor));
        std::string key;
        long long position = -1;
        info >> key >> position; // the first line: "pos: <offset>"
        return key == "pos:" ? position : -1;
    }

    std::string Memory(unsigned long long address, std::size_t size) const {
        std::string bytes(size, '\0');
        iovec local{bytes.data(), size};
        iovec remote{reinterpret_cast<void*>(address), size};
        const ssize_t count = process_vm_readv(m_pid, &local, 1, &remote, 1, 0);
        bytes.resize(count < 0 ? 0 : static_cast<std::size_t>(count));
        return bytes;
    }

private:
    std::string Proc(const char* table, long long descriptor) const {
        return "/proc/" + std::to_string(m_pid) + "/" + table + "/" + std::to_string(descriptor);
    }

    pid_t m_pid;
};

// Follows the child from its stop before `code` to its exit.
bool Follow(pid_t child, const std::string& directory, std::vector<FileAccess>& accesses) {
    int status;
    if (waitpid(child, &status, 0) != child || !WIFSTOPPED(status))
        return false;
    ptrace(PTRACE_SETOPTIONS, child, 0, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    const CTracee tracee(child);
    FileAccess pending{};
    unsigned long long buffer = 0;
    bool watched = false;
    int signal = 0;
    for (;;) {
        if (ptrace(PTRACE_SYSCALL, child, 0, signal) != 0 || waitpid(child, &status, 0) != child)
            return false;
        if (WIFEXITED(status))
            return WEXITSTATUS(status) == 0;
        if (!WIFSTOPPED(status))
            return false;
        signal = WSTOPSIG(status) == (SIGTRAP | 0x80) ? 0 : WSTOPSIG(status);
        if (signal != 0)
            continue;
        __ptrace_syscall_info info{};
        ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof info, &info);
        if (info.op == PTRACE_SYSCALL_INFO_ENTRY) {
            const long call = static_cast<long>(info.entry.nr);
            if (call == kEndOfOperationCall) {
                accesses.push_back({FileAccess::Kind::End, {}, 0, 0, {}});
                continue;
            }
            // An opening's file is known by the descriptor it returns (glibc opens with openat).
            if (call == SYS_openat) {
                const long long mode = static_cast<long long>(info.entry.args[2]) & O_ACCMODE;
                pending = {FileAccess::Kind::Open, {}, 0, mode, {}};
                watched = true;
                continue;
            }
            const std::optional<FileAccess::Kind> kind = KindOf(call);
            const auto descriptor =
                static_cast<long long>(info.entry.args[call == SYS_mmap ? 4 : 0]);
            const std::string path = kind ? tracee.Path(descriptor) : std::string();
            watched = kind && path.compare(0, directory.size(), directory) == 0;
            if (!watched)
                continue;
            const bool positioned = call == SYS_pread64 || call == SYS_pwrite64;
            pending = {*kind,
                       path.substr(directory.size()),
                       0,
                       *kind == FileAccess::Kind::Other ? call : 0,
                       {}};
            if (positioned)
                pending.offset = static_cast<long long>(info.entry.args[3]);
            else if (*kind != FileAccess::Kind::Close)
                pending.offset = tracee.Position(descriptor);
            buffer = info.entry.args[1];
        } else if (info.op == PTRACE_SYSCALL_INFO_EXIT && watched) {
            watched = false;
            const long long result = info.exit.rval;
            if (pending.kind == FileAccess::Kind::Open) {
                const std::string path = result >= 0 ? tracee.Path(result) : std::string();
                if (path.compare(0, directory.size(), directory) != 0)
                    continue;
                pending.name = path.substr(directory.size());
            } else if (pending.kind == FileAccess::Kind::Read)
                pending.count = result;
            else if (pending.kind == FileAccess::Kind::Write && result > 0)
                pending.bytes = tracee.Memory(buffer, static_cast<std::size_t>(result));
            accesses.push_back(pending);
        }
    }
}

} // namespace

std::ostream& operator<<(std::ostream& out, const FileAccess& access) {
    switch (access.kind) {
    case FileAccess::Kind::Read:
        return out << "read of " << access.count << " at " << access.offset << " of "
                   << access.name;
    case FileAccess::Kind::Write:
        out << "write at " << access.offset << " of " << access.name << ':';
        for (const unsigned char byte : access.bytes)
            out << ' ' << static_cast<int>(byte);
        return out;
    case FileAccess::Kind::Other:
        break;
    case FileAccess::Kind::Open:
        return out << "opening of " << access.name << " in access mode " << access.count;
    case FileAccess::Kind::Close:
        return out << "closing of " << access.name;
    case FileAccess::Kind::End:
        return out << "end of operation";
    }
    return out << "system call " << access.count << " on " << access.name;
}

void EndOfOperation() {
    syscall(kEndOfOperationCall);
}

TracedRun TraceFileAccess(const std::string& directory, const std::function<std::string()>& code) {
    int ends[2];
    if (pipe(ends) != 0)
        return {};
    CDescriptor reader(ends[0]), writer(ends[1]);
    const pid_t child = fork();
    if (child < 0)
        return {};
    if (child == 0) {
        // The child ends with _exit: no destructor or exit handler of the parent's state runs.
        reader.Reset();
        ptrace(PTRACE_TRACEME, 0, 0, 0);
        raise(SIGSTOP);
        const std::string result = code();
        const bool sent = write(writer.Get(), result.data(), result.size()) ==
                          static_cast<ssize_t>(result.size());
        _exit(sent ? 0 : 1);
    }
    writer.Reset();
    TracedRun run;
    run.completed = Follow(child, directory, run.accesses);
    if (!run.completed) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return run;
    }
    char block[4096];
    ssize_t count;
    while ((count = read(reader.Get(), block, sizeof block)) > 0)
        run.result.append(block, static_cast<std::size_t>(count));
    return run;
}
