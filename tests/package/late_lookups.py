"""Functions looked up by name at run time although a target system lacks them. Each entry says
where it is looked up, which systems lack it, and how its absence is handled there. Keys are
the DLL in lower case and the name as the lookup writes it."""
LATE_LOOKUPS = {
    ("kernel32.dll", "IsWow64Process2"):
        "setup's 64-bit refusal (x64.nsh's RunningX64) asks it first; before Windows 10 it is "
        "missing, the call leaves 0 and IsWow64Process answers",
    ("kernel32.dll", "IsWow64Process"):
        "setup's 64-bit refusal (x64.nsh's RunningX64); Windows 2000 lacks it, the call leaves 0 "
        "and setup goes on as on any 32-bit Windows",
    ("uxtheme.dll", "SetWindowTheme"):
        "the finish page (MUI2) unthemes its restart buttons in high contrast; documented from "
        "Windows Vista, and Windows 2000 has no uxtheme.dll: the call fails, the buttons stay",
}
