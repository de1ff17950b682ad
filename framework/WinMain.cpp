#include "Application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    CApplication* application = CApplication::Current();
    if (application == nullptr) {
        return 1;
    }
    application->SetInstance(instance);
    return application->InitInstance();
}
