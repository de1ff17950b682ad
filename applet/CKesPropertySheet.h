#pragma once
#include "CPage1.h"
#include "CPage2.h"
#include "CPage3.h"
#include "CPage4.h"
#include "PropertySheet.h"

// The applet's sheet: its four pages in tab order, OK and Cancel only.
class CKesPropertySheet final : public CPropertySheet {
  public:
    CKesPropertySheet(UINT captionId, HWND parent, UINT startPage);

    CPage1 m_page1;
    CPage2 m_page2;
    CPage3 m_page3;
    CPage4 m_page4;
};
