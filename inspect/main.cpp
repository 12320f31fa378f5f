// quenlit-inspect [DIR]: shows what the tool will read from a shared directory before it writes a
// single register. Exit status 0: nothing unusual; 1: warnings; 2: usage error, a DIR that cannot
// be inspected, or a report that could not be written.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "FileAccess.h"
#include "FilePath.h"
#include "FilmType.h"
#include "Inspect.h"
#include "SharedDirectory.h"

namespace {

enum ExitStatus { kClean = 0, kWarnings = 1, kCannotInspect = 2 };

#ifdef _WIN32
constexpr const char* kUsage = "usage: quenlit-inspect [DIR]";
constexpr char kSeparator = '\\';

// DIR, or the shared directory without it; nothing when the arguments do not fit. Windows'
// argument parsing takes the backslash before a closing quote as an escaped quote: "C:\sp ace\"
// arrives as C:\sp ace". No Windows path holds a quote, so a trailing one is that backslash.
std::string DirectoryArgument(int argc, char** argv) {
    if (argc == 1)
        return SharedDirectory;
    std::string directory = argc == 2 ? argv[1] : "";
    if (!directory.empty() && directory.back() == '"')
        directory.back() = kSeparator;
    return directory;
}
#else
constexpr const char* kUsage = "usage: quenlit-inspect DIR";
constexpr char kSeparator = '/';

// DIR; nothing when the arguments do not fit.
std::string DirectoryArgument(int argc, char** argv) {
    return argc == 2 ? argv[1] : "";
}
#endif

// Why `path` is no folder to inspect, or nothing when it is one. Its files are opened by name, as
// the tool opens them: a folder whose entries cannot be listed is inspected all the same.
std::string WhyNotAFolder(const CFilePath& path) {
    const FileFacts facts = ExamineFile(path);
    if (facts.kind == FileKind::Directory)
        return "";
    if (facts.kind == FileKind::Missing)
        return "no such folder";
    return facts.kind == FileKind::Unreachable ? facts.what : "not a folder";
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "quenlit-inspect: %s\n", message.c_str());
    return kCannotInspect;
}

} // namespace

int main(int argc, char** argv) {
    std::string directory = DirectoryArgument(argc, argv);
    if (directory.empty())
        return Fail(kUsage);

    if (const std::string why = WhyNotAFolder(directory.c_str()); !why.empty())
        return Fail("cannot inspect " + directory + ": " + why);
    // Windows takes either separator.
    if (directory.back() != kSeparator && directory.back() != '/')
        directory += kSeparator;
    // The film type file has the longest name of the shared files.
    if (!CFilePath(CFilePath(directory.c_str()), kFilmTypeFileName).Fits())
        return Fail("the path " + directory + " is too long");

    const CInspectionText text = Inspect(directory.c_str());
    std::fputs(text.Text().c_str(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return Fail(std::string("cannot write the report: ") + std::strerror(errno));
    return text.Warnings() == 0 ? kClean : kWarnings;
}
