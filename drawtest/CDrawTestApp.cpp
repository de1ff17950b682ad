#include "CDrawTestApp.h"
#include "CDrawTestDlg.h"
#include "DrawColors.h"
#include "DrawTestTexts.h"
#include "SingleInstance.h"

namespace {
CDrawTestApp theApp;
}

int CDrawTestApp::InitInstance() {
    EnableControls3d();
    const UiLanguage language = SystemLanguage();
    // Held for the whole run so that a second start finds it.
    static SingleInstance instance(DrawTestTexts::kMutexName);
    if (instance.AlreadyRunning()) {
        MessageBoxW(nullptr, DrawTestTexts::kProgramRunning.In(language), ModuleName().c_str(),
                    MB_OK);
        return 0;
    }

    CDrawTestDlg dialog(language);
    SetDialogColors(DrawColors::kSurface, DrawColors::kDialogText);
    dialog.DoModal();
    return 0;
}
