#pragma once
#include "Application.h"

// The draw test: one instance at a time, then the drawing surface until the user leaves.
class CDrawTestApp final : public CApplication {
  public:
    // Exit codes a script or an installer can tell apart.
    static constexpr int kExitDone = 0;
    static constexpr int kExitAlreadyRunning = 2;
    static constexpr int kExitNoWindow = 3;

    int InitInstance() override;
};
