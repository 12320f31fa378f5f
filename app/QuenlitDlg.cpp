#include "QuenlitDlg.h"

#include "DeviceContext.h"
#include "LevelReadout.h"
#include "Levels.h"
#include "MessageBox.h"
#include "MinimisedIcon.h"
#include "WinApp.h"
#include "resource.h"

CQuenlitDlg::CQuenlitDlg(CWnd* parent) : CDialog(IDD_BRIGHTNESS_DIALOG, parent) {
    m_hIcon = AfxGetApp()->LoadIcon(IDI_APP_ICON);
}

void CQuenlitDlg::ShowLevel(int level) {
    m_levelSlider.SendMessage(TBM_SETPOS, TRUE, level);
}

int CQuenlitDlg::CurrentLevel() {
    return static_cast<int>(m_levelSlider.SendMessage(TBM_GETPOS, 0, 0));
}

void CQuenlitDlg::ReportError(const char* text) {
    AfxMessageBox(text, MB_OK, 0);
}

void CQuenlitDlg::DoDataExchange(CDataExchange* exchange) {
    DDX_Control(exchange, IDC_LEVEL_SLIDER, m_levelSlider);
}

BOOL CQuenlitDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The system menu keeps its standard items.
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    constexpr int kLowestLevel = 0;
    constexpr int kHighestLevel = kLevelCount - 1;
    m_levelSlider.SetRange(kLowestLevel, kHighestLevel, FALSE);
    m_levelSlider.SendMessage(TBM_SETPOS, TRUE, kLevelCentre);
    m_levelSlider.SendMessage(TBM_SETRANGEMIN, FALSE, kLowestLevel);
    m_levelSlider.SendMessage(TBM_SETRANGEMAX, FALSE, kHighestLevel);

    // FALSE (the driver did not open) keeps the system from setting the default focus; the dialog
    // stays open either way.
    return m_controller.Start(*this);
}

LRESULT CQuenlitDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CQuenlitDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int iconWidth = ::GetSystemMetrics(SM_CXICON);
        const int iconHeight = ::GetSystemMetrics(SM_CYICON);
        RECT client;
        GetClientRect(&client);
        const IconPosition icon = CentredIconPosition(
            client.right - client.left, client.bottom - client.top, iconWidth, iconHeight);
        dc.DrawIcon(icon.x, icon.y, m_hIcon);
    } else {
        Default();
    }
    // After the paint context has gone: the readout is drawn whatever part was invalid.
    RenderLevelReadout(*this, m_controller.DisplayValue());
}

HCURSOR CQuenlitDlg::OnQueryDragIcon() const {
    return m_hIcon;
}

void CQuenlitDlg::OnDestroy() {
    m_controller.Stop();
    CDialog::OnDestroy();
}

// Every notification is handled alike, whatever its scroll code: the level is read from the
// slider itself.
void CQuenlitDlg::OnHScroll(UINT code, UINT position, HWND scrollBar) {
    if (!m_controller.LevelChanged(*this))
        return;
    RenderLevelReadout(*this, m_controller.DisplayValue());
    CDialog::OnHScroll(code, position, scrollBar);
}
