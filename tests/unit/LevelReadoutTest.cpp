// The readout drawn into a bitmap with the tool's font and drawing code: its clearing must cover
// every pixel that any level's readout changes, or a narrower value leaves part of a wider one.
#include <gtest/gtest.h>

#include <windows.h>

#include "BitmapCapture.h"
#include "ReadoutDrawing.h"

namespace {

// The tool's drawing code on the capture's context.
class CCaptureDC : public CDC {
public:
    explicit CCaptureDC(const CBitmapCapture& capture) { m_hDC = capture.Dc(); }
};

constexpr int kWidth = 200;
constexpr int kHeight = 140;
// The dialog's face under the readout: a colour, so no shade of black on white can match it.
constexpr COLORREF kFace = RGB(0x99, 0x66, 0x33);

// A bitmap with the readout's font selected, for the tool's own drawing code.
class LevelReadoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(capture.IsReady());
        ASSERT_TRUE(CreateReadoutFont(font));
        previousFont = dc.SelectObject(font);
    }
    void TearDown() override { dc.SelectObject(previousFont); }

    CBitmapCapture capture{nullptr, kWidth, kHeight};
    const CCaptureDC dc{capture};
    CFont font;
    HGDIOBJ previousFont = nullptr;
    const RECT whole{0, 0, kWidth, kHeight};
};

TEST_F(LevelReadoutTest, TheClearingCoversEveryPixelEveryLevelsReadoutChanges) {
    CGdiObject face;
    ASSERT_TRUE(face.Attach(::CreateSolidBrush(kFace)));

    const SIZE area = MeasureReadoutArea(dc);
    const RECT clearing{kReadoutX, kReadoutY, kReadoutX + area.cx, kReadoutY + area.cy};
    // Room beside and below the clearing for a character that would spill past it.
    ASSERT_LE(clearing.right + kReadoutFontHeight, kWidth) << area.cx;
    ASSERT_LE(clearing.bottom + kReadoutFontHeight, kHeight) << area.cy;

    for (int value = -10; value <= 10; ++value) {
        ::FillRect(dc.GetSafeHdc(), &whole, static_cast<HBRUSH>(face.m_hObject));
        DrawLevelReadout(dc, value, area);
        // Inside the clearing every pixel is painted; outside it none.
        const std::vector<COLORREF> pixels = capture.Pixels();
        int black = 0, unpainted = 0, outside = 0;
        POINT firstOutside{};
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const COLORREF pixel = pixels[y * kWidth + x];
                black += pixel == RGB(0, 0, 0);
                const POINT point{x, y};
                if (::PtInRect(&clearing, point))
                    unpainted += pixel == kFace;
                else if (pixel != kFace && outside++ == 0)
                    firstOutside = point;
            }
        }
        EXPECT_GT(black, 0) << value << " drew no character";
        EXPECT_EQ(unpainted, 0) << value << " left pixels of the clearing unpainted";
        EXPECT_EQ(outside, 0) << value << " changes pixels outside the clearing of " << area.cx
                              << "x" << area.cy << " at (" << kReadoutX << ", " << kReadoutY
                              << "), the first at (" << firstOutside.x << ", " << firstOutside.y
                              << ")";
    }
}

// A value of more than three characters, which no level has, is drawn whole, not cut to three.
TEST_F(LevelReadoutTest, AValueOfMoreThanThreeCharactersIsDrawnWhole) {
    for (const int value : {1000, -100}) {
        ::FillRect(dc.GetSafeHdc(), &whole, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        DrawLevelReadout(dc, value, MeasureReadoutArea(dc));
        // Ink to the right of the first three characters, a little past them for any overhang.
        const ReadoutText text = FormatReadout(value);
        const int threeEnd = kReadoutX + dc.GetTextExtent(text.buffer.data(), 3).cx + 2;
        const std::vector<COLORREF> pixels = capture.Pixels();
        int beyond = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = threeEnd; x < kWidth; ++x)
                beyond += pixels[y * kWidth + x] == RGB(0, 0, 0);
        EXPECT_GT(beyond, 0) << value << " was cut to three characters";
    }
}

} // namespace
