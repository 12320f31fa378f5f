#include "DragReplay.h"

#include <commctrl.h>

#include <cstdio>

#include "Levels.h"
#include "ProcessFigures.h"
#include "resource.h"

namespace {

constexpr UINT kStepMessage = WM_APP + 1;
constexpr int kNotificationCount = 20000;
// One drag from level 0 to level 20 and back to level 1.
constexpr int kSweepLength = 2 * (kLevelCount - 1);

constexpr int PositionAt(int step) {
    const int phase = step % kSweepLength;
    return phase < kLevelCount ? phase : kSweepLength - phase;
}

long long Microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return (to.QuadPart - from.QuadPart) * 1000000 / frequency.QuadPart;
}

} // namespace

void CDragReplay::PaintEnded(HWND dialog) {
    if (m_painted)
        return;
    m_painted = true;
    m_startupMicroseconds = MicrosecondsSinceProcessCreation();
    m_firstPaintUnixMicroseconds = UnixMicroseconds();
    m_startupCpuMicroseconds = ProcessCpuMicroseconds();
    m_firstPaintPeakKiB = PeakWorkingSetKiB();
    m_slider = ::GetDlgItem(dialog, IDC_LEVEL_SLIDER);
    m_replayCpuStart = m_startupCpuMicroseconds;
    ::QueryPerformanceCounter(&m_replayStart);
    ::PostMessageA(dialog, kStepMessage, 0, 0);
}

bool CDragReplay::OnMessage(HWND dialog, UINT message, WPARAM wParam) {
    if (message != kStepMessage)
        return false;
    const int step = static_cast<int>(wParam);
    if (step == kNotificationCount) {
        ::QueryPerformanceCounter(&m_replayEnd);
        m_replayCpuEnd = ProcessCpuMicroseconds();
        m_ended = true;
        ::EndDialog(dialog, IDOK);
        return true;
    }
    const int position = PositionAt(step);
    ::SendMessageA(m_slider, TBM_SETPOS, FALSE, position);
    ::SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                   reinterpret_cast<LPARAM>(m_slider));
    ::PostMessageA(dialog, kStepMessage, step + 1, 0);
    return true;
}

void CDragReplay::Report() const {
    if (m_painted) {
        std::printf("startup_us=%lld\n", m_startupMicroseconds);
        std::printf("startup_cpu_us=%lld\n", m_startupCpuMicroseconds);
        std::printf("first_paint_unix_us=%lld\n", m_firstPaintUnixMicroseconds);
        std::printf("first_paint_peak_working_set_kib=%llu\n", m_firstPaintPeakKiB);
    }
    if (m_ended) {
        std::printf("notifications=%d\n", kNotificationCount);
        std::printf("replay_us=%lld\n", Microseconds(m_replayStart, m_replayEnd));
        std::printf("replay_cpu_us=%lld\n", m_replayCpuEnd - m_replayCpuStart);
    }
    std::printf("peak_working_set_kib=%llu\n", PeakWorkingSetKiB());
    std::fflush(stdout);
}
