"""Checks the laid-out package: 32-bit x86 PE files (the tools and the setup program) that
import only system libraries, the applet's undecorated entry point, the version and
manifest resources of each, and the tools' size limits."""
import re
import struct
import subprocess
import sys
from pathlib import Path

SYSTEM_LIBRARIES = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
                    "shell32.dll", "user32.dll", "winmm.dll", "ole32.dll", "version.dll"}

# Functions a runtime may pull in that Windows 2000 (or even XP) lacks: one import of them and
# the program does not start there.
NEWER_THAN_WINDOWS_2000 = {
    "AcquireSRWLockExclusive", "AcquireSRWLockShared", "AddVectoredExceptionHandler",
    "CreateEventExW", "FlsAlloc", "FlsGetValue", "FlsSetValue", "GetCurrentProcessorNumber",
    "GetModuleHandleExW", "GetNativeSystemInfo", "GetSystemTimePreciseAsFileTime",
    "GetTickCount64", "InitOnceExecuteOnce", "InitializeConditionVariable",
    "InitializeSRWLock", "IsWow64Process", "ReleaseSRWLockExclusive", "ReleaseSRWLockShared",
    "RemoveVectoredExceptionHandler", "SetProcessDPIAware", "SleepConditionVariableCS",
    "SleepConditionVariableSRW", "WakeAllConditionVariable", "WakeConditionVariable",
}

# What the runtime's verbose terminate handler prints; its name demangler comes with it.
VERBOSE_TERMINATE = b"terminate called after throwing"

# The build passes its one version number.
VERSION = sys.argv[2]

PACKAGE = {
    "Velmuro/Pintara.exe": {
        "dll": False,
        "max_kb": 160,
        "texts": ["TouchScreen Calibrater", "TouchScreen Driver", VERSION],
        "manifest": ['level="requireAdministrator"', 'uiAccess="false"', "<dpiAware",
                     ">true</dpiAware>"],
    },
    "Velmuro/Scrivet.exe": {
        "dll": False,
        "max_kb": 160,
        "texts": ["TouchScreen Draw Test", "TouchScreen Driver", VERSION, "Scrivet"],
        "manifest": ['name="Microsoft.Windows.Common-Controls"', 'version="6.0.0.0"',
                     'processorArchitecture="x86"',
                     "<dpiAware", ">true</dpiAware>"],
    },
    "VelmuroTouchTools-Setup.exe": {
        "dll": False,
        "texts": ["TouchScreen Tools Setup", VERSION],
        "manifest": ['level="requireAdministrator"'],
    },
    "system32/Panelo.cpl": {
        "dll": True,
        "max_kb": 240,
        "texts": ["TouchScreen Setting", "TouchScreen Property", "TouchScreen Driver", VERSION,
                  "Panelo.cpl"],
        "manifest": ['level="requireAdministrator"', 'uiAccess="false"'],
        # 2 for the library's own loading, 123 for the control panel and rundll32.
        "manifest_ids": [2, 123],
    },
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def pe_header(data):
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    signature, machine = struct.unpack_from("<4sH", data, offset)
    characteristics = struct.unpack_from("<H", data, offset + 22)[0]
    magic = struct.unpack_from("<H", data, offset + 24)[0]
    return signature, machine, characteristics, magic


def objdump(path):
    return subprocess.run(["i686-w64-mingw32-objdump", "-p", str(path)], check=True,
                          capture_output=True, text=True).stdout


def manifest_ids(path):
    """The resource ids of the file's manifests, as windres lists them."""
    listing = subprocess.run(["i686-w64-mingw32-windres", "-i", str(path), "-O", "rc"],
                             check=True, capture_output=True, text=True,
                             errors="replace").stdout
    return sorted(int(m) for m in re.findall(r"^(\d+) 24 /\* RT_MANIFEST", listing, re.M))


def main():
    dist = Path(sys.argv[1])
    for name, expected in PACKAGE.items():
        path = dist / name
        if not path.is_file():
            failures.append(f"{name}: missing from {dist}")
            continue
        data = path.read_bytes()
        signature, machine, characteristics, magic = pe_header(data)
        check(signature == b"PE\0\0", f"{name}: not a PE file")
        check(machine == 0x14C, f"{name}: machine {machine:#x}, expected i386 (0x14c)")
        check(magic == 0x10B, f"{name}: optional header {magic:#x}, expected PE32 (0x10b)")
        is_dll = bool(characteristics & 0x2000)
        check(is_dll == expected["dll"], f"{name}: DLL flag {is_dll}, expected {expected['dll']}")

        dump = objdump(path)
        imports = {line.split(":", 1)[1].strip().lower()
                   for line in dump.splitlines() if "DLL Name:" in line}
        check(imports <= SYSTEM_LIBRARIES,
              f"{name}: imports {sorted(imports - SYSTEM_LIBRARIES)} beyond system libraries")
        functions = {fields[2] for fields in (line.split() for line in dump.splitlines())
                     if len(fields) == 3 and fields[1].isdigit()}
        newer = sorted(functions & NEWER_THAN_WINDOWS_2000)
        check(not newer, f"{name}: imports {newer}, missing before Windows Vista or XP")
        for text in expected["texts"]:
            check(text.encode("utf-16-le") in data, f"{name}: version text {text!r} missing")
        if "max_kb" in expected:
            check(len(data) <= expected["max_kb"] * 1024,
                  f"{name}: {len(data)} bytes, more than {expected['max_kb']} KB")
            check(VERBOSE_TERMINATE not in data, f"{name}: links the verbose terminate handler")
        for text in expected["manifest"]:
            check(text.encode() in data, f"{name}: manifest lacks {text!r}")
        if "manifest_ids" in expected:
            ids = manifest_ids(path)
            check(ids == expected["manifest_ids"],
                  f"{name}: manifests at {ids}, expected {expected['manifest_ids']}")

    dump = objdump(dist / "system32/Panelo.cpl")
    exported = [line.split()[-1] for line in dump.splitlines() if line.strip().startswith("[")
                and "]" in line and line.split()[-1].startswith("CPlApplet")]
    check(exported == ["CPlApplet"], f"Panelo.cpl exports {exported}, expected ['CPlApplet']")

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"package in {dist}: all checks hold")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
