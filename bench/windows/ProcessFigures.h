// Figures of the running process, read from the system's own records of it.
#pragma once

// Microseconds since the process was created (GetProcessTimes), on the system clock.
long long MicrosecondsSinceProcessCreation();

// Processor time the process has used so far, user and kernel, in microseconds: unlike the clock,
// barely moved by other load on the machine.
long long ProcessCpuMicroseconds();

// The system clock in microseconds since 1970: under Wine the clock that Linux's date reads too.
long long UnixMicroseconds();

// The most physical memory the process has used so far (PeakWorkingSetSize), in KiB.
unsigned long long PeakWorkingSetKiB();
