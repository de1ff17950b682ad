#include "CCalibrateDlg.h"
#include "Application.h"
#include "CalibrationTexts.h"
#include "DeviceContexts.h"
#include "Handles.h"
#include "ResourceModule.h"
#include "resource.h"

namespace {

constexpr COLORREF kBackground = RGB(5, 174, 230);
constexpr COLORREF kTargetColor = RGB(255, 255, 0);
constexpr COLORREF kProgressColor = RGB(255, 0, 0);
constexpr int kTargetPenWidth = 2;
constexpr UINT_PTR kTimeoutTimer = 1;
constexpr UINT_PTR kTickTimer = 2;
constexpr UINT kTimeoutMs = 10000;
constexpr UINT kTickMs = 1000;

void FillWithBackground(HDC dc, const RECT& area) {
    ScopedBrush brush(CreateSolidBrush(kBackground));
    FillRect(dc, &area, brush.Get());
}

void DrawText(HDC dc, int x, int y, const wchar_t* text) {
    TextOutW(dc, x, y, text, static_cast<int>(wcslen(text)));
}

} // namespace

int CCalibrateDlg::s_ticks = 0;

CCalibrateDlg::CCalibrateDlg(DriverLink& link, const ParametersStore& store, UiLanguage language)
    : CDialog(IDD_CALIBRATE), m_language(language), m_sequence(*this, link, store, language),
      m_icon(LoadIconW(ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

bool CCalibrateDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CCalibrateDlg> kMessages[] = {
        MapMessage<&CCalibrateDlg::OnPaint>(WM_PAINT),
        MapMessage<&CCalibrateDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        MapMessage<&CCalibrateDlg::OnLButtonUp>(WM_LBUTTONUP),
        MapMessage<&CCalibrateDlg::OnDestroy>(WM_DESTROY),
        MapMessage<&CCalibrateDlg::OnTimer>(WM_TIMER),
        MapMessage<&CCalibrateDlg::OnEraseBkgnd>(WM_ERASEBKGND),
        MapMessage<&CCalibrateDlg::OnDisplayChange>(WM_DISPLAYCHANGE),
    };
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

BOOL CCalibrateDlg::OnInitDialog() {
    CApplication::Current()->SetMainWindow(m_hWnd);
    const ClientSize client = CoverScreen();
    m_sequence.Initialise(client.width, client.height);
    // No caption bar, but the taskbar button still gets a name.
    SetText(CalibrationTexts::kWindowTitle);
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    ShowCursor(false);
    return TRUE;
}

CCalibrateDlg::ClientSize CCalibrateDlg::CoverScreen() {
    m_desktop = CoverDesktop();
    m_screenWidth = GetSystemMetrics(SM_CXSCREEN);
    m_screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    return {static_cast<std::uint32_t>(client.right), static_cast<std::uint32_t>(client.bottom)};
}

LRESULT CCalibrateDlg::OnDisplayChange(WPARAM, LPARAM) {
    const ClientSize client = CoverScreen();
    m_sequence.OnDisplayChange(client.width, client.height);
    return 0;
}

LRESULT CCalibrateDlg::OnPaint(WPARAM, LPARAM) {
    if (IsIconic(m_hWnd)) {
        PaintMinimizedIcon(m_icon);
        return 0;
    }
    PaintDC paint(m_hWnd);
    if (m_sequence.Finished()) {
        return 0;
    }
    if (s_ticks == 0) {
        SetTimer(m_hWnd, kTimeoutTimer, kTimeoutMs, nullptr);
    }
    SetTimer(m_hWnd, kTickTimer, kTickMs, nullptr);

    RECT client{};
    GetClientRect(m_hWnd, &client);
    // Drawn off-screen and copied in one step so the target never flickers.
    MemoryDC memory(paint.Get());
    ScopedBitmap image(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
    {
        SelectedObject selectedImage(memory.Get(), image.Get());
        PaintTarget(memory.Get(), client);
        BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
    return 0;
}

void CCalibrateDlg::PaintTarget(HDC dc, const RECT& client) const {
    FillWithBackground(dc, client);

    const std::int32_t r = m_sequence.Radius();
    const TargetPoint centre = m_sequence.CurrentCentre();
    {
        ScopedPen targetPen(CreatePen(PS_SOLID, kTargetPenWidth, kTargetColor));
        SelectedObject pen(dc, targetPen.Get());
        SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
        for (const TargetSquare& square : m_sequence.CurrentSquares()) {
            Ellipse(dc, square.left, square.top, square.right, square.bottom);
        }
        MoveToEx(dc, centre.x - 3 * r, centre.y, nullptr);
        LineTo(dc, centre.x + 3 * r, centre.y);
        MoveToEx(dc, centre.x, centre.y - 3 * r, nullptr);
        LineTo(dc, centre.x, centre.y + 3 * r);
    }
    {
        ScopedPen progressPen(CreatePen(PS_SOLID, 2 * kTargetPenWidth, kProgressColor));
        SelectedObject pen(dc, progressPen.Get());
        MoveToEx(dc, 0, m_screenHeight - 2, nullptr);
        LineTo(dc, (m_screenWidth / 10) * s_ticks, m_screenHeight - 2);
    }
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, kBackground);
    SetBkMode(dc, OPAQUE);
    DrawText(dc, m_screenWidth / 2 - 80, m_screenHeight / 2 - 15,
             CalibrationTexts::kPrompt.In(m_language));
    DrawText(dc, m_screenWidth / 2 - 40, m_screenHeight / 2 + 15,
             CalibrationTexts::kExitHint.In(m_language));
}

LRESULT CCalibrateDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_icon);
}

LRESULT CCalibrateDlg::OnLButtonUp(WPARAM, LPARAM) {
    m_sequence.OnRelease();
    return 0;
}

LRESULT CCalibrateDlg::OnDestroy(WPARAM, LPARAM) {
    KillTimer(m_hWnd, kTimeoutTimer);
    KillTimer(m_hWnd, kTickTimer);
    ShowCursor(true);
    return 0;
}

LRESULT CCalibrateDlg::OnTimer(WPARAM timer, LPARAM) {
    if (timer == kTimeoutTimer) {
        PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    } else if (timer == kTickTimer) {
        ++s_ticks;
        RepaintNow();
    }
    return 0;
}

LRESULT CCalibrateDlg::OnEraseBkgnd(WPARAM, LPARAM) {
    return 0;
}

void CCalibrateDlg::StopTimers() {
    KillTimer(m_hWnd, kTimeoutTimer);
    KillTimer(m_hWnd, kTickTimer);
    s_ticks = 0;
}

void CCalibrateDlg::RepaintNow() {
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CCalibrateDlg::FillBackground() {
    ClientDC dc(m_hWnd);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillWithBackground(dc.Get(), client);
}

void CCalibrateDlg::ShowCursor(bool visible) {
    if (visible == m_cursorHidden) {
        ::ShowCursor(visible ? TRUE : FALSE);
        m_cursorHidden = !visible;
    }
}

bool CCalibrateDlg::AskYesNo(const wchar_t* text, const wchar_t* caption) {
    return MessageBoxW(m_hWnd, text, caption, MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

void CCalibrateDlg::Tell(const wchar_t* text) {
    TellUnder(CApplication::ModuleName().c_str(), text);
}

void CCalibrateDlg::TellUnder(const wchar_t* caption, const wchar_t* text) {
    MessageBoxW(m_hWnd, text, caption, MB_OK);
}

void CCalibrateDlg::EndAccepted() {
    EndDialog(IDOK);
}
