// Test-only helper: reports what a person sees of the running tool, one "key=value" line each.
//   dialog   1 when the "Brightness Control" window is visible, else 0
//   enabled  1 when the dialog accepts input (no modal box above it)
//   slider   the position of the slider (control 1004)
//   focus    the id of the control that has the keyboard focus
//   readout  the value -10..10 whose rendering stands at (30, 30), "none" when none does
//   readout_box  WIDTHxHEIGHT:PIXELS, the box at (30, 30) that any readout can cover, with a
//            margin on the right: as wide as the widest readout plus kBoxMargin, as high as the
//            font; PIXELS are its pixels row by row, six hex digits (RRGGBB) each
//   thumb    X,Y: the centre of the slider's thumb, in screen coordinates
//   channel  LEFT,RIGHT: the ends of the slider's channel, in screen coordinates
//   box      the caption and text of a visible message box, "none" when there is none
// The readout is compared with a reference drawn here with the same font, so both renderings come
// from the same font engine and must match pixel for pixel.
//
//   quenlit_probe             prints one report
//   quenlit_probe --serve DIR answers each file DIR\request with a report in DIR\reply, until
//                             Wine ends it: a program start costs seconds on an emulated machine
//
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BitmapCapture.h"

namespace {

constexpr int kSliderId = 1004;
constexpr int kMessageTextId = 0xFFFF;
constexpr int kReadoutX = 30;
constexpr int kReadoutY = 30;
// Columns beyond the widest readout, where a narrow clearing would leave a wider readout's remains.
constexpr int kBoxMargin = 8;
const char kDialogTitle[] = "Brightness Control";

std::string WindowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct BoxSearch {
    HWND dialog;
    HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (window != search->dialog && IsWindowVisible(window) && std::string(className) == "#32770") {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

// The three characters the tool draws for a value, padded with blanks.
std::string ReadoutText(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%-3d", value);
    return text;
}

class CReadoutFont {
public:
    CReadoutFont() : m_font(CreateFontA(40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Colonna MT")) {}
    CReadoutFont(const CReadoutFont&) = delete;
    CReadoutFont& operator=(const CReadoutFont&) = delete;
    ~CReadoutFont() { DeleteObject(m_font); }
    HFONT Get() const { return m_font; }

private:
    HFONT m_font;
};

// The cells of the three characters are painted opaque, so they show the same pixels whatever
// stood there before; beyond them a narrow clearing may leave part of a wider earlier readout.
std::string Readout(HWND dialog) {
    HDC windowDc = GetDC(dialog);
    CReadoutFont font;
    std::string result = "none";
    for (int value = -10; value <= 10; ++value) {
        const std::string text = ReadoutText(value);
        HGDIOBJ old = SelectObject(windowDc, font.Get());
        SIZE size{};
        GetTextExtentPoint32A(windowDc, text.c_str(), 3, &size);
        SelectObject(windowDc, old);

        CBitmapCapture shown(windowDc, size.cx, size.cy);
        BitBlt(shown.Dc(), 0, 0, size.cx, size.cy, windowDc, kReadoutX, kReadoutY, SRCCOPY);
        CBitmapCapture reference(windowDc, size.cx, size.cy);
        HGDIOBJ previous = SelectObject(reference.Dc(), font.Get());
        TextOutA(reference.Dc(), 0, 0, text.c_str(), 3);
        SelectObject(reference.Dc(), previous);
        if (reference.Pixels() == shown.Pixels())
            result = result == "none" ? std::to_string(value) : "ambiguous";
    }
    ReleaseDC(dialog, windowDc);
    return result;
}

std::string ReadoutBox(HWND dialog) {
    HDC windowDc = GetDC(dialog);
    CReadoutFont font;
    HGDIOBJ old = SelectObject(windowDc, font.Get());
    SIZE box{};
    for (int value = -10; value <= 10; ++value) {
        SIZE size{};
        GetTextExtentPoint32A(windowDc, ReadoutText(value).c_str(), 3, &size);
        box.cx = std::max(box.cx, size.cx);
        box.cy = std::max(box.cy, size.cy);
    }
    SelectObject(windowDc, old);
    box.cx += kBoxMargin;

    CBitmapCapture shown(windowDc, box.cx, box.cy);
    BitBlt(shown.Dc(), 0, 0, box.cx, box.cy, windowDc, kReadoutX, kReadoutY, SRCCOPY);
    std::string result = std::to_string(box.cx) + "x" + std::to_string(box.cy) + ":";
    for (COLORREF pixel : shown.Pixels()) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X", GetRValue(pixel), GetGValue(pixel),
                      GetBValue(pixel));
        result += hex;
    }
    ReleaseDC(dialog, windowDc);
    return result;
}

// Memory in the tool's process, where the slider writes what it answers through a pointer: a
// pointer into the probe's own memory means nothing there.
class CRemoteRect {
public:
    explicit CRemoteRect(HWND window) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, processId);
        if (m_process)
            m_memory = VirtualAllocEx(m_process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    }
    CRemoteRect(const CRemoteRect&) = delete;
    CRemoteRect& operator=(const CRemoteRect&) = delete;
    ~CRemoteRect() {
        if (m_memory)
            VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }

    RECT Ask(HWND window, UINT message) const {
        RECT rect{};
        if (m_memory) {
            SendMessageA(window, message, 0, reinterpret_cast<LPARAM>(m_memory));
            ReadProcessMemory(m_process, m_memory, &rect, sizeof rect, nullptr);
        }
        return rect;
    }

private:
    HANDLE m_process = nullptr;
    void* m_memory = nullptr;
};

POINT ToScreen(HWND window, LONG x, LONG y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

void PrintSliderGeometry(FILE* out, HWND slider) {
    const CRemoteRect remote(slider);
    const RECT thumb = remote.Ask(slider, TBM_GETTHUMBRECT);
    const POINT centre =
        ToScreen(slider, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    std::fprintf(out, "thumb=%ld,%ld\n", centre.x, centre.y);
    const RECT channel = remote.Ask(slider, TBM_GETCHANNELRECT);
    std::fprintf(out, "channel=%ld,%ld\n", ToScreen(slider, channel.left, 0).x,
                 ToScreen(slider, channel.right, 0).x);
}

int FocusedControlId(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) || !info.hwndFocus)
        return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

void Report(FILE* out) {
    HWND dialog = FindWindowA("#32770", kDialogTitle);
    BoxSearch search{dialog, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));

    const bool shown = dialog && IsWindowVisible(dialog);
    std::fprintf(out, "dialog=%d\n", shown ? 1 : 0);
    if (shown) {
        std::fprintf(out, "enabled=%d\n", IsWindowEnabled(dialog) ? 1 : 0);
        HWND slider = GetDlgItem(dialog, kSliderId);
        std::fprintf(out, "slider=%d\n", static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0)));
        PrintSliderGeometry(out, slider);
        std::fprintf(out, "focus=%d\n", FocusedControlId(dialog));
        std::fprintf(out, "readout=%s\n", Readout(dialog).c_str());
        std::fprintf(out, "readout_box=%s\n", ReadoutBox(dialog).c_str());
    }
    if (search.box)
        std::fprintf(out, "box=%s|%s\n", WindowText(search.box).c_str(),
                     OneLine(WindowText(GetDlgItem(search.box, kMessageTextId))).c_str());
    else
        std::fprintf(out, "box=none\n");
}

// Writes each report whole under another name first, so that a reader never sees half of one.
[[noreturn]] void Serve(const std::string& dir) {
    const std::string request = dir + "\\request";
    const std::string reply = dir + "\\reply";
    const std::string partial = reply + ".partial";
    for (;;) {
        if (!DeleteFileA(request.c_str())) {
            Sleep(10);
            continue;
        }
        if (FILE* out = std::fopen(partial.c_str(), "w")) {
            Report(out);
            std::fclose(out);
            MoveFileExA(partial.c_str(), reply.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--serve")
        Serve(argv[2]);
    Report(stdout);
    return 0;
}
