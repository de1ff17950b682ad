"""The setup program, run as a user runs it on 32-bit Windows: it puts the three tools where
they belong, registers its uninstaller, replaces its own files when run again, refuses to
replace a running tool, speaks the system's language, and its uninstaller takes away exactly
what it added. The driver's service entry and the user's calibration stay untouched."""

import os
import time
import unittest
from pathlib import Path

import harness
from harness import RegValue, Session, expect_equal, expect_true

import panelo
from shipped import SLOW, ShippedDrawTest, package_file

UNINSTALL = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VelmuroTouchTools"
SERVICE = r"HKLM\SYSTEM\CurrentControlSet\Services\Velmuro"
TOOLS = {"Pintara": r"C:\windows\Velmuro\Pintara.exe",
         "Scrivet": r"C:\windows\Velmuro\Scrivet.exe",
         "Panelo": r"C:\windows\system32\Panelo.cpl"}
UNINSTALLER = r"C:\windows\Velmuro\TouchToolsUninstall.exe"
DRIVER_FILE = r"C:\windows\Velmuro\Velmuro.inf"
CALIBRATION = bytes(range(1, 29))
EXIT_TOOL_RUNNING = 3
# The welcome page's body text control.
WELCOME_TEXT = 1202
WELCOME_PAGES = (
    ("en_US.UTF-8", "TouchScreen Tools Setup",
     "Setup will guide you through the installation of TouchScreen Tools."),
    ("zh_CN.UTF-8", "触摸屏工具 安装", "此程序将引导你完成 触摸屏工具 的安装。"),
)


def service_tree(session, key=SERVICE):
    """Every value below the driver's service key, by key path and name."""
    snapshot = session.registry.snapshot(key)
    if snapshot is None:
        return None
    tree = {(key, name): value for name, value in snapshot.values.items()}
    for subkey in snapshot.subkeys:
        tree.update(service_tree(session, f"{key}\\{subkey}"))
    return tree


def listing(session):
    """The files of the driver's folder and of the system folder's applets."""
    velmuro = session.prefix.unix_path(r"C:\windows\Velmuro")
    system = session.prefix.unix_path(r"C:\windows\system32")
    files = sorted(p.name for p in velmuro.iterdir()) if velmuro.is_dir() else []
    return files, sorted(p.name for p in system.glob("*.cpl"))


class Setup:
    """The setup program and its uninstaller in one session."""

    def __init__(self, session):
        self.session = session
        self.exe = package_file(session, "Setup")

    def run_silently(self):
        code, out, err = self.session.prefix.run([self.exe, "/S"], timeout=SLOW)
        return code

    def expect_installed(self):
        for target, path in TOOLS.items():
            installed = self.session.prefix.unix_path(path)
            expect_true(f"{path}", installed.is_file(), "installed", "missing")
            expect_true(f"{path} bytes", installed.read_bytes() ==
                        self.session.config.exe(target).read_bytes(), "the same as dist/",
                        "different")
        registry = self.session.registry
        registry.expect(UNINSTALL, "DisplayName", RegValue.sz("TouchScreen Tools"))
        registry.expect(UNINSTALL, "DisplayVersion", RegValue.sz(os.environ["TOUCH_VERSION"]))
        registry.expect(UNINSTALL, "Publisher", RegValue.sz("Brevanto"))
        registry.expect(UNINSTALL, "UninstallString", RegValue.sz(f'"{UNINSTALLER}"'))
        size = registry.get(UNINSTALL, "EstimatedSize")
        tools = sum(Path(os.environ[f"TOUCH_EXE_{tool}"]).stat().st_size
                    for tool in ("Pintara", "Scrivet", "Panelo")) // 1024
        expect_true("EstimatedSize", size is not None and abs(size.as_dword - tools) <= 3,
                    f"the tools' size in kilobytes, {tools}", size)

    def uninstall_silently(self):
        """The uninstaller runs from a copy of itself and returns at once: wait for its work."""
        code, out, err = self.session.prefix.run([UNINSTALLER, "/S"], timeout=SLOW)
        expect_equal("uninstaller exit code", 0, code, out + err)
        self.session.wait_until(
            "uninstall done", lambda: not self.session.registry.exists(UNINSTALL) and not any(
                self.session.prefix.unix_path(p).exists() for p in [*TOOLS.values(), UNINSTALLER]),
            timeout=SLOW, seen=lambda: str(listing(self.session)))


class SetupTest(unittest.TestCase):
    def test_install_again_and_uninstall_leave_the_drivers_things_alone(self):
        with Session.for_test(self) as s:
            registry = s.registry
            registry.set(SERVICE, "ImagePath",
                         RegValue.expand_sz(r"\SystemRoot\system32\drivers\Velmuro.sys"))
            panelo.set_parameters(s, dict(MouseMode=1, CalibrateMargin=7))
            registry.set(panelo.parameters_key(), "Calibration", RegValue.binary(CALIBRATION))
            s.prefix.unix_path(r"C:\windows\Velmuro").mkdir()
            s.prefix.unix_path(DRIVER_FILE).write_bytes(b"the driver's own file")
            driver_before = service_tree(s)
            files_before = listing(s)

            setup = Setup(s)
            expect_equal("setup exit code", 0, setup.run_silently())
            setup.expect_installed()
            expect_equal("driver's entry after install", driver_before, service_tree(s))

            # The control panel finds the applet by name in the system folder.
            control = s.start("control", "Panelo.cpl")
            sheet = panelo.Sheet(s)
            sheet.wait_open(timeout=SLOW)
            sheet.press(panelo.IDCANCEL)
            control.expect_exit(0, timeout=SLOW, describe=s.describe)

            # The applet's own apply at its exit writes the settings; the setup must not.
            driver_before = service_tree(s)
            expect_equal("second setup exit code", 0, setup.run_silently())
            setup.expect_installed()
            expect_equal("driver's entry after the second install", driver_before,
                         service_tree(s))

            setup.uninstall_silently()
            expect_equal("files after uninstall", files_before, listing(s))
            expect_equal("driver's entry after uninstall", driver_before, service_tree(s))
            registry.expect(panelo.parameters_key(), "Calibration", RegValue.binary(CALIBRATION))
            expect_true("driver's own file", s.prefix.unix_path(DRIVER_FILE).is_file(), "kept",
                        "removed")

    def test_a_running_tool_makes_the_silent_setup_fail_before_any_change(self):
        with Session.for_test(self) as s:
            setup = Setup(s)
            drawing = ShippedDrawTest(s, "running")
            expect_equal("setup exit code with the draw test running", EXIT_TOOL_RUNNING,
                         setup.run_silently())
            for path in [*TOOLS.values(), UNINSTALLER]:
                expect_true(path, not s.prefix.unix_path(path).exists(), "not installed",
                            "installed")
            expect_true("uninstall entry", not s.registry.exists(UNINSTALL), "absent",
                        "present")
            drawing.key("Escape")
            drawing.expect_exit(timeout=SLOW)
            expect_equal("setup exit code once it ended", 0, setup.run_silently())
            setup.expect_installed()

    def test_the_uninstaller_waits_until_its_own_file_is_free(self):
        with Session.for_test(self) as s:
            setup = Setup(s)
            files_before = listing(s)
            expect_equal("setup exit code", 0, setup.run_silently())
            # Held the way the launcher that starts the uninstaller's copy holds it while it ends.
            holder = s.start(s.config.probe, "hold", UNINSTALLER, 4000)
            s.wait_until("uninstaller held", lambda: "held" in holder.output(), timeout=SLOW,
                         seen=holder.output)
            setup.uninstall_silently()
            expect_equal("files after uninstall", files_before, listing(s))
            holder.expect_exit(0, timeout=SLOW)

    def test_the_first_page_speaks_the_systems_language(self):
        with Session.for_test(self) as s:
            setup = Setup(s)
            for locale, title, welcome in WELCOME_PAGES:
                program = s.start(setup.exe, locale=locale)
                s.wait_window(title, timeout=SLOW)
                s.wait_until("welcome text", lambda: welcome in (
                    s.windows.item_text(title, WELCOME_TEXT) or ""), timeout=SLOW,
                    expected=repr(welcome), seen=lambda: repr(s.windows.item_text(title,
                                                                                 WELCOME_TEXT)))
                settled_screenshot(s, f"welcome-{locale[:5]}")
                program.close()
                s.wait_window_gone(title, timeout=SLOW)


def settled_screenshot(session, label, tries=20):
    """A screenshot once painting has ended: two in a row alike."""
    previous = session.screenshot(label).path.read_bytes()
    for _ in range(tries):
        time.sleep(0.2)
        shot = session.screenshot(label)
        current = shot.path.read_bytes()
        if current == previous:
            return shot
        previous = current
    return shot


if __name__ == "__main__":
    harness.main()
