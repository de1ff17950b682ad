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
        MessageBoxW(nullptr, CalibrationTexts::kProgramRunning.In(language), ModuleName().c_str(),
                    MB_OK);
        return 0;
    }
    m_store.EnsureServiceEntry();

    CCalibrateDlg dialog(m_link, m_store, language);
    dialog.DoModal();
    return 0;
}
