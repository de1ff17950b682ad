#include "CDrawTestDlg.h"
#include "Application.h"
#include "ButtonFont.h"
#include "ButtonPlacement.h"
#include "DeviceContexts.h"
#include "DrawTestTexts.h"
#include "GridGeometry.h"
#include "Handles.h"
#include "ResourceModule.h"
#include "SettingsMenu.h"
#include "resource.h"
#include <windowsx.h>

namespace {

Point PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void DrawLine(HDC dc, const LineSegment& line) {
    MoveToEx(dc, line.from.x, line.from.y, nullptr);
    LineTo(dc, line.to.x, line.to.y);
}

// Sized in points of the screen's resolution, so the captions keep their size at any DPI.
ScopedFont CreateButtonFont(UiLanguage language) {
    ClientDC screen(nullptr);
    const ButtonFont font = ButtonFontFor(language, GetDeviceCaps(screen.Get(), LOGPIXELSY));
    LOGFONTW description{};
    description.lfHeight = font.height;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(description.lfFaceName, font.face, LF_FACESIZE);
    return ScopedFont(CreateFontIndirectW(&description));
}

void MoveButton(const CWnd& button, const Box& box) {
    MoveWindow(button.Handle(), box.x, box.y, box.width, box.height, TRUE);
}

} // namespace

CDrawTestDlg::CDrawTestDlg(UiLanguage language)
    : CDialog(IDD_DRAWTEST), m_language(language),
      m_icon(LoadIconW(ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

bool CDrawTestDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CDrawTestDlg> kMessages[] = {
        MapMessage<&CDrawTestDlg::OnPaint>(WM_PAINT),
        MapMessage<&CDrawTestDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        MapMessage<&CDrawTestDlg::OnLButtonDown>(WM_LBUTTONDOWN),
        MapMessage<&CDrawTestDlg::OnMouseMove>(WM_MOUSEMOVE),
        MapMessage<&CDrawTestDlg::OnLButtonUp>(WM_LBUTTONUP),
        MapMessage<&CDrawTestDlg::OnRButtonUp>(WM_RBUTTONUP),
        MapCommandRange<&CDrawTestDlg::OnSettingsCommand>(SettingsMenu::kFirstCommand,
                                                          SettingsMenu::kLastCommand),
    };
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

BOOL CDrawTestDlg::OnInitDialog() {
    CApplication::Current()->SetMainWindow(m_hWnd);
    m_clear.SubclassDlgItem(IDOK, m_hWnd);
    m_exit.SubclassDlgItem(IDCANCEL, m_hWnd);
    m_desktop = CoverDesktop();
    m_screenWidth = m_desktop.right;
    m_screenHeight = m_desktop.bottom;
    SetUpButtons();
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    return TRUE;
}

void CDrawTestDlg::SetUpButtons() {
    m_clear.SetCaption(DrawTestTexts::kClear.In(m_language));
    m_exit.SetCaption(DrawTestTexts::kExit.In(m_language));
    m_clear.SetFaceColor(DrawColors::kButtonFace);
    m_exit.SetFaceColor(DrawColors::kButtonFace);

    m_buttonFont = CreateButtonFont(m_language);
    m_clear.Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_buttonFont.Get()), TRUE);
    m_exit.Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_buttonFont.Get()), TRUE);

    const ButtonPlacement place =
        PlaceButtons({m_desktop.left, m_desktop.top, m_desktop.right, m_desktop.bottom});
    MoveButton(m_clear, place.clear);
    MoveButton(m_exit, place.exit);
}

void CDrawTestDlg::OnOK() {
    RepaintNow();
}

void CDrawTestDlg::RepaintNow() const {
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CDrawTestDlg::OnPaint(WPARAM, LPARAM) {
    if (IsIconic(m_hWnd)) {
        PaintMinimizedIcon(m_icon);
        return 0;
    }
    PaintDC paint(m_hWnd);
    PaintSurface(paint.Get());
    return 0;
}

void CDrawTestDlg::PaintSurface(HDC dc) const {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    {
        ScopedBrush background(CreateSolidBrush(DrawColors::kSurface));
        FillRect(dc, &client, background.Get());
    }
    if (!m_settings.showGrid) {
        return;
    }
    ScopedPen gridPen(CreatePen(PS_SOLID, m_settings.gridLineWidth, m_settings.gridColor));
    SelectedObject pen(dc, gridPen.Get());
    for (const LineSegment& line : GridLines(m_screenWidth, m_screenHeight, m_settings.gridCount)) {
        DrawLine(dc, line);
    }
}

LRESULT CDrawTestDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_icon);
}

LRESULT CDrawTestDlg::OnLButtonDown(WPARAM, LPARAM lParam) {
    m_stroke.Press(PointOf(lParam));
    return 0;
}

LRESULT CDrawTestDlg::OnMouseMove(WPARAM, LPARAM lParam) {
    if (const auto segment = m_stroke.Move(PointOf(lParam), m_settings.penWidth)) {
        DrawSegment(*segment);
    }
    return 0;
}

LRESULT CDrawTestDlg::OnLButtonUp(WPARAM, LPARAM lParam) {
    if (const auto segment = m_stroke.Release(PointOf(lParam))) {
        DrawSegment(*segment);
    }
    return 0;
}

// A pen and a device context for each segment, both gone before the next mouse message.
void CDrawTestDlg::DrawSegment(const StrokeSegment& segment) const {
    ClientDC dc(m_hWnd);
    ScopedPen strokePen(CreatePen(PS_SOLID, segment.width, m_settings.penColor));
    SelectedObject pen(dc.Get(), strokePen.Get());
    DrawLine(dc.Get(), segment.line);
}

LRESULT CDrawTestDlg::OnRButtonUp(WPARAM, LPARAM lParam) {
    ShowSettingsMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

void CDrawTestDlg::ShowSettingsMenu(POINT at) const {
    const HINSTANCE instance = ResourceModule();
    ScopedMenu menu(LoadMenuW(instance, MAKEINTRESOURCEW(SettingsMenu::ResourceId(m_language))));
    const HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (popup == nullptr) {
        return;
    }
    for (const SettingsMenu::Choice& choice : SettingsMenu::kChoices) {
        if (SettingsMenu::IsGreyed(m_settings, choice)) {
            EnableMenuItem(popup, choice.command, MF_BYCOMMAND | MF_GRAYED);
        }
    }
    ClientToScreen(m_hWnd, &at);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
}

LRESULT CDrawTestDlg::OnSettingsCommand(WPARAM wParam, LPARAM) {
    if (SettingsMenu::Apply(m_settings, LOWORD(wParam))) {
        RepaintNow();
    }
    return 0;
}
