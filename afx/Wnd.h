// A window reached through its handle. The object never owns the window. A dialog's object
// subclasses its window: every message then goes through WindowProc, and what a handler leaves to
// the window's own procedure goes there through Default.
#pragma once

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    // Refers this object to `window` without subclassing it.
    void Attach(HWND window) { m_hWnd = window; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL IsIconic() const;
    void GetClientRect(LPRECT rect) const;

    HWND m_hWnd = nullptr;

protected:
    // Handles one message of a subclassed window; this one leaves it to the window's procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the window's own procedure on the message being handled and returns its result.
    LRESULT Default();

    // Attaches to `window` and routes its messages through WindowProc until it is destroyed.
    void SubclassWindow(HWND window);
    // Hands one message to WindowProc, keeping it as the message Default works on meanwhile.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    void OnHScroll(UINT code, UINT position, HWND scrollBar);
    void OnDestroy();

private:
    struct Message {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void UnsubclassWindow();

    WNDPROC m_originalProc = nullptr;
    Message m_current;
};
