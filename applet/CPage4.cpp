#include "CPage4.h"
#include "AppletTexts.h"
#include "CAppletApp.h"
#include "ResourceModule.h"
#include "resource.h"

CPage4::CPage4() : CPropertyPage(IDD_ABOUT_PAGE) {}

BOOL CPage4::OnInitDialog() {
    m_webLink.SubclassDlgItem(IDC_WEB_LINK, m_hWnd);
    m_mailLink.SubclassDlgItem(IDC_MAIL_LINK, m_hWnd);
    m_logo.SubclassDlgItem(IDC_MAKER_LOGO, m_hWnd);

    const UiLanguage language = AppletApp().Language();
    for (const AppletTexts::ControlText& text : AppletTexts::kAboutPage) {
        SetDlgItemTextW(m_hWnd, text.id, text.text.In(language));
    }
    m_linkCursor = LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(IDR_LINK_CURSOR));

    m_webLink.SetTarget(AppletTexts::kMakerWebSite);
    m_webLink.SetUnderlined(false);
    m_webLink.SetHandCursor(m_linkCursor);
    m_mailLink.SetTarget(AppletTexts::kMakerSupportMail);
    m_mailLink.SetUnderlined(false);
    m_mailLink.SetHandCursor(m_linkCursor);
    return TRUE;
}
