#pragma once
#include "PropertySheet.h"

// The About page.
class CPage4 final : public CPropertyPage {
  public:
    CPage4();
};
