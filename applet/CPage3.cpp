#include "CPage3.h"
#include "AppletTexts.h"
#include "CAppletApp.h"
#include "SoundPageMapping.h"
#include "resource.h"

CPage3::CPage3() : CPropertyPage(IDD_SOUND_PAGE) {}

bool CPage3::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CPage3> kMessages[] = {
        MapControl<&CPage3::OnModeChosen>(IDC_BEEP_MODE, CBN_SELCHANGE),
        MapControl<&CPage3::OnTest>(IDC_BEEP_TEST, BN_CLICKED),
    };
    return DispatchTable(*this, kMessages, message, wParam, lParam, result);
}

BOOL CPage3::OnInitDialog() {
    m_frequencySlider.SubclassDlgItem(IDC_BEEP_FREQUENCY, m_hWnd);
    m_durationSlider.SubclassDlgItem(IDC_BEEP_DURATION, m_hWnd);
    m_modeList.SubclassDlgItem(IDC_BEEP_MODE, m_hWnd);

    const UiLanguage language = AppletApp().Language();
    for (const AppletTexts::ControlText& text : AppletTexts::kSoundPage) {
        SetDlgItemTextW(m_hWnd, text.id, text.text.In(language));
    }
    int index = 0;
    for (const TextPair& mode : AppletTexts::kBeepModes) {
        m_modeList.Send(CB_INSERTSTRING, static_cast<WPARAM>(index++),
                        reinterpret_cast<LPARAM>(mode.In(language)));
    }
    m_testButton.SubclassDlgItem(IDC_BEEP_TEST, m_hWnd);
    m_testButton.SetIconResource(IDI_TEST_BEEP);
    m_frequencySlider.SetRange(0, SoundPageMapping::kLastPosition);
    m_durationSlider.SetRange(0, SoundPageMapping::kLastPosition);

    const DriverParameters& parameters = AppletApp().Parameters();
    const int mode = SoundPageMapping::ModeSelection(parameters);
    m_modeList.SetSelection(mode);
    m_frequencySlider.SetPosition(SoundPageMapping::FrequencyPosition(parameters));
    m_durationSlider.SetPosition(SoundPageMapping::DurationPosition(parameters));
    if (SoundPageMapping::BeepControlsEnabled(mode)) {
        m_testButton.Enable(true);
    } else {
        EnableBeepControls(false);
    }
    return TRUE;
}

void CPage3::EnableBeepControls(bool enabled) const {
    m_frequencySlider.Enable(enabled);
    m_durationSlider.Enable(enabled);
    m_testButton.Enable(enabled);
}

void CPage3::OnModeChosen() {
    EnableBeepControls(SoundPageMapping::BeepControlsEnabled(m_modeList.Selection()));
}

void CPage3::OnTest() {
    AppletApp().SendTestBeep(SoundPageMapping::FrequencyValue(m_frequencySlider.Position()),
                             SoundPageMapping::DurationValue(m_durationSlider.Position()));
}

void CPage3::OnApply() {
    SoundPageMapping::Accept(AppletApp().Parameters(), m_modeList.Selection(),
                             m_frequencySlider.Position(), m_durationSlider.Position());
}
