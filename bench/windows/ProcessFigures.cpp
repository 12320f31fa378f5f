#include "ProcessFigures.h"

#include <windows.h>

#include <psapi.h>

namespace {

constexpr long long kFileTimeUnitsPerMicrosecond = 10;
// From 1601-01-01, where FILETIME counts from, to 1970-01-01.
constexpr long long kUnixEpochInFileTimeUnits = 116444736000000000LL;

long long FileTimeUnits(const FILETIME& time) {
    return static_cast<long long>(
        ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart);
}

long long NowInFileTimeUnits() {
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    return FileTimeUnits(now);
}

} // namespace

long long MicrosecondsSinceProcessCreation() {
    FILETIME creation, exit, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user))
        return -1;
    return (NowInFileTimeUnits() - FileTimeUnits(creation)) / kFileTimeUnitsPerMicrosecond;
}

long long ProcessCpuMicroseconds() {
    FILETIME creation, exit, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user))
        return -1;
    return (FileTimeUnits(kernel) + FileTimeUnits(user)) / kFileTimeUnitsPerMicrosecond;
}

long long UnixMicroseconds() {
    return (NowInFileTimeUnits() - kUnixEpochInFileTimeUnits) / kFileTimeUnitsPerMicrosecond;
}

unsigned long long PeakWorkingSetKiB() {
    PROCESS_MEMORY_COUNTERS counters = {};
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return counters.PeakWorkingSetSize / 1024;
}
