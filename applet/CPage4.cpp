#include "CPage4.h"
#include "resource.h"

CPage4::CPage4() : CPropertyPage(IDD_ABOUT_PAGE) {}
