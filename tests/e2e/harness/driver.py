"""The stand-in touch driver (standin_driver/) inside a test's prefix."""

import struct
import time

from .errors import HarnessError, Mismatch
from .probe import EXIT_NO_DEVICE, EXIT_OK
from .registry import RegValue
from .requestlog import decode, describe

SERVICES = r"HKLM\SYSTEM\CurrentControlSet\Services"


class IoctlResult:
    """What DeviceIoControl gave back: success flag, GetLastError, bytes returned, output."""

    def __init__(self, ok, error, returned, output):
        self.ok, self.error, self.returned, self.output = ok, error, returned, output

    def __repr__(self):
        return (f"IoctlResult(ok={self.ok}, error={self.error}, returned={self.returned}, "
                f"output={self.output.hex() or '-'})")


_INSTALL_TRIES = 3
_CONTROL_TRIES = 3
# How long a failed net command is given to have taken effect after all.
_CONTROL_SETTLE = 3


class StandInDriver:
    """One stand-in driver service ("Velmuro" or "Corvatin") in one prefix.

    Its test state lives in SERVICES\\<name>\\StandIn: the raw-point script, the port switch,
    the open port and the request log; the service's Parameters key is left to the tools."""

    def __init__(self, prefix, registry, probe, name):
        self.prefix, self.registry, self.probe, self.name = prefix, registry, probe, name
        self.service_key = f"{SERVICES}\\{name}"
        self.state_key = f"{self.service_key}\\StandIn"
        self.link = f"\\\\.\\{name}SymLnk1"
        self.installed = False

    def install(self):
        """Copies the driver into system32\\drivers and creates its demand-start service."""
        self.prefix.copy_in(self.prefix.config.standin_driver(self.name),
                            f"C:\\windows\\system32\\drivers\\{self.name}.sys")
        # Wine loads a kernel driver only from an absolute or \SystemRoot path.
        command = ["sc", "create", self.name, "type=", "kernel", "start=", "demand", "error=",
                   "normal", "binPath=", f"\\SystemRoot\\system32\\drivers\\{self.name}.sys"]
        # On a busy machine Wine's sc now and then fails to start ("ShellExecuteEx failed:
        # Internal error") before it has done anything: try again.
        for _ in range(_INSTALL_TRIES):
            code, out, err = self.prefix.run(command)
            if code == 0 or self.registry.get(self.service_key, "ImagePath") is not None:
                break
            time.sleep(1)
        else:
            raise HarnessError(f"{command} ended with {code} {_INSTALL_TRIES} times\n{out}{err}")
        self.installed = True

    def start(self):
        """Starts the service; the driver begins with an empty log and no open port."""
        self._control("start", link_present=True)

    def stop(self):
        """Stops the service: the device link disappears, as with the driver missing."""
        self._control("stop", link_present=False)

    def _control(self, verb, link_present):
        """Runs `net <verb>` until the link is as wanted. On a busy machine Wine's net now and
        then ends with 1 and prints nothing: it never got to the service. What counts is the
        link, so a failed command is only tried again while the link is not yet as wanted."""
        seen = []
        for _ in range(_CONTROL_TRIES):
            code, out, err = self.prefix.run(["net", verb, self.name])
            if code == 0:
                return
            seen.append(f"exit code {code}: {out}{err}")
            deadline = time.monotonic() + _CONTROL_SETTLE
            while time.monotonic() < deadline:
                if self.link_present() == link_present:
                    return
                time.sleep(0.25)
        raise HarnessError(f"net {verb} {self.name} failed {_CONTROL_TRIES} times:\n"
                           + "\n".join(seen))

    def set_script(self, points, failures=()):
        """The raw points ReadRawPoint returns in turn, each (x, y) or (x, y, third word); after
        the last, the last again. At the script positions in `failures` the request fails
        instead (the position still advances past them). Also restarts the script at its first
        point."""
        data = b"".join(struct.pack("<3I", *(tuple(p) + (0,))[:3]) for p in points)
        self.registry.set(self.state_key, "RawScript", RegValue.binary(data))
        self.registry.set(self.state_key, "ReadFailures",
                          RegValue.binary(b"".join(struct.pack("<I", f) for f in failures)))
        self.registry.set_dword(self.state_key, "ScriptPosition", 0)

    def set_port_result(self, succeed):
        """Whether OpenPort and ClosePort succeed (read by the driver at each request)."""
        self.registry.set_dword(self.state_key, "PortResult", 1 if succeed else 0)

    def open_port(self):
        """The port number the driver holds open, 0 when closed."""
        value = self.registry.get(self.state_key, "OpenPort")
        if value is None:
            raise HarnessError(f"{self.name} has not published its port state; is it running?")
        return value.as_dword

    def script_position(self):
        """How many ReadRawPoint requests the current script has answered."""
        value = self.registry.get(self.state_key, "ScriptPosition")
        return 0 if value is None else value.as_dword

    def requests(self, since=0):
        """The Requests the driver received since it started (or since the `mark()` given),
        oldest first."""
        value = self.registry.get(self.state_key, "RequestLog")
        if value is None:
            raise HarnessError(f"{self.name} has no RequestLog; was it ever started?")
        dropped = self.registry.get(self.state_key, "LogDropped")
        if dropped is not None and dropped.as_dword:
            raise HarnessError(f"{self.name} left {dropped.as_dword} requests out of its full log")
        return decode(value.data)[since:]

    def mark(self):
        """A bookmark in the request log for `requests(since=...)`."""
        return len(self.requests())

    def expect_requests(self, expected, since=0):
        """Raises Mismatch unless the log (from the `mark()` given) holds exactly `expected`, a
        list of (request code, input bytes) pairs in order."""
        seen = self.requests(since)
        got = [(r.code, r.input) for r in seen]
        if got != [(code, bytes(data)) for code, data in expected]:
            wanted = "\n".join(f"  {i}: 0x{code:06x} input {bytes(data).hex() or '-'}"
                               for i, (code, data) in enumerate(expected))
            raise Mismatch(f"{self.name} request log", f"\n{wanted}", f"\n{describe(seen)}")

    def ioctl(self, code, data=b"", output_size=0):
        """Sends one raw request through the device link, as the tools open it. Returns an
        IoctlResult, or None when the link cannot be opened."""
        code_seen, lines = self.probe.call("ioctl", self.link, str(code), data.hex() or "-",
                                           str(output_size), accept=(EXIT_OK, EXIT_NO_DEVICE))
        if code_seen == EXIT_NO_DEVICE:
            return None
        ok, error, returned, output = (lines[0].split("\t") + [""])[:4]
        return IoctlResult(ok == "1", int(error), int(returned), bytes.fromhex(output))

    def link_present(self):
        """Whether the device link opens (open and close only: nothing is logged)."""
        code, _ = self.probe.call("open", self.link, accept=(EXIT_OK, EXIT_NO_DEVICE))
        return code == EXIT_OK

    def expect_link(self, present):
        """Raises Mismatch unless the device link can (present) or cannot be opened."""
        seen = self.link_present()
        if seen != present:
            raise Mismatch(f"device link {self.link}", "present" if present else "absent",
                           "present" if seen else "absent")
