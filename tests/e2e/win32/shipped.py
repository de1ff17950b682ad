"""The package files the 32-bit tests run: the very files laid out in dist/, which must be
32-bit x86 (a test on an x86-64 stand-in would prove nothing about the package)."""

import scrivet
from harness import expect_equal
from harness.config import pe_machine

# Under emulation 32-bit code runs many times slower than native; every wait polls, so a
# generous limit costs nothing when the program is quick.
SLOW = 60

_I386 = 0x14C


def package_file(session, target):
    """The path of a package file ("Pintara", "Scrivet", "Panelo"), checked to be i386."""
    path = session.config.exe(target)
    expect_equal(f"PE machine of {path}", hex(_I386), hex(pe_machine(path)))
    return path


class ShippedDrawTest(scrivet.DrawTest):
    """The draw test with waits long enough for emulated 32-bit code on a busy machine: each
    scrivetprobe call is a Wine process of its own."""

    def call(self, *args, timeout=SLOW):
        return super().call(*args, timeout=timeout)

    def wait_surface(self, timeout=SLOW):
        return super().wait_surface(timeout)

    def wait_shot(self, label, check, timeout=SLOW):
        return super().wait_shot(label, check, timeout)
