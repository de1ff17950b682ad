"""Checks what the shipped files ask of Windows against the export tables in winapi/: every
import of a PE file, and every function looked up by name at run time, must resolve on
Windows 2000, or be a late lookup listed with its reason in late_lookups.py."""
import re
import subprocess
from pathlib import Path

from late_lookups import LATE_LOOKUPS

TABLES_DIR = Path(__file__).with_name("winapi")
TABLES = {path.name.removesuffix(".txt"): set(path.read_text().split())
          for path in TABLES_DIR.glob("*.dll.txt")}
NEWER_THAN_2000 = {(dll, name): since for dll, name, since in
                   (line.split() for line in
                    (TABLES_DIR / "newer-than-2000.txt").read_text().splitlines())}
WINDOWS = {"xp": "XP", "2003": "Server 2003", "vista": "Vista"}

# The shipped tools' own sources; tests and the stand-in driver are never installed.
TOOL_SOURCES = ("applet", "calibrate", "drawtest", "driverlink", "framework")
# objdump's line for one import: hint (or ordinal) and name ("<none>" when by ordinal).
IMPORT = re.compile(r"^\t[0-9a-f]+\t +(\d+)  (\S+)")
SYSTEM_CALL = re.compile(r"^Plugin command: Call\s+['\"]?([^:'\"\s(*]+)::([^(\s'\"]+)", re.M)
PLUGIN_FILE = re.compile(r'^File: "([^"]+\.dll)"->"\$PLUGINSDIR\\', re.M)
PLUGIN_DIR = re.compile(r'^Processing default plugins: "(.+)/\*\.dll"', re.M)
DLL_LITERAL = re.compile(r'"(\w+\.dll)"', re.I)
NAME_LITERAL = re.compile(r'"(\w+)"')


def objdump(path):
    return subprocess.run(["i686-w64-mingw32-objdump", "-p", str(path)], check=True,
                          capture_output=True, text=True).stdout


def unresolved(dll, name):
    """Why dll!name does not resolve on Windows 2000, or None when it does."""
    dll = dll.lower()
    if dll not in TABLES:
        return f"no table for {dll}: not a DLL Windows 2000 ships, or its table is missing"
    if (dll, name) in NEWER_THAN_2000:
        since = NEWER_THAN_2000[dll, name]
        return f"missing from Windows 2000, first in Windows {WINDOWS.get(since, since)}"
    if name not in TABLES[dll]:
        elsewhere = sorted(other for other, names in TABLES.items() if name in names)
        return (f"not in {dll}'s table; " +
                (f"{', '.join(elsewhere)} has it" if elsewhere else "in no other table"))
    return None


def known(dll, name):
    """Whether any Windows exports dll!name, as far as the tables tell."""
    return name in TABLES.get(dll, ()) or (dll, name) in NEWER_THAN_2000


def import_failures(label, path):
    dll = None
    for line in objdump(path).splitlines():
        if "DLL Name:" in line:
            dll = line.split(":", 1)[1].strip()
        elif dll and (entry := IMPORT.match(line)):
            hint, name = entry.groups()
            if name == "<none>":
                yield f"{label}: {dll} ordinal {hint}: imported by ordinal, no table confirms it"
            elif why := unresolved(dll, name):
                yield f"{label}: {dll} {name}: {why}"


def source_lookups(root):
    """(where, dll, name) for each GetProcAddress in the tools' sources: the name is the string
    literal in the call, the DLL the last "*.dll" literal before that in the file."""
    for path in sorted(p for top in TOOL_SOURCES for p in (root / top).rglob("*")
                       if p.suffix in (".c", ".cpp", ".h")):
        text = path.read_text(encoding="utf-8")
        for call in re.finditer(r"\bGetProcAddress\s*\(([^;]*)", text):
            name = NAME_LITERAL.search(text, call.start(1), call.end(1))
            dlls = DLL_LITERAL.findall(text, 0, name.start() if name else call.end())
            yield (str(path.relative_to(root)), dlls[-1] if dlls else "(DLL not named)",
                   name[1] if name else "(name not a literal)")


def setup_lookups(log):
    """(where, dll, name) for each System::Call the setup program and its uninstaller make, as
    makensis logged them at full verbosity. A Unicode installer's System plug-in tries the name
    with W appended when the name itself is not exported."""
    for dll, name in set(SYSTEM_CALL.findall(log)):
        # The plug-in loads a DLL named without extension as Windows does: with ".dll".
        dll = dll.lower() if "." in dll else dll.lower() + ".dll"
        if (dll, name) not in LATE_LOOKUPS and not known(dll, name) and known(dll, name + "W"):
            name += "W"
        yield "setup script's System::Call", dll, name


def setup_plugins(log):
    """The plug-in DLLs the setup program extracts and loads at run time."""
    plugin_dir = Path(PLUGIN_DIR.search(log)[1])
    return sorted({plugin_dir / name for name in PLUGIN_FILE.findall(log)})


def lookup_failures(lookups):
    accepted = set()
    for where, dll, name in sorted(set(lookups)):
        if (dll.lower(), name) in LATE_LOOKUPS:
            accepted.add((dll.lower(), name))
        elif why := unresolved(dll, name):
            yield f"{where}: {dll} {name} looked up at run time: {why}"
    for dll, name in sorted(LATE_LOOKUPS.keys() - accepted):
        yield f"late_lookups.py: {dll} {name} is looked up nowhere"
