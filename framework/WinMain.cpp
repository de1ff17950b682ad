#include "Application.h"
#include "CallbackGuard.h"
#include "ResourceModule.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    constexpr int kFailed = 1;
    CApplication* application = CApplication::Current();
    if (application == nullptr) {
        return kFailed;
    }
    SetResourceModule(instance);
    return GuardCallback(kFailed, [&] { return application->InitInstance(); });
}
