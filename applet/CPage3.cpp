#include "CPage3.h"
#include "resource.h"

CPage3::CPage3() : CPropertyPage(IDD_SOUND_PAGE) {}
