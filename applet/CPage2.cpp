#include "CPage2.h"
#include "AppletTexts.h"
#include "CAppletApp.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kPortNames[] = {L"COM1", L"COM2", L"COM3", L"COM4",  L"COM5", L"COM6",
                                         L"COM7", L"COM8", L"COM9", L"COM10", L"NONE"};

// The controls a USB controller has no use for.
constexpr int kPortControls[] = {IDC_PORT_COMBO, IDC_PORT_BUTTON, IDC_PORT_GROUP, IDC_PORT_LABEL};

struct PortMessageText {
    SettingPageState::PortMessage message;
    const TextPair& text;
};

const PortMessageText kPortMessageTexts[] = {
    {SettingPageState::PortMessage::OpenFailed, AppletTexts::kOpenPortFailed},
    {SettingPageState::PortMessage::CloseFailed, AppletTexts::kClosePortFailed},
    {SettingPageState::PortMessage::ClosePreviousFailed, AppletTexts::kClosePreviousPortFailed},
};

const TextPair& TextOf(SettingPageState::PortMessage message) {
    for (const PortMessageText& entry : kPortMessageTexts) {
        if (entry.message == message) {
            return entry.text;
        }
    }
    return AppletTexts::kOpenPortFailed;
}

} // namespace

CPage2::CPage2()
    : CPropertyPage(IDD_SETTING_PAGE),
      m_state(AppletApp().Parameters(), AppletApp().Link(), AppletApp().Kind()) {}

bool CPage2::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CPage2> kMessages[] = {
        MapCommandRange<&CPage2::OnModeClicked>(IDC_MODE_POINT_CLICK, IDC_MODE_INTERACTIVE),
        MapCommand<&CPage2::OnPortToggled>(IDC_PORT_BUTTON),
        MapControl<&CPage2::OnPortChosen>(IDC_PORT_COMBO, CBN_SELCHANGE),
    };
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

BOOL CPage2::OnInitDialog() {
    m_rangeEdit.SubclassDlgItem(IDC_RANGE_EDIT, m_hWnd);
    m_rangeSpin.SubclassDlgItem(IDC_RANGE_SPIN, m_hWnd);
    m_delaySlider.SubclassDlgItem(IDC_DELAY_SLIDER, m_hWnd);
    m_portList.SubclassDlgItem(IDC_PORT_COMBO, m_hWnd);
    m_portButton.SubclassDlgItem(IDC_PORT_BUTTON, m_hWnd);

    const UiLanguage language = AppletApp().Language();
    for (const AppletTexts::ControlText& text : AppletTexts::kSettingPage) {
        SetDlgItemTextW(m_hWnd, text.id, text.text.In(language));
    }
    m_rangeSpin.SetBuddy(m_rangeEdit.Handle());
    m_rangeSpin.SetRange(SettingPageState::kRangeLowest, SettingPageState::kRangeHighest);
    m_rangeSpin.SetPosition(m_state.RangePosition());
    m_delaySlider.SetRange(0, SettingPageState::kDelayPositions);
    m_delaySlider.SetPosition(m_state.DelayPosition());
    CheckRadioButton(m_hWnd, IDC_MODE_POINT_CLICK, IDC_MODE_INTERACTIVE, m_state.CheckedRadio());
    ShowModeControls();

    for (const wchar_t* name : kPortNames) {
        m_portList.AddString(name);
    }
    m_portList.SetSelection(m_state.PortSelection());
    m_portButton.Enable(m_state.PortButtonEnabled());
    if (!m_state.ShowsPortControls()) {
        for (int id : kPortControls) {
            ShowWindow(GetDlgItem(m_hWnd, id), SW_HIDE);
        }
        return TRUE;
    }
    ShowPortButton();
    return TRUE;
}

void CPage2::ShowModeControls() const {
    m_rangeSpin.Enable(m_state.InteractiveControlsEnabled());
    m_delaySlider.Enable(m_state.InteractiveControlsEnabled());
}

void CPage2::ShowPortButton() const {
    const UiLanguage language = AppletApp().Language();
    m_portButton.SetText(m_state.PortOpen() ? AppletTexts::kPortOpenButton.In(language)
                                            : AppletTexts::kPortClosedButton.In(language));
    m_portButton.Enable(m_state.PortButtonEnabled());
}

void CPage2::OnModeClicked(UINT radioId) {
    m_state.ChooseMode(static_cast<int>(radioId));
    ShowModeControls();
}

void CPage2::OnPortToggled() {
    m_state.TogglePort(Teller());
    ShowPortButton();
}

void CPage2::OnPortChosen() {
    m_state.ChangePort(m_portList.Selection(), Teller());
    ShowPortButton();
}

SettingPageState::PortMessageTeller CPage2::Teller() const {
    return [this](SettingPageState::PortMessage message) {
        MessageBoxW(m_hWnd, TextOf(message).In(AppletApp().Language()),
                    CApplication::ModuleName().c_str(), MB_OK);
    };
}

void CPage2::OnApply() {
    m_state.Accept(m_delaySlider.Position(), m_rangeSpin.Position());
}

void CPage2::OnReset() {
    m_state.Revert();
}
