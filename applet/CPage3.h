#pragma once
#include "PropertySheet.h"

// The Sound page.
class CPage3 final : public CPropertyPage {
  public:
    CPage3();
};
