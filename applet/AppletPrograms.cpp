#include "AppletPrograms.h"

namespace {

struct ProgramPath {
    DriverKind kind;
    AppletProgram program;
    const wchar_t* path;
};

constexpr ProgramPath kPaths[] = {
    {DriverKind::Usb, AppletProgram::Calibration, L"\\Velmuro\\Pintara.exe"},
    {DriverKind::Usb, AppletProgram::DrawTest, L"\\Velmuro\\Scrivet.exe"},
    {DriverKind::Serial, AppletProgram::Calibration, L"\\Corvatin\\Pintara.exe"},
    {DriverKind::Serial, AppletProgram::DrawTest, L"\\Corvatin\\Scrivet.exe"},
};

} // namespace

const wchar_t* ProgramPathBelowWindows(DriverKind kind, AppletProgram program) {
    for (const ProgramPath& entry : kPaths) {
        if (entry.kind == kind && entry.program == program) {
            return entry.path;
        }
    }
    return L"";
}
