#include "CPage1.h"
#include "AppletTexts.h"
#include "CAppletApp.h"
#include "Handles.h"
#include "ResourceModule.h"
#include "resource.h"
#include <shellapi.h>
#include <string>

CPage1::CPage1()
    : CPropertyPage(IDD_CALIBRATE_PAGE), m_state(AppletApp().Parameters(), AppletApp().Store()) {}

bool CPage1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CPage1> kMessages[] = {
        MapCommand<&CPage1::OnCalibrate>(IDC_CALIBRATE_BUTTON),
        MapCommand<&CPage1::OnDrawTest>(IDC_DRAWTEST_BUTTON),
        MapControl<&CPage1::OnMarginChanged>(IDC_MARGIN_EDIT, EN_CHANGE),
    };
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

BOOL CPage1::OnInitDialog() {
    m_marginEdit.SubclassDlgItem(IDC_MARGIN_EDIT, m_hWnd);
    m_marginSpin.SubclassDlgItem(IDC_MARGIN_SPIN, m_hWnd);
    m_calibrateButton.SubclassDlgItem(IDC_CALIBRATE_BUTTON, m_hWnd);
    m_drawTestButton.SubclassDlgItem(IDC_DRAWTEST_BUTTON, m_hWnd);

    const UiLanguage language = AppletApp().Language();
    for (const AppletTexts::ControlText& text : AppletTexts::kCalibratePage) {
        SetDlgItemTextW(m_hWnd, text.id, text.text.In(language));
    }
    m_calibrateButton.SetIcon(LoadIconW(ResourceModule(), MAKEINTRESOURCEW(IDI_APPLET)));
    m_drawTestButton.SetIcon(LoadIconW(ResourceModule(), MAKEINTRESOURCEW(IDI_DRAWTEST)));
    // The sheet's icon: while the page initialises the sheet is not yet active, and the
    // active window may be the host's.
    SendMessageW(
        GetParent(m_hWnd), WM_SETICON, ICON_BIG,
        reinterpret_cast<LPARAM>(LoadIconW(ResourceModule(), MAKEINTRESOURCEW(IDI_APPLET))));

    // The spin writes its position into the edit, whose change handler stores the margin.
    m_marginSpin.SetBuddy(m_marginEdit.Handle());
    m_marginSpin.SetRange(CalibratePageState::kLowest, CalibratePageState::kHighest);
    m_marginSpin.SetPosition(m_state.InitialPosition());
    return TRUE;
}

void CPage1::OnMarginChanged() {
    m_state.OnTextChanged(m_marginEdit.Text());
}

void CPage1::OnApply() {
    m_state.Accept();
}

void CPage1::OnReset() {
    m_state.Revert();
}

void CPage1::OnCalibrate() {
    Start(AppletProgram::Calibration);
}

void CPage1::OnDrawTest() {
    Start(AppletProgram::DrawTest);
}

void CPage1::Start(AppletProgram program) const {
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    const std::wstring path =
        std::wstring(windows, length) + ProgramPathBelowWindows(AppletApp().Kind(), program);
    // The shell's open verb on the exact path: no other program can be picked up at a blank
    // in the path, and a program that asks for elevation gets its prompt. Not waited for.
    const ScopedComApartment com;
    ShellExecuteW(m_hWnd, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
