"""Cleans up after a test process that died without cleaning up itself (killed by a CTest
timeout, say): a Session reports its Xvfb and its prefix to a janitor process, and tells it
"done" once it has ended them itself. Without "done", when the test process is gone, the
janitor ends the prefix's wineserver (which -p would otherwise keep forever), deletes the
prefix and stops the Xvfb.

The janitor leaves the test's process tree at once, so killing that tree does not kill it."""

import os
import shutil
import signal
import subprocess
import sys


class Janitor:
    """The test process's end of the janitor."""

    def __init__(self):
        read_fd, self._write_fd = os.pipe()
        starter = subprocess.Popen([sys.executable, __file__, str(read_fd)], pass_fds=(read_fd,),
                                   start_new_session=True, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(read_fd)
        starter.wait()

    def watch(self, kind, value):
        """Reports an Xvfb ("xvfb", pid) or a prefix ("prefix", path) to clean up."""
        os.write(self._write_fd, f"{kind} {value}\n".encode())

    def release(self):
        """Everything reported has been cleaned up by the test itself."""
        if self._write_fd is not None:
            os.write(self._write_fd, b"done\n")
            os.close(self._write_fd)
            self._write_fd = None


def _is_xvfb(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return os.path.basename(f.read().split(b"\0")[0]) == b"Xvfb"
    except OSError:
        return False


def _clean_up_after(fd):
    xvfbs, prefixes = [], []
    with os.fdopen(fd, "rb") as reports:
        for line in reports:
            kind, _, value = line.decode().rstrip("\n").partition(" ")
            if kind == "done":
                return
            (xvfbs if kind == "xvfb" else prefixes).append(value)
    for prefix in prefixes:
        subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix),
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60, check=False)
        shutil.rmtree(prefix, ignore_errors=True)
    for pid in xvfbs:
        if _is_xvfb(int(pid)):
            os.kill(int(pid), signal.SIGTERM)


if __name__ == "__main__":
    if os.fork() == 0:
        _clean_up_after(int(sys.argv[1]))
    os._exit(0)
