"""A private Wine prefix per test, copied from the build tree's template, with its own
wineserver kept alive for the test's whole life."""

import os
import shutil
import subprocess
import tempfile
from pathlib import Path, PureWindowsPath

from .errors import HarnessError
from .heapcheck import CHECKED, UNCHECKED

# Major and minor version number of each Windows a prefix can be set to report.
WINDOWS_VERSIONS = {"win2k": (5, 0), "winxp": (5, 1), "win7": (6, 1)}

# The system default locale identifier Wine derives from each Unix locale.
LOCALE_LCIDS = {
    "en_US.UTF-8": 1033,
    "zh_CN.UTF-8": 2052,
    "zh_TW.UTF-8": 1028,
    "ja_JP.UTF-8": 1041,
}


def _run_quietly(command, env, timeout, what):
    try:
        result = subprocess.run(command, env=env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
    except subprocess.TimeoutExpired:
        raise HarnessError(f"{what} did not finish within {timeout} s: {command}") from None
    if result.returncode != 0:
        raise HarnessError(f"{what} failed with exit code {result.returncode}: {command}\n"
                           f"{result.stdout.decode(errors='replace')}")


class WinePrefix:
    """One test's prefix. `run` and `start` execute Windows programs inside it; those of ours
    run under Wine's heap checks, their standard error kept for the HeapCheck `heap`."""

    def __init__(self, config, janitor, display_name, heap, locale="en_US.UTF-8", desktop=None):
        """With `desktop` (width, height) the prefix's programs share a Wine virtual desktop of
        that size, whose resolution a program can change as on Windows."""
        self.config = config
        self.heap = heap
        self.wine = config.wine
        self.locale = locale
        root = config.wine_root
        _run_quietly([str(config.source_dir / "scripts/wine/make-template"), str(root),
                      config.arch], None, 600, "making the Wine prefix template")
        self.path = Path(tempfile.mkdtemp(prefix="e2e.", dir=root))
        janitor.watch("prefix", self.path)
        self._server_started = False
        try:
            _run_quietly(["cp", "-a", f"{root}/template/.", str(self.path)], None, 120,
                         "copying the prefix template")
            self._base_env = dict(os.environ)
            self._base_env.pop("WAYLAND_DISPLAY", None)
            self._base_env.update(WINEPREFIX=str(self.path), WINEDEBUG=UNCHECKED,
                                  DISPLAY=display_name,
                                  WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
            # Without -p wineserver, and the drivers with it, go away 3 s after the last program.
            subprocess.run(["wineserver", "-p"], env=self.env(), stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30,
                           check=True)
            self._server_started = True
            if config.windows_version:
                if config.windows_version not in WINDOWS_VERSIONS:
                    raise HarnessError(f"unknown Windows version {config.windows_version!r}")
                self.run_quietly(["reg", "add", "HKCU\\Software\\Wine", "/v", "Version", "/d",
                                  config.windows_version, "/f"], timeout=120)
            if desktop:
                explorer = "HKCU\\Software\\Wine\\Explorer"
                self.run_quietly(["reg", "add", explorer, "/v", "Desktop", "/d", "Default", "/f"])
                self.run_quietly(["reg", "add", explorer + "\\Desktops", "/v", "Default", "/d",
                                  "%dx%d" % desktop, "/f"])
            # Services started now inherit this command's output: never a pipe someone reads.
            self.run_quietly(["cmd", "/c", "exit"], timeout=120)
        except BaseException:
            self.close()
            raise

    def env(self, locale=None, args=None):
        """The environment of a Wine process in this prefix, under `locale` (default: the
        prefix's); with the heap checks when the command `args` is ours."""
        env = dict(self._base_env)
        env["LC_ALL"] = env["LANG"] = locale or self.locale
        env.pop("LANGUAGE", None)
        if args is not None and self.heap.applies(args):
            env["WINEDEBUG"] = CHECKED
        return env

    def run(self, args, timeout=30, locale=None):
        """Runs a Windows program (path or builtin name plus arguments) to its end. Returns
        (exit code, standard output as text, standard error as text)."""
        command = [self.wine, *map(str, args)]
        try:
            result = subprocess.run(command, env=self.env(locale, args), stdin=subprocess.DEVNULL,
                                    capture_output=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"{command} did not end within {timeout} s") from None
        if self.heap.applies(args):
            self.heap.keep(args, result.stderr)
        return (result.returncode, result.stdout.decode("utf-8", errors="replace"),
                result.stderr.decode("utf-8", errors="replace"))

    def run_quietly(self, args, timeout=60, checked=True):
        """Runs a Windows program to its end with no input and no output but the standard error
        of ours, kept for the heap checks; returns its exit code. With `checked` False it runs
        as Wine's own programs do, without the checks."""
        checked = checked and self.heap.applies(args)
        errors = self.heap.error_file(args) if checked else subprocess.DEVNULL
        try:
            return subprocess.run([self.wine, *map(str, args)],
                                  env=self.env(args=args if checked else None),
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                  stderr=errors, timeout=timeout, check=False).returncode
        finally:
            if errors is not subprocess.DEVNULL:
                errors.close()

    def run_ok(self, args, timeout=30, locale=None):
        """Like run, for commands that must succeed; returns standard output."""
        code, out, err = self.run(args, timeout, locale)
        if code != 0:
            raise HarnessError(f"{[str(a) for a in args]} ended with {code}, expected 0\n"
                               f"{out}{err}")
        return out

    def start(self, args, output, locale=None, display=True):
        """Starts a Windows program without waiting; its output goes to the open file `output`.
        Without `display` it gets no X display, so it can open no window at all. Returns the
        Popen of the Wine loader, whose exit code is the program's."""
        env = self.env(locale, args)
        if not display:
            env.pop("DISPLAY")
        if self.heap.applies(args):
            self.heap.watch(args, output.name)
        return subprocess.Popen([self.wine, *map(str, args)], env=env,
                                stdin=subprocess.DEVNULL, stdout=output,
                                stderr=subprocess.STDOUT)

    def start_piped(self, args):
        """Starts a helper of ours that talks through pipes: returns its Popen, with stdin and
        stdout as binary pipes. Its standard error, kept for the heap checks, goes to the file
        named by the Popen's `errors_path`, apart from its answers."""
        with self.heap.error_file(args) as errors:
            process = subprocess.Popen([self.wine, *map(str, args)], env=self.env(args=args),
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                       stderr=errors)
        process.errors_path = errors.name
        return process

    def unix_path(self, windows_path):
        """The file inside the prefix for a path on drive C: such as C:\\windows\\x.exe."""
        path = PureWindowsPath(windows_path)
        if path.drive.upper() != "C:":
            raise HarnessError(f"{windows_path} is not on drive C:")
        result = self.path / "drive_c"
        for part in path.parts[1:]:
            matches = [p for p in result.iterdir() if p.name.lower() == part.lower()] \
                if result.is_dir() else []
            result = matches[0] if matches else result / part
        return result

    def copy_in(self, source, windows_path):
        """Copies a file from the build into the prefix, creating folders as needed."""
        target = self.unix_path(windows_path)
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(source, target)
        return target

    def close(self, keep=False):
        """Ends every Wine process of the prefix and deletes it unless `keep`."""
        if self._server_started:
            subprocess.run(["wineserver", "-k"], env=self._base_env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30,
                           check=False)
            subprocess.run(["wineserver", "-w"], env=self._base_env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30,
                           check=False)
            self._server_started = False
        if not keep:
            shutil.rmtree(self.path, ignore_errors=True)
