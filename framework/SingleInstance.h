#pragma once
#include "Handles.h"

// Holds a named mutex for the life of the process so a second start can tell it is not alone.
class SingleInstance {
  public:
    explicit SingleInstance(const wchar_t* name);
    // True when another process already held the name.
    bool AlreadyRunning() const { return m_alreadyRunning; }

  private:
    ScopedHandle m_mutex;
    bool m_alreadyRunning = false;
};
