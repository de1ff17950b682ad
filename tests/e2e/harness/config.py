"""Where the build tree keeps what the end-to-end tests need.

CTest passes every path in the environment (see tests/e2e/CMakeLists.txt). Run by hand, a test
needs only TOUCH_BUILD_DIR (or `--build-dir DIR` on its command line, see harness.main); the
rest is derived from the build tree's layout.
"""

import os
import struct
from dataclasses import dataclass
from pathlib import Path

from .errors import HarnessError

SOURCE_DIR = Path(__file__).resolve().parents[3]

# PE machine type of an x86-64 build (for hosts that cannot run 32-bit code).
_MACHINE_AMD64 = 0x8664


def pe_machine(path):
    """Returns the machine field of a PE file's header."""
    with open(path, "rb") as f:
        head = f.read(4096)
    offset = struct.unpack_from("<I", head, 0x3C)[0]
    if head[offset:offset + 4] != b"PE\0\0":
        raise HarnessError(f"{path} is not a PE file")
    return struct.unpack_from("<H", head, offset + 4)[0]


@dataclass
class Config:
    """Paths of one build tree. Use `Config.current()`."""

    build_dir: Path
    source_dir: Path
    wine_root: Path
    probe: Path
    standin_dir: Path
    shots_dir: Path
    # The Windows the prefixes report ("win2k", "winxp", "win7"); None keeps Wine's default.
    windows_version: str = None
    # A prefix of another architecture than the binaries' own ("win64": 32-bit programs on a
    # 64-bit Windows); empty for the binaries' own.
    prefix_arch: str = ""

    @classmethod
    def current(cls):
        """The configuration of the build tree named by the environment."""
        build = os.environ.get("TOUCH_BUILD_DIR")
        if not build:
            raise HarnessError("TOUCH_BUILD_DIR is not set: run through ctest or pass --build-dir")
        build_dir = Path(build).resolve()

        def path(variable, default):
            return Path(os.environ.get(variable) or default)

        return cls(
            build_dir=build_dir,
            source_dir=path("TOUCH_SOURCE_DIR", SOURCE_DIR),
            wine_root=path("TOUCH_WINE_ROOT", build_dir / "wine"),
            probe=path("TOUCH_PROBE", build_dir / "tests/e2e/probe/touchprobe.exe"),
            standin_dir=path("TOUCH_STANDIN_DIR", build_dir / "standin_driver"),
            shots_dir=path("TOUCH_SHOTS_DIR", build_dir / "e2e-shots" / "manual"),
            windows_version=os.environ.get("TOUCH_WINDOWS_VERSION") or None,
        )

    def exe(self, target):
        """The built file of a CMake target (e.g. "Pintara"), from TOUCH_EXE_<target> or found
        in the build tree."""
        named = os.environ.get(f"TOUCH_EXE_{target}")
        found = Path(named) if named else self._find_binary(target)
        if found is None or not found.is_file():
            raise HarnessError(f"the binary of target {target} is not built (looked for "
                               f"{named or target + '.*'} in {self.build_dir}); build the "
                               f"Windows tree first")
        return found

    def _find_binary(self, target):
        names = {f"{target}{suffix}".lower() for suffix in (".exe", ".cpl", ".dll", ".sys")}
        skipped = {self.wine_root.resolve(), self.shots_dir.resolve()}
        for folder, subfolders, files in os.walk(self.build_dir):
            # Prefixes link to the whole file system (dosdevices/z:); never walk into them.
            subfolders[:] = [d for d in subfolders
                             if d != "CMakeFiles" and (Path(folder) / d).resolve() not in skipped]
            for name in files:
                if name.lower() in names:
                    return Path(folder) / name
        return None

    def standin_driver(self, name):
        """The stand-in driver binary for service `name` ("Velmuro" or "Corvatin")."""
        path = self.standin_dir / f"{name}.sys"
        if not path.is_file():
            raise HarnessError(f"stand-in driver {path} is not built; build the Windows tree")
        return path

    @property
    def arch(self):
        """"win32" or "win64": the Wine architecture of the prefix, by default the one the tree's
        binaries need."""
        if self.prefix_arch:
            return self.prefix_arch
        if not self.probe.is_file():
            raise HarnessError(f"probe {self.probe} is not built; build the Windows tree first")
        return "win64" if pe_machine(self.probe) == _MACHINE_AMD64 else "win32"

    @property
    def wine(self):
        """The Wine loader for this tree's binaries. /usr/bin/wine always picks the 32-bit loader
        when it is installed, so a 64-bit tree names the 64-bit one."""
        return "/usr/lib/wine/wine64" if self.arch == "win64" else "wine"
