// A stand-in for the system's help program: all a link takes from it is cursor resource 106.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}
