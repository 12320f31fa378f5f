// A memory context on a 32-bit bitmap of its own, whose pixels can be read back: where the
// end-to-end probe copies the tool's readout and draws its reference, and where the unit suite
// draws the readout with the tool's own code. Text drawn into it keeps the system's defaults: black
// on an opaque white background.
#pragma once

#include <windows.h>

#include <vector>

class CBitmapCapture {
public:
    // `reference`: the context it is made compatible with; null for the screen.
    CBitmapCapture(HDC reference, int width, int height)
        : m_dc(CreateCompatibleDC(reference)), m_bitmap(CreateBitmap(m_dc, width, height)),
          m_width(width), m_height(height) {
        m_old = SelectObject(m_dc, m_bitmap);
    }
    CBitmapCapture(const CBitmapCapture&) = delete;
    CBitmapCapture& operator=(const CBitmapCapture&) = delete;
    ~CBitmapCapture() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    bool IsReady() const { return m_dc && m_bitmap; }

    // Row by row from the top.
    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                pixels.push_back(GetPixel(m_dc, x, y));
        return pixels;
    }

private:
    static HBITMAP CreateBitmap(HDC dc, int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        return CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }

    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    int m_width;
    int m_height;
};
