#pragma once
#include "Application.h"
#include "DriverLink.h"
#include "DriverParameters.h"
#include "ParametersStore.h"
#include "Win32DeviceApi.h"
#include "Win32RegistryApi.h"
#include "win32/Win32Security.h"

// The applet's one application object: created when the control panel loads the library,
// it holds the driver's settings between the control panel's messages.
class CAppletApp final : public CApplication {
  public:
    CAppletApp();
    ~CAppletApp() override;

    // The answer to one call of the control-panel entry; `controlPanel` is the window the
    // control panel hands the applet.
    LONG OnControlPanelMessage(HWND controlPanel, UINT message, LPARAM parameter2);

    DriverParameters& Parameters() { return m_parameters; }
    DriverKind Kind() const { return m_kind; }
    DriverLink& Link() { return m_link; }
    const ParametersStore& Store() const { return m_store; }
    UiLanguage Language() const { return m_language; }
    void SendTestBeep(std::uint32_t frequency, std::uint32_t duration);

  private:
    void LoadParameters();
    void Inquire(LPARAM information) const;
    void ShowPropertySheet(UINT message, LPARAM parameter2);
    void ApplyParameters();

    DriverParameters m_parameters;
    DriverKind m_kind = DeliveredDriverKind();
    Win32DeviceApi m_device;
    DriverLink m_link{m_device, m_kind};
    Win32RegistryApi m_registry;
    ParametersStore m_store{m_registry, m_kind};
    Win32Security m_security;
    UiLanguage m_language = SystemLanguage();
    HWND m_controlPanel = nullptr;
    // Whether this cycle ran the sheet, which only a listing cycle does not.
    bool m_sheetRan = false;
};

// The applet's application object, for its pages.
CAppletApp& AppletApp();
