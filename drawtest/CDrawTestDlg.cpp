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
#include <algorithm>
#include <initializer_list>
#include <windowsx.h>

namespace {

Point PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void DrawLine(HDC dc, const LineSegment& line) {
    MoveToEx(dc, line.from.x, line.from.y, nullptr);
    LineTo(dc, line.to.x, line.to.y);
}

// Pixels a caption leaves on either side for the button's raised edge.
constexpr int kCaptionInset = 2;

ScopedFont CreateButtonFont(const wchar_t* face, int height) {
    LOGFONTW description{};
    description.lfHeight = -height;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(description.lfFaceName, face, LF_FACESIZE);
    return ScopedFont(CreateFontIndirectW(&description));
}

int WidestCaption(HDC dc, HFONT font, std::initializer_list<const wchar_t*> captions) {
    SelectedObject selected(dc, font);
    int widest = 0;
    for (const wchar_t* caption : captions) {
        SIZE size{};
        GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    return widest;
}

// 12 points of the screen's resolution, smaller where a button is too narrow for its caption.
ScopedFont CreateFittingButtonFont(UiLanguage language, const Box& button) {
    ClientDC screen(nullptr);
    const ButtonFont font = ButtonFontFor(language, GetDeviceCaps(screen.Get(), LOGPIXELSY));
    const int tallest = std::min(-font.height, button.height - 2 * kCaptionInset);
    const int height =
        FittingCaptionHeight(tallest, button.width - 2 * kCaptionInset, [&](int candidate) {
            const ScopedFont trial = CreateButtonFont(font.face, candidate);
            return WidestCaption(
                screen.Get(), trial.Get(),
                {DrawTestTexts::kClear.In(language), DrawTestTexts::kExit.In(language)});
        });
    return CreateButtonFont(font.face, height);
}

// The fixed light-blue face, unless the user asked for high contrast.
COLORREF ButtonFaceColor() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    const bool high = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                      (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    return high ? GetSysColor(COLOR_BTNFACE) : DrawColors::kButtonFace;
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
        MapMessage<&CDrawTestDlg::OnDisplayChange>(WM_DISPLAYCHANGE),
        MapMessage<&CDrawTestDlg::OnSysColorChange>(WM_SYSCOLORCHANGE),
        MapMessage<&CDrawTestDlg::OnSettingChange>(WM_SETTINGCHANGE),
        MapCommandRange<&CDrawTestDlg::OnSettingsCommand>(SettingsMenu::kFirstCommand,
                                                          SettingsMenu::kLastCommand),
    };
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

BOOL CDrawTestDlg::OnInitDialog() {
    CApplication::Current()->SetMainWindow(m_hWnd);
    m_clear.SubclassDlgItem(IDOK, m_hWnd);
    m_exit.SubclassDlgItem(IDCANCEL, m_hWnd);
    m_clear.SetCaption(DrawTestTexts::kClear.In(m_language));
    m_exit.SetCaption(DrawTestTexts::kExit.In(m_language));
    ApplyButtonFaces();
    CoverScreen();
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    return TRUE;
}

void CDrawTestDlg::CoverScreen() {
    m_desktop = CoverDesktop();
    m_screenWidth = m_desktop.right;
    m_screenHeight = m_desktop.bottom;
    const ButtonPlacement place =
        PlaceButtons({m_desktop.left, m_desktop.top, m_desktop.right, m_desktop.bottom});
    // Both buttons are the same size; the old font goes only once neither uses it.
    ScopedFont font = CreateFittingButtonFont(m_language, place.clear);
    m_clear.Send(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    m_exit.Send(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    m_buttonFont = std::move(font);
    MoveButton(m_clear, place.clear);
    MoveButton(m_exit, place.exit);
}

void CDrawTestDlg::ApplyButtonFaces() {
    const COLORREF face = ButtonFaceColor();
    m_clear.SetFaceColor(face);
    m_exit.SetFaceColor(face);
}

LRESULT CDrawTestDlg::OnDisplayChange(WPARAM, LPARAM) {
    CoverScreen();
    RepaintNow();
    return 0;
}

LRESULT CDrawTestDlg::OnSysColorChange(WPARAM wParam, LPARAM lParam) {
    SendToChildren(WM_SYSCOLORCHANGE, wParam, lParam);
    ApplyButtonFaces();
    RepaintNow();
    return 0;
}

LRESULT CDrawTestDlg::OnSettingChange(WPARAM wParam, LPARAM lParam) {
    if (wParam == SPI_SETHIGHCONTRAST) {
        OnSysColorChange(0, lParam);
    }
    return 0;
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
