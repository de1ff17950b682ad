#pragma once
#include "Application.h"
#include "DriverLink.h"
#include "ParametersStore.h"
#include "Win32DeviceApi.h"
#include "Win32RegistryApi.h"

// The calibration program: one instance at a time, the driver's service entry made sure of,
// then the calibration window until it ends.
class CCalibrateApp final : public CApplication {
  public:
    // Exit codes a script or an installer can tell apart.
    static constexpr int kExitDone = 0;
    static constexpr int kExitAlreadyRunning = 2;
    static constexpr int kExitNoWindow = 3;

    int InitInstance() override;

  private:
    Win32DeviceApi m_device;
    Win32RegistryApi m_registry;
    DriverKind m_kind = DeliveredDriverKind();
    DriverLink m_link{m_device, m_kind};
    ParametersStore m_store{m_registry, m_kind};
};
