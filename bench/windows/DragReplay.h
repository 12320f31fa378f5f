// The drag that both benchmark dialogs replay, and what they measure. The first paint ends the
// start-up and starts the replay: one posted message per notification, whose handler moves the
// slider (without redrawing it) and sends the dialog a thumb-track WM_HSCROLL, as the slider itself
// does during a drag. The positions sweep from level 0 to 20 and back. After the last notification
// the replay takes the time and ends the dialog.
#pragma once

#include <windows.h>

class CDragReplay {
public:
    // Call at the end of every WM_PAINT of the dialog, after the readout has been drawn.
    void PaintEnded(HWND dialog);
    // Handles the replay's own messages; false for every other message.
    bool OnMessage(HWND dialog, UINT message, WPARAM wParam);
    // After the dialog has ended: the figures, one "name=value" a line on standard output.
    void Report() const;

private:
    HWND m_slider = nullptr;
    bool m_painted = false;
    bool m_ended = false;
    long long m_startupMicroseconds = 0;
    long long m_startupCpuMicroseconds = 0;
    long long m_firstPaintUnixMicroseconds = 0;
    unsigned long long m_firstPaintPeakKiB = 0;
    LARGE_INTEGER m_replayStart = {};
    LARGE_INTEGER m_replayEnd = {};
    long long m_replayCpuStart = 0;
    long long m_replayCpuEnd = 0;
};
