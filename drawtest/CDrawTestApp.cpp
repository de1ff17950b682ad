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
        // Shown or not, the message changes nothing: this start showed no surface.
        MessageBoxW(nullptr, DrawTestTexts::kProgramRunning.In(language), ModuleName().c_str(),
                    MB_OK);
        return kExitAlreadyRunning;
    }

    CDrawTestDlg dialog(language);
    SetDialogColors(DrawColors::kSurface, DrawColors::kDialogText);
    if (dialog.DoModal() == -1) {
        // No desktop, no desktop heap or a damaged template; a box may still reach the user.
        MessageBoxW(nullptr, DrawTestTexts::kWindowFailed.In(language), ModuleName().c_str(),
                    MB_OK);
        return kExitNoWindow;
    }
    return kExitDone;
}
