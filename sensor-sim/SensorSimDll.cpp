// The simulated sensor as QXBaseIF.dll. Two environment knobs, read when the DLL loads:
// QXSIM_TRACE=<file> appends one line per driver call to that file, ended with CR LF as Windows
// text files are (Notepad before Windows 10 shows LF alone as one long line), flushed as written;
// QXSIM_FAIL_INIT=<n> makes the first n opens of the process fail.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "SensorSim.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TraceFile = std::unique_ptr<std::FILE, FileCloser>;

class CKnobs {
public:
    CKnobs() {
        // Only the trace reports calls out of the DLL.
        sensorsim::StopJournal();
        if (const char* failures = std::getenv("QXSIM_FAIL_INIT"))
            sensorsim::FailNextInits(std::atoi(failures));
        if (const char* path = std::getenv("QXSIM_TRACE"))
            m_trace.reset(std::fopen(path, "ab"));
        if (m_trace)
            sensorsim::SetTraceSink([file = m_trace.get()](const sensorsim::DriverCall& call) {
                std::fprintf(file, "%s\r\n", sensorsim::FormatCall(call).c_str());
                std::fflush(file);
            });
    }
    CKnobs(const CKnobs&) = delete;
    CKnobs& operator=(const CKnobs&) = delete;
    ~CKnobs() { sensorsim::SetTraceSink(nullptr); }

private:
    TraceFile m_trace;
};

const CKnobs knobs;

} // namespace
