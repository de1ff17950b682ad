"""Checks the laid-out package: 32-bit x86 PE files (the tools and the setup program) whose
imports and run-time lookups, with those of the uninstaller and the setup's plug-ins, all resolve
on Windows 2000; the applet's undecorated entry point, the version and manifest resources of
each, and the tools' size limits.

Arguments: the package folder, the version, makensis's full log of the setup program and the
uninstaller it wrote beside it."""
import re
import struct
import subprocess
import sys
from pathlib import Path

from check_imports import (import_failures, lookup_failures, objdump, setup_lookups,
                           setup_plugins, source_lookups)

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

        failures.extend(import_failures(name, path))
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

    setup_log = Path(sys.argv[3]).read_text(encoding="utf-8", errors="replace")
    uninstaller = Path(sys.argv[4])
    for path in [uninstaller, *setup_plugins(setup_log)]:
        failures.extend(import_failures(path.name, path))
    source_root = Path(__file__).resolve().parents[2]
    failures.extend(lookup_failures([*source_lookups(source_root), *setup_lookups(setup_log)]))

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
