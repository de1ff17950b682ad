#include "CAppletApp.h"
#include "AppletTexts.h"
#include "ApplyParameters.h"
#include "CKesPropertySheet.h"
#include "ControlPanelMessages.h"
#include "ElevatedStart.h"
#include "resource.h"
#include "win32/ElevatedRelaunch.h"
#include <commctrl.h>
#include <cpl.h>
#include <memory>

namespace {
CAppletApp theApp;

// Whether a start message carries the marker of an elevated copy in its extra text.
bool CarriesElevationMarker(UINT message, LPARAM parameter2) {
    if (parameter2 == 0) {
        return false;
    }
    if (message == CPL_STARTWPARMSW) {
        return ElevatedStart::IsMarker(reinterpret_cast<const wchar_t*>(parameter2));
    }
    if (message == CPL_STARTWPARMSA) {
        const std::string_view extra = reinterpret_cast<const char*>(parameter2);
        return ElevatedStart::IsMarker(std::wstring(extra.begin(), extra.end()));
    }
    return false;
}
} // namespace

CAppletApp& AppletApp() {
    return theApp;
}

CAppletApp::CAppletApp() = default;

CAppletApp::~CAppletApp() = default;

LONG CAppletApp::OnControlPanelMessage(HWND controlPanel, UINT message, LPARAM parameter2) {
    m_controlPanel = controlPanel;
    const ControlPanelAnswer answer = AnswerFor(message);
    switch (answer.action) {
    case AppletAction::LoadParameters:
        LoadParameters();
        break;
    case AppletAction::Inquire:
        Inquire(parameter2);
        break;
    case AppletAction::ShowPropertySheet:
        ShowPropertySheet(message, parameter2);
        break;
    case AppletAction::ApplyParameters:
        ApplyParameters();
        break;
    case AppletAction::None:
        break;
    }
    return answer.result;
}

void CAppletApp::LoadParameters() {
    // A control panel may run several cycles in one load: each starts from the fallbacks.
    m_parameters = DriverParameters{};
    m_sheetRan = false;
    m_store.Load(m_parameters);
}

void CAppletApp::Inquire(LPARAM information) const {
    auto* info = reinterpret_cast<CPLINFO*>(information);
    if (info == nullptr) {
        return;
    }
    const AppletListing listing = ListingFor(m_kind);
    info->idIcon = listing.icon;
    info->idName = listing.name;
    info->idInfo = listing.description;
    info->lData = 0;
}

void CAppletApp::ShowPropertySheet(UINT message, LPARAM parameter2) {
    if (!ElevatedStart::OpensSheetHere(m_security, CarriesElevationMarker(message, parameter2),
                                       [this] { return RelaunchElevated(m_controlPanel); })) {
        return;
    }
    m_sheetRan = true;
    // The pages' spin buttons and sliders, and the sheet's tabs.
    RegisterCommonControls(ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_TAB_CLASSES);
    auto sheet = std::make_unique<CKesPropertySheet>(IDS_SHEET_CAPTION, nullptr, 0);
    sheet->m_page1.SetTitle(AppletTexts::kCalibrateTitle.In(m_language));
    sheet->m_page2.SetTitle(AppletTexts::kSettingTitle.In(m_language));
    sheet->m_page3.SetTitle(AppletTexts::kSoundTitle.In(m_language));
    sheet->m_page4.SetTitle(AppletTexts::kAboutTitle.In(m_language));
    sheet->SetCaption(AppletTexts::kSheetCaption.In(m_language));
    sheet->DoModal();
}

void CAppletApp::ApplyParameters() {
    ::ApplyParameters(m_parameters, m_sheetRan, m_security, m_store, m_link, [this] {
        // The sheet has gone: without the control panel's window to own it, the box must come
        // to the front by itself or it may open behind the control panel.
        const HWND owner = IsWindow(m_controlPanel) ? m_controlPanel : nullptr;
        MessageBoxW(owner, AppletTexts::kNoAdministratorRights.In(m_language), ModuleName().c_str(),
                    owner != nullptr ? MB_OK : MB_OK | MB_SETFOREGROUND);
    });
}

void CAppletApp::SendTestBeep(std::uint32_t frequency, std::uint32_t duration) {
    m_link.TestBeep(frequency, duration);
}
