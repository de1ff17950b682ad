#pragma once
#include "CLinkStatic.h"
#include "CTransparentPicture.h"
#include "PropertySheet.h"

// The About page: the driver line, its version and the notice. The maker's block (brand,
// company, logo, web and mail links) is filled but stays hidden.
class CPage4 final : public CPropertyPage {
  public:
    CPage4();

  protected:
    BOOL OnInitDialog() override;

  private:
    CLinkStatic m_webLink;
    CLinkStatic m_mailLink;
    CTransparentPicture m_logo;
    // A shared cursor of the applet's resources: nothing to release.
    HCURSOR m_linkCursor = nullptr;
};
