// Fuzzes the flag file: any starting content, or no file, then any sequence of its three
// operations. After every step the file (its length and every byte) and every stored level read
// must match a model of the byte rules, and after the last step the file found by name, or its
// absence, too.
//
// Input: byte 0 chooses the start: 0xFF means no file, any other value n means a file of the next
// n bytes (or as many as follow). Each remaining byte is one operation, by its value modulo 24:
// 0 ReadStoredLevel, 1 MarkRunning(false), 2 MarkRunning(true), 3..23 StoreLevel(0..20).
// Every operation opens and closes the file, so a run costs about its length in operations: the
// runs take inputs of at most 24 bytes, which still reach files from empty to well past four
// bytes and sequences of up to 23 operations on them.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "FlagFile.h"
#include "ScratchDirectory.h"

namespace {

const std::string kFlagName = "Flag.txt";
constexpr uint8_t kNoFile = 0xFF;

// The flag file as it should be: the byte an operation sets is written at its offset, every other
// byte and the length stay, and a file too short for that offset grows to reach it with zero
// bytes in the gap. Nothing happens to a file that does not exist.
class CFlagModel {
public:
    explicit CFlagModel(std::optional<std::string> bytes) : m_bytes(std::move(bytes)) {}

    int8_t ReadStoredLevel() const {
        if (!m_bytes)
            return 0;
        const uint8_t letter = m_bytes->size() > 1 ? static_cast<uint8_t>((*m_bytes)[1]) : 0xFF;
        return static_cast<int8_t>(static_cast<uint8_t>(letter - 0x41));
    }
    void StoreLevel(int level) { Set(1, static_cast<char>(0x41 + level)); }
    void MarkRunning(bool running) { Set(0, running ? 'y' : 'n'); }

    const std::optional<std::string>& Bytes() const { return m_bytes; }

private:
    void Set(std::size_t offset, char byte) {
        if (!m_bytes)
            return;
        if (m_bytes->size() <= offset)
            m_bytes->resize(offset + 1, '\0');
        (*m_bytes)[offset] = byte;
    }

    std::optional<std::string> m_bytes;
};

std::string Describe(const std::optional<std::string>& bytes) {
    if (!bytes)
        return "no file";
    std::string text = std::to_string(bytes->size()) + " bytes:";
    char hex[4];
    for (unsigned char byte : *bytes) {
        std::snprintf(hex, sizeof hex, " %02X", byte);
        text += hex;
    }
    return text;
}

[[noreturn]] void Fail(std::size_t step, const std::string& what) {
    std::fprintf(stderr, "step %zu: %s\n", step, what.c_str());
    std::abort();
}

// A file descriptor, closed when it goes out of scope.
class CDescriptor {
public:
    explicit CDescriptor(int descriptor) : m_descriptor(descriptor) {}
    CDescriptor(const CDescriptor&) = delete;
    CDescriptor& operator=(const CDescriptor&) = delete;
    ~CDescriptor() {
        if (IsOpen())
            close(m_descriptor);
    }

    bool IsOpen() const { return m_descriptor >= 0; }
    int Get() const { return m_descriptor; }

private:
    int m_descriptor;
};

// The flag file's bytes after each step, through one descriptor opened when the input's file is
// laid out: one system call a step, where opening, reading and closing the file by name cost
// about as much as the operation under test. The operations only ever open the file "rb+", so
// the descriptor sees the file they change; the check by name after the last step catches a file
// that appeared, vanished or was replaced.
class CFlagFileView {
public:
    explicit CFlagFileView(const std::string& path) : m_file(open(path.c_str(), O_RDONLY)) {}

    // The file's bytes; nothing when there was no file to open.
    const std::optional<std::string>& Bytes() {
        if (!m_file.IsOpen())
            return m_bytes;
        std::string& bytes = m_bytes.emplace();
        char block[512];
        ssize_t count;
        // A short read of a regular file ends at its end.
        do {
            count = pread(m_file.Get(), block, sizeof block, static_cast<off_t>(bytes.size()));
            if (count < 0)
                Fail(0, "cannot read the flag file");
            bytes.append(block, static_cast<std::size_t>(count));
        } while (count == static_cast<ssize_t>(sizeof block));
        return m_bytes;
    }

private:
    CDescriptor m_file;
    std::optional<std::string> m_bytes;
};

[[noreturn]] void FailBytes(std::size_t step, const std::string& what,
                            const std::optional<std::string>& file,
                            const std::optional<std::string>& expected) {
    Fail(step, what + " left " + Describe(file) + ", expected " + Describe(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const CScratchDirectory dir;
    std::size_t next = 1;
    std::optional<std::string> start;
    if (data[0] == kNoFile) {
        dir.Remove(kFlagName);
    } else {
        const std::size_t length = std::min<std::size_t>(data[0], size - next);
        start = std::string(reinterpret_cast<const char*>(data + next), length);
        if (!dir.Write(kFlagName, *start))
            Fail(0, "cannot write the flag file");
        next += length;
    }

    const CFlagFile flag(dir.Prefix().c_str());
    CFlagModel model(start);
    CFlagFileView view(dir.Path(kFlagName));
    std::size_t step = 1;
    for (; next < size; ++next, ++step) {
        const int operation = data[next] % 24;
        if (operation == 0) {
            const int got = flag.ReadStoredLevel();
            const int want = model.ReadStoredLevel();
            if (got != want)
                Fail(step, "ReadStoredLevel gave " + std::to_string(got) + ", expected " +
                               std::to_string(want));
        } else if (operation <= 2) {
            flag.MarkRunning(operation == 2);
            model.MarkRunning(operation == 2);
        } else {
            flag.StoreLevel(operation - 3);
            model.StoreLevel(operation - 3);
        }
        const std::optional<std::string>& bytes = view.Bytes();
        if (bytes != model.Bytes())
            FailBytes(step, "operation " + std::to_string(operation), bytes, model.Bytes());
    }
    const std::optional<std::string> file =
        dir.Has(kFlagName) ? std::optional(dir.Read(kFlagName)) : std::nullopt;
    if (file != model.Bytes())
        FailBytes(step - 1, "read by name, the operations", file, model.Bytes());
    return 0;
}
