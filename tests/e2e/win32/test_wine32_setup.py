"""The setup program, run as a user runs it on 32-bit Windows: it puts the three tools where
they belong, registers its uninstaller, replaces its own files when run again, refuses to
replace a running tool, speaks the system's language, and its uninstaller takes away exactly
what it added. The driver's service entry and the user's calibration stay untouched. Every run
ends all-or-nothing, and its exit code says which: a file in use (the applet loaded by the
control panel) is replaced or removed at the next restart, a file an indexer holds is never lost,
and an older version, a 64-bit Windows, a limited user, a tool running anywhere or a removal
awaiting its restart are refused before anything changes. Runs wait for each other, and a removal
whose restart has come but whose run-once command never ran, also one by the previous release, is
finished by the next setup, whose install the late run-once command then leaves alone. A standard
user cannot hold setup up."""

import dataclasses
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

import harness
from harness import Config, RegValue, Session, expect_equal, expect_true

import panelo
from shipped import SLOW, ShippedDrawTest, package_file

UNINSTALL = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VelmuroTouchTools"
SERVICE = r"HKLM\SYSTEM\CurrentControlSet\Services\Velmuro"
TOOLS = {"Pintara": r"C:\windows\Velmuro\Pintara.exe",
         "Scrivet": r"C:\windows\Velmuro\Scrivet.exe",
         "Panelo": r"C:\windows\system32\Panelo.cpl"}
UNINSTALLER = r"C:\windows\Velmuro\TouchToolsUninstall.exe"
QUIET_UNINSTALL = f'"{UNINSTALLER}" /S _?=C:\\windows\\Velmuro'
RUNONCE = r"HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce"
RUNONCE_VALUE = "!VelmuroTouchTools"
RUNONCE_COMMAND = f'"{UNINSTALLER}" /S /RUNONCE _?=C:\\windows\\Velmuro'
# The previous release's removals named their value without "!" and set no restart mark; its
# installer script is the last one before the mark came.
RUNONCE_VALUE_BEFORE = RUNONCE_VALUE[1:]
PREVIOUS_RELEASE = "211fccb2432c3e26e512f8e50e943235c53cf40e"
RESTART_MARK = UNINSTALL + r"\RestartPending"
LOCK = r"C:\windows\VelmuroTouchToolsSetup.lock"
# The lock of the release before, a mutex any user could take.
FORMER_LOCK = r"Global\VelmuroTouchToolsSetup"
STARTMENU = r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs"
# The Start-menu folder in either language, and its entries as an English system has them.
SHORTCUT_FOLDERS = ("TouchScreen Tools", "触摸屏工具")
SHORTCUTS = ["TouchScreen Tools/Calibrate.lnk", "TouchScreen Tools/Draw Test.lnk"]
PENDING = (r"HKLM\System\CurrentControlSet\Control\Session Manager",
           "PendingFileRenameOperations")
DRIVER_FILE = r"C:\windows\Velmuro\Velmuro.inf"
CALIBRATION = bytes(range(1, 29))
EXIT_TOOL_RUNNING = 3
EXIT_NOT_ADMINISTRATOR = 4
EXIT_WINDOWS_64 = 5
EXIT_NEWER_INSTALLED = 6
EXIT_REMOVAL_PENDING = 7
EXIT_LOCK_NOT_OURS = 8
# 3010; Wine's loader passes exit codes on modulo 256.
EXIT_RESTART_NEEDED = 3010 % 256
IDNO = 7
MESSAGE_TEXT = 0xFFFF
OLDER_VERSION = "1.0.0.0"
# Appended to the older build's files: the loader ignores it, the tests tell the builds apart.
OLDER_MARK = b"older build"
# The welcome page's body text control, and the button that goes on to the next page.
WELCOME_TEXT = 1202
NEXT = 1
SETUP_TITLE = "TouchScreen Tools Setup"
# The finish page (its caption gains a space) and its choice to restart later, offered when a
# file awaits the restart.
FINISH_TITLE = SETUP_TITLE + " "
REBOOT_LATER = 1204
WELCOME_PAGES = (
    ("en_US.UTF-8", "TouchScreen Tools Setup",
     "Setup will guide you through the installation of TouchScreen Tools."),
    ("zh_CN.UTF-8", "触摸屏工具 安装", "此程序将引导你完成 触摸屏工具 的安装。"),
)
NEWER_INSTALLED = {
    "en_US.UTF-8": "Version 99.0.0.0 of TouchScreen Tools is installed, newer than this version "
                   "{}. Replace it with the older version?",
    "zh_CN.UTF-8": "已安装触摸屏工具 99.0.0.0 版，比此版本 {} 更新。是否用旧版本替换它？",
}


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
    """The files of the driver's folder and of the system folder's applets and staged files."""
    velmuro = session.prefix.unix_path(r"C:\windows\Velmuro")
    system = session.prefix.unix_path(r"C:\windows\system32")
    files = sorted(p.name for p in velmuro.iterdir()) if velmuro.is_dir() else []
    return files, sorted(p.name for p in system.glob("*.cpl*"))


def shortcuts(session):
    """The package's Start-menu entries for all users, as folder/name, in either language."""
    programs = session.prefix.unix_path(STARTMENU)
    return sorted(f"{folder}/{p.name}" for folder in SHORTCUT_FOLDERS
                  for p in (programs / folder).glob("*"))


def pending(session, path=""):
    """The file operations the next start of Windows performs on `path` (on any file by
    default)."""
    value = session.registry.get(*PENDING)
    operations = value.as_text.split("\0") if value else []
    return [op for op in operations if op and path.lower() in op.lower()]


def hold(session, *probe_command):
    """Starts the probe's `hold` or `lock` command; returns it once it holds."""
    holder = session.start(session.config.probe, *probe_command)
    session.wait_until(f"{probe_command} held", lambda: "held" in holder.output(), timeout=SLOW,
                       seen=holder.output)
    return holder


def hold_file(session, path, how="alone"):
    """Keeps the file open as long as the test needs: alone as a running program or the control
    panel holds it, shared as an indexer, image as a program running in another session."""
    return hold(session, "hold", path, 3600000, how)


def restart(session, logon=True):
    """What the next start of Windows does for the package: the pending file operations and the
    end of volatile keys, then, at an administrator's logon only, the machine's run-once
    commands."""
    session.registry.delete_key(RESTART_MARK)
    names = () if logon else (RUNONCE_VALUE, RUNONCE_VALUE_BEFORE)
    kept = {name: session.registry.get(RUNONCE, name) for name in names}
    for name in kept:
        session.registry.delete_value(RUNONCE, name)
    session.prefix.run_quietly(["wineboot", "-r"], timeout=SLOW)
    for name, value in kept.items():
        if value:
            session.registry.set(RUNONCE, name, value)


def as_limited_user(session, exe, *args):
    """Runs `exe` (in the build tree or the prefix) on a token whose Administrators group is
    deny-only, as a limited user or a Windows 7 administrator not elevated; its exit code."""
    path = str(exe) if str(exe).startswith("C:") else "Z:" + str(exe).replace("/", "\\")
    program = session.start(session.config.probe, "restricted",
                            subprocess.list2cmdline([path, *args]))
    return program.wait(timeout=SLOW, describe=session.describe)


def start_runonce_command(session):
    """Starts the command a removal left for Windows to run once, as Windows starts it."""
    value = session.registry.get(RUNONCE, RUNONCE_VALUE).as_text
    program, arguments = re.fullmatch(r'"([^"]+)" (.*)', value).groups()
    return session.start(program, *arguments.split())


def removal_copy_ended(session):
    """The uninstaller's removal copy, started from a temporary file, leaves that file to the
    restart as its last step."""
    return any(re.search(r"\\ns\w*\.tmp$", op, re.IGNORECASE) for op in pending(session))


def answer_message(session, exe, locale, title, text, button, code):
    """Starts `exe`, waits for its message box, presses `button` and expects exit code `code`."""
    program = session.start(exe, locale=locale)
    session.wait_until("message box text", lambda: session.windows.child_text(
        title, MESSAGE_TEXT) == text, timeout=SLOW, expected=repr(text),
        seen=lambda: repr(session.windows.child_text(title, MESSAGE_TEXT)))
    settled_screenshot(session, f"message-{code}-{locale[:5]}")
    session.input.click(*session.windows.child_rect(title, button).center)
    program.expect_exit(code, timeout=SLOW, describe=session.describe)


class Setup:
    """A setup program and its uninstaller in one session: the one in dist/ unless given."""

    def __init__(self, session, exe=None, version=None, mark=b""):
        self.session = session
        self.exe = exe or package_file(session, "Setup")
        self.version = version or os.environ["TOUCH_VERSION"]
        self.files = {target: session.config.exe(target).read_bytes() + mark for target in TOOLS}

    @classmethod
    def older(cls, session, folder, release=None):
        """A setup of OLDER_VERSION, made in `folder` from dist/'s files with OLDER_MARK, by the
        installer script of this tree or of the commit `release`."""
        script = session.config.source_dir / "installer/TouchTools.nsi"
        if release:
            source = subprocess.run(["git", "-C", session.config.source_dir, "show",
                                     f"{release}:installer/TouchTools.nsi"],
                                    check=True, capture_output=True, timeout=SLOW).stdout
            script = folder / "release.nsi"
            script.write_bytes(source)
        dist = package_file(session, "Setup").parent
        for name in ("Velmuro/Pintara.exe", "Velmuro/Scrivet.exe", "system32/Panelo.cpl"):
            target = folder / "dist" / name
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes((dist / name).read_bytes() + OLDER_MARK)
        exe = folder / "older-setup.exe"
        subprocess.run([shutil.which("makensis"), "-V2", f"-DVERSION={OLDER_VERSION}",
                        f"-DDIST={folder / 'dist'}", f"-DOUTFILE={exe}", str(script)],
                       check=True, stdin=subprocess.DEVNULL, timeout=SLOW)
        return cls(session, exe, OLDER_VERSION, OLDER_MARK)

    def run_silently(self, *options):
        # No pipes: a desktop process the setup may start would keep them open.
        return self.session.prefix.run_quietly([self.exe, "/S", *options], timeout=SLOW)

    def expect_file(self, target):
        path = self.session.prefix.unix_path(TOOLS[target])
        expect_true(TOOLS[target], path.is_file() and path.read_bytes() == self.files[target],
                    f"the one of version {self.version}", "missing" if not path.is_file() else
                    "another")

    def expect_installed(self):
        for target in TOOLS:
            self.expect_file(target)
        expect_equal("Start-menu entries", SHORTCUTS, shortcuts(self.session))
        registry = self.session.registry
        registry.expect(UNINSTALL, "DisplayName", RegValue.sz("TouchScreen Tools"))
        registry.expect(UNINSTALL, "DisplayVersion", RegValue.sz(self.version))
        registry.expect(UNINSTALL, "Publisher", RegValue.sz("Brevanto"))
        registry.expect(UNINSTALL, "UninstallString", RegValue.sz(f'"{UNINSTALLER}"'))
        registry.expect(UNINSTALL, "QuietUninstallString", RegValue.sz(QUIET_UNINSTALL))
        size = registry.get(UNINSTALL, "EstimatedSize")
        tools = sum(Path(os.environ[f"TOUCH_EXE_{tool}"]).stat().st_size
                    for tool in ("Pintara", "Scrivet", "Panelo")) // 1024
        expect_true("EstimatedSize", size is not None and abs(size.as_dword - tools) <= 3,
                    f"the tools' size in kilobytes, {tools}", size)

    def uninstall_quietly(self):
        """Runs the documented silent uninstall (QUIET_UNINSTALL) to its end; its exit code."""
        return self.session.prefix.run_quietly([UNINSTALLER, "/S", r"_?=C:\windows\Velmuro"],
                                               timeout=SLOW)

    def wait_uninstalled(self):
        """The uninstaller's own file goes once the process running from it has ended."""
        self.session.wait_until(
            "uninstall done", lambda: not self.session.registry.exists(UNINSTALL) and not any(
                self.session.prefix.unix_path(p).exists() for p in [*TOOLS.values(), UNINSTALLER])
            and not shortcuts(self.session),
            timeout=SLOW, seen=lambda: f"{listing(self.session)} {shortcuts(self.session)}")

    def uninstall_silently(self):
        """Started without _?=, the uninstaller runs from a copy of itself and returns at once."""
        code, out, err = self.session.prefix.run([UNINSTALLER, "/S"], timeout=SLOW)
        expect_equal("uninstaller exit code", 0, code, out + err)
        self.wait_uninstalled()


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

            expect_equal("documented silent uninstall exit code", 0, setup.uninstall_quietly())
            setup.wait_uninstalled()
            expect_equal("files after uninstall", files_before, listing(s))
            expect_equal("driver's entry after uninstall", driver_before, service_tree(s))
            registry.expect(panelo.parameters_key(), "Calibration", RegValue.binary(CALIBRATION))
            expect_true("driver's own file", s.prefix.unix_path(DRIVER_FILE).is_file(), "kept",
                        "removed")

    def test_a_running_tool_makes_the_silent_setup_fail_before_any_change(self):
        with Session.for_test(self) as s:
            setup = Setup(s)
            expect_equal("setup exit code as a limited user", EXIT_NOT_ADMINISTRATOR,
                         as_limited_user(s, setup.exe, "/S"))
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
            expect_equal("uninstaller exit code as a limited user", EXIT_NOT_ADMINISTRATOR,
                         as_limited_user(s, UNINSTALLER, "/S", r"_?=C:\windows\Velmuro"))
            # Mapped as by a draw test running in another session, whose mutex is not seen here.
            holder = hold_file(s, TOOLS["Scrivet"], "image")
            expect_equal("setup exit code with the draw test running elsewhere", EXIT_TOOL_RUNNING,
                         setup.run_silently())
            holder.close()
            setup.expect_installed()
            ShippedDrawTest(s, "running at uninstall")
            expect_equal("documented silent uninstall exit code with the draw test running",
                         EXIT_TOOL_RUNNING, setup.uninstall_quietly())
            setup.expect_installed()

    def test_a_file_in_use_at_uninstall_stays_listed_until_the_restart(self):
        with Session.for_test(self) as s:
            setup = Setup(s)
            expect_equal("setup exit code", 0, setup.run_silently())
            installed = listing(s)
            # Held as the control panel holds the applet it has loaded.
            holder = hold_file(s, TOOLS["Panelo"])
            expect_equal("documented silent uninstall exit code", EXIT_RESTART_NEEDED,
                         setup.uninstall_quietly())
            for target, path in TOOLS.items():
                expect_equal(f"{path} present", target == "Panelo",
                             s.prefix.unix_path(path).exists())
            expect_true("the file in use", pending(s, TOOLS["Panelo"]), "removed at the restart",
                        pending(s))
            expect_true("uninstall entry and uninstaller", s.registry.exists(UNINSTALL) and
                        s.prefix.unix_path(UNINSTALLER).is_file(), "kept", "removed")
            s.registry.expect(RUNONCE, RUNONCE_VALUE, RegValue.sz(RUNONCE_COMMAND))
            # The restart would take a new install's files with it: refused, nothing written.
            expect_equal("setup exit code before the restart", EXIT_REMOVAL_PENDING,
                         setup.run_silently())
            holder.close()
            # Where only standard users log on, the run-once command never runs: the next setup
            # finishes the removal instead of refusing for good.
            restart(s, logon=False)
            expect_equal("setup exit code after the restart", 0, setup.run_silently())
            setup.expect_installed()
            expect_equal("files", installed, listing(s))
            s.registry.expect(RUNONCE, RUNONCE_VALUE, None)
            expect_equal("file operations left for a restart", [], pending(s))

    def test_the_run_once_command_leaves_the_install_a_setup_made_meanwhile(self):
        with Session.for_test(self) as s:
            setup = Setup(s)
            expect_equal("setup exit code", 0, setup.run_silently())
            holder = hold_file(s, TOOLS["Panelo"])
            expect_equal("documented silent uninstall exit code", EXIT_RESTART_NEEDED,
                         setup.uninstall_quietly())
            holder.close()
            restart(s, logon=False)
            # Setup holds the lock from its first page on: the command, started by an
            # administrator's logon meanwhile, gets it only once setup has finished the removal and
            # installed.
            program = s.start(setup.exe)
            s.wait_window(SETUP_TITLE, timeout=SLOW)
            runonce = start_runonce_command(s)
            s.input.click(*s.windows.child_rect(SETUP_TITLE, NEXT).center)
            # The command runs from the uninstaller's file, which setup replaces at the restart.
            s.wait_until("finish page", lambda: s.windows.item(FINISH_TITLE, REBOOT_LATER),
                         timeout=SLOW)
            s.input.click(*s.windows.item(FINISH_TITLE, REBOOT_LATER).rect.center)
            s.input.click(*s.windows.child_rect(FINISH_TITLE, NEXT).center)
            program.expect_exit(EXIT_RESTART_NEEDED, timeout=SLOW, describe=s.describe)
            runonce.expect_exit(0, timeout=SLOW, describe=s.describe)
            setup.expect_installed()

    def test_a_removal_by_the_previous_release_is_finished_once_the_restart_has_come(self):
        with Session.for_test(self) as s, tempfile.TemporaryDirectory(
                dir=s.config.build_dir) as folder:
            previous, setup = Setup.older(s, Path(folder), PREVIOUS_RELEASE), Setup(s)
            expect_equal("previous release's setup exit code", 0, previous.run_silently())
            holder = hold_file(s, TOOLS["Panelo"])
            expect_equal("previous release's silent uninstall exit code", EXIT_RESTART_NEEDED,
                         previous.uninstall_quietly())
            holder.close()
            expect_equal("setup exit code before the restart", EXIT_REMOVAL_PENDING,
                         setup.run_silently())
            restart(s, logon=False)
            expect_equal("setup exit code after the restart", 0, setup.run_silently())
            setup.expect_installed()
            s.registry.expect(RUNONCE, RUNONCE_VALUE_BEFORE, None)

    def test_a_standard_user_cannot_hold_setup_up(self):
        if Config.current().windows_version:
            self.skipTest("the lock is the same on every Windows: run once, in the default run")
        with Session.for_test(self) as s:
            setup = Setup(s)
            probe = "Z:" + str(s.config.probe).replace("/", "\\")
            hold(s, "restricted", subprocess.list2cmdline([probe, "lock", FORMER_LOCK, "600000"]))
            expect_equal("setup exit code beside a standard user's mutex of the former lock's name",
                         0, setup.run_silently())
            setup.expect_installed()
            # In the lock file's place, something no run of ours can open: refused at once.
            lock = s.prefix.unix_path(LOCK)
            lock.mkdir()
            expect_equal("setup exit code with the lock file's name taken", EXIT_LOCK_NOT_OURS,
                         setup.run_silently())
            lock.rmdir()

    def test_an_upgrade_failing_or_beside_the_loaded_applet_and_a_downgrade(self):
        with Session.for_test(self) as s, tempfile.TemporaryDirectory(
                dir=s.config.build_dir) as folder:
            older, newer = Setup.older(s, Path(folder)), Setup(s)
            expect_equal("older setup exit code", 0, older.run_silently())
            older.expect_installed()
            installed = listing(s)
            # The last file can be neither replaced nor moved aside, and the restart refuses to
            # take it: the files already replaced are taken back, nothing is left behind.
            s.registry.set(*PENDING, RegValue.dword(0))
            holder = hold_file(s, UNINSTALLER)
            expect_equal("setup exit code with a file that cannot be put in place", 2,
                         newer.run_silently())
            holder.close()
            s.registry.delete_value(*PENDING)
            older.expect_installed()
            expect_equal("files after the failed replacement", installed, listing(s))

            # Loaded as the control panel holds it while its sheet is open.
            with panelo.CplHost(s, TOOLS["Panelo"], ["GETCOUNT"], cycles=2, pause=True) as host:
                host.cycle(1)
                code = newer.run_silently()
                expect_true("setup exit code with the applet loaded",
                            code in (0, EXIT_RESTART_NEEDED), "done, or done at the restart",
                            code)
                newer.expect_file("Pintara")
                newer.expect_file("Scrivet")
                if code == 0:
                    newer.expect_installed()
                else:
                    expect_true("applet", pending(s, TOOLS["Panelo"]), "replaced at the restart",
                                pending(s))
                # The loaded applet still answers.
                host.resume()
                expect_equal("answer of the loaded applet", 1, host.cycle(2)[0].result)
                host.finish()
            restart(s)
            newer.expect_installed()
            expect_equal("files after the restart", installed, listing(s))

            expect_equal("older setup exit code over the newer", EXIT_NEWER_INSTALLED,
                         older.run_silently())
            newer.expect_installed()
            # Held so that it cannot even be moved aside: it is replaced at the restart.
            holder = hold_file(s, TOOLS["Panelo"])
            expect_equal("older setup exit code with /FORCE and the applet held",
                         EXIT_RESTART_NEEDED, older.run_silently("/FORCE"))
            older.expect_file("Pintara")
            newer.expect_file("Panelo")
            expect_true("applet", pending(s, TOOLS["Panelo"]), "replaced at the restart",
                        pending(s))
            holder.close()
            restart(s)
            older.expect_installed()
            expect_equal("files after the second restart", installed, listing(s))

            # An indexer holds a program with delete sharing: it is the new one now or at the
            # restart, never lost.
            holder = hold_file(s, TOOLS["Pintara"], "shared")
            code = newer.run_silently()
            holder.close()
            expect_true("setup exit code with a file an indexer holds",
                        code in (0, EXIT_RESTART_NEEDED), "done, or done at the restart", code)
            if code == EXIT_RESTART_NEEDED:
                expect_true("held file", pending(s, TOOLS["Pintara"]), "at the restart", pending(s))
                restart(s)
            newer.expect_installed()
            s.wait_until("files once the indexer let go", lambda: listing(s) == installed,
                         timeout=SLOW, expected=str(installed), seen=lambda: str(listing(s)))

    def test_64_bit_windows_is_refused_before_any_change(self):
        config = Config.current()
        if config.windows_version:
            self.skipTest("a 64-bit prefix reports its own Windows: run once, in the default run")
        config = dataclasses.replace(config, prefix_arch="win64",
                                     wine_root=config.build_dir / "wine64")
        with Session.for_test(self, config=config) as s:
            setup = Setup(s)
            expect_equal("setup exit code", EXIT_WINDOWS_64, setup.run_silently())
            for path in (r"C:\windows\Velmuro", r"C:\windows\system32\Panelo.cpl",
                         r"C:\windows\syswow64\Panelo.cpl"):
                expect_true(path, not s.prefix.unix_path(path).exists(), "absent", "present")
            expect_true("uninstall entry", not s.registry.exists(UNINSTALL), "absent", "present")

    def test_the_uninstaller_waits_until_its_own_file_is_free(self):
        with Session.for_test(self) as s:
            setup = Setup(s)
            files_before = listing(s)
            expect_equal("setup exit code", 0, setup.run_silently())
            # Held the way the launcher that starts the uninstaller's copy holds it while it ends.
            holder = hold(s, "hold", UNINSTALLER, 4000, "alone")
            setup.uninstall_silently()
            expect_equal("files after uninstall", files_before, listing(s))
            holder.expect_exit(0, timeout=SLOW)

    def test_runs_wait_for_each_other(self):
        if Config.current().windows_version:
            self.skipTest("the lock is the same on every Windows: run once, in the default run")
        with Session.for_test(self) as s:
            setup = Setup(s)
            expect_equal("setup exit code", 0, setup.run_silently())
            installed = listing(s)
            # A deployment's uninstall, then its new setup at once: the uninstaller's removal copy
            # runs after the uninstaller and must leave the new install alone.
            expect_equal("documented silent uninstall exit code", 0, setup.uninstall_quietly())
            expect_equal("setup exit code right after it", 0, setup.run_silently())
            s.wait_until("removal copy ended", lambda: removal_copy_ended(s), timeout=SLOW,
                         seen=lambda: str(pending(s)))
            setup.expect_installed()
            expect_true(UNINSTALLER, s.prefix.unix_path(UNINSTALLER).is_file(), "kept", "removed")

            # Started without _?=, the uninstaller hands over to a copy of itself and ends at once;
            # a setup that takes the lock before that copy makes the copy's request stale.
            handover = s.prefix.unix_path(r"C:\windows\temp\Un.exe")
            shutil.copy2(s.prefix.unix_path(UNINSTALLER), handover)
            expect_equal("setup exit code before the copy", 0, setup.run_silently())
            expect_equal("exit code of the uninstaller's copy", 0, s.prefix.run_quietly(
                [handover, "/S", r"_?=C:\windows\Velmuro"], timeout=SLOW))
            setup.expect_installed()

            # Two setups while another run holds the lock: they wait, then run one after the other.
            s.prefix.unix_path(LOCK).touch()
            lock = hold(s, "hold", LOCK, 4000, "alone")
            setups = [s.start(setup.exe, "/S") for _ in range(2)]
            s.wait_until("lock released", lambda: not lock.running or not all(
                p.running for p in setups), timeout=SLOW)
            expect_true("setups while the lock was held", all(p.running for p in setups),
                        "waiting", "one ended")
            for program in setups:
                program.expect_exit(0, timeout=SLOW, describe=s.describe)
            setup.expect_installed()
            expect_equal("files after both", installed, listing(s))

    def test_the_first_page_and_the_refusals_speak_the_systems_language(self):
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

                s.registry.set(UNINSTALL, "DisplayVersion", RegValue.sz("99.0.0.0"))
                answer_message(s, setup.exe, locale, title,
                               NEWER_INSTALLED[locale].format(os.environ["TOUCH_VERSION"]), IDNO,
                               EXIT_NEWER_INSTALLED)
                s.registry.delete_key(UNINSTALL)

            # The uninstaller removes the Start-menu entries whatever language it speaks. (Chinese
            # file names cannot be made here: the host has no Chinese locale for Wine's names.)
            expect_equal("setup exit code", 0, setup.run_silently())
            s.start(UNINSTALLER, "/S", locale="zh_CN.UTF-8").expect_exit(0, timeout=SLOW,
                                                                          describe=s.describe)
            setup.wait_uninstalled()


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
