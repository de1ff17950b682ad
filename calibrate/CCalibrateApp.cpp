#include "CCalibrateApp.h"
#include "CCalibrateDlg.h"
#include "CalibrationTexts.h"
#include "SingleInstance.h"

namespace {
CCalibrateApp theApp;
}

int CCalibrateApp::InitInstance() {
    const UiLanguage language = SystemLanguage();
    static SingleInstance instance(L"Pintara");
    if (instance.AlreadyRunning()) {
        // Shown or not, the message changes nothing: this start did no calibration.
        MessageBoxW(nullptr, CalibrationTexts::kProgramRunning.In(language), ModuleName().c_str(),
                    MB_OK);
        return kExitAlreadyRunning;
    }
    m_store.EnsureServiceEntry();

    CCalibrateDlg dialog(m_link, m_store, language);
    if (dialog.DoModal() == -1) {
        // No desktop, no desktop heap or a damaged template; a box may still reach the user.
        MessageBoxW(nullptr, CalibrationTexts::kWindowFailed.In(language), ModuleName().c_str(),
                    MB_OK);
        return kExitNoWindow;
    }
    return kExitDone;
}
