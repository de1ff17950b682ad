#include "CAppletApp.h"
#include "AppletTexts.h"
#include "ApplyParameters.h"
#include "CKesPropertySheet.h"
#include "ControlPanelMessages.h"
#include "resource.h"
#include <commctrl.h>
#include <cpl.h>
#include <memory>

namespace {
CAppletApp theApp;
}

CAppletApp& AppletApp() {
    return theApp;
}

CAppletApp::CAppletApp() = default;

CAppletApp::~CAppletApp() = default;

LONG CAppletApp::OnControlPanelMessage(UINT message, LPARAM parameter2) {
    const ControlPanelAnswer answer = AnswerFor(message);
    switch (answer.action) {
    case AppletAction::LoadParameters:
        LoadParameters();
        break;
    case AppletAction::Inquire:
        Inquire(parameter2);
        break;
    case AppletAction::ShowPropertySheet:
        ShowPropertySheet();
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

void CAppletApp::ShowPropertySheet() {
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
    ::ApplyParameters(m_parameters, m_security, m_store, m_link, [this] {
        MessageBoxW(GetActiveWindow(), AppletTexts::kNoAdministratorRights.In(m_language),
                    ModuleName().c_str(), MB_OK);
    });
}

void CAppletApp::SendTestBeep(std::uint32_t frequency, std::uint32_t duration) {
    m_link.TestBeep(frequency, duration);
}
