#pragma once
#include "Application.h"

// The draw test: one instance at a time, then the drawing surface until the user leaves.
class CDrawTestApp final : public CApplication {
  public:
    int InitInstance() override;
};
