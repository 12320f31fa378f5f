// The tool's one window, "Brightness Control": a slider of 21 levels and the level readout. It is
// the brightness controller's view and forwards start-up, slider moves and shut-down to it.
#pragma once

#include "BrightnessController.h"
#include "BrightnessView.h"
#include "Dialog.h"
#include "SliderCtrl.h"

class CQuenlitDlg : public CDialog, public IBrightnessView {
public:
    explicit CQuenlitDlg(CWnd* parent = nullptr);

    void ShowLevel(int level) override;
    int CurrentLevel() override;
    void ReportError(const char* text) override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    HCURSOR OnQueryDragIcon() const;
    void OnDestroy();
    void OnHScroll(UINT code, UINT position, HWND scrollBar);

    // Shared with the system: never destroyed.
    HICON m_hIcon = nullptr;
    CSliderCtrl m_levelSlider;
    CBrightnessController m_controller;
};
