"""Decodes the stand-in driver's RequestLog (format in standin_driver/standin.h).

The value is a sequence of entries: five little-endian 32-bit words (code, input length, output
length, NTSTATUS returned, n) followed by n bytes, the first n bytes of the request's input
(n = min(input length, 64)).
"""

import struct
from dataclasses import dataclass

from .errors import HarnessError

CLOSE_PORT = 0x222004
OPEN_PORT = 0x222008
SET_CALIBRATION = 0x222010
READ_RAW_POINT = 0x222014
SET_PARAMETERS = 0x222018
TEST_BEEP = 0x22201C

REQUEST_NAMES = {CLOSE_PORT: "ClosePort", OPEN_PORT: "OpenPort",
                 SET_CALIBRATION: "SetCalibration", READ_RAW_POINT: "ReadRawPoint",
                 SET_PARAMETERS: "SetParameters", TEST_BEEP: "TestBeep"}

STATUS_SUCCESS = 0x00000000
STATUS_INVALID_PARAMETER = 0xC000000D
STATUS_INVALID_DEVICE_REQUEST = 0xC0000010
STATUS_BUFFER_TOO_SMALL = 0xC0000023
STATUS_PORT_DISCONNECTED = 0xC0000037
STATUS_DEVICE_NOT_READY = 0xC00000A3

_HEADER = struct.Struct("<5I")


@dataclass(frozen=True)
class Request:
    """One device-control request the driver received, and what it answered."""

    code: int
    input_length: int
    output_length: int
    status: int
    input: bytes

    @property
    def name(self):
        return REQUEST_NAMES.get(self.code, f"0x{self.code:06x}")

    @property
    def words(self):
        """The kept input as little-endian 32-bit words."""
        count = len(self.input) // 4
        return list(struct.unpack(f"<{count}I", self.input[:count * 4]))

    def __str__(self):
        text = (f"{self.name}(in {self.input_length}, out {self.output_length}) "
                f"-> 0x{self.status:08x}")
        return text + (f" input {self.input.hex()}" if self.input else "")


def decode(data):
    """The list of Requests in a RequestLog value's bytes."""
    requests = []
    offset = 0
    while offset < len(data):
        if len(data) - offset < _HEADER.size:
            raise HarnessError(f"RequestLog ends inside an entry header at byte {offset}")
        code, in_length, out_length, status, kept = _HEADER.unpack_from(data, offset)
        offset += _HEADER.size
        if kept > len(data) - offset or kept != min(in_length, 64):
            raise HarnessError(f"RequestLog entry at byte {offset - _HEADER.size} keeps {kept} "
                               f"of {in_length} input bytes; {len(data) - offset} remain")
        requests.append(Request(code, in_length, out_length, status,
                                bytes(data[offset:offset + kept])))
        offset += kept
    return requests


def describe(requests):
    """The requests one per line, for failure messages."""
    return "\n".join(f"  {i}: {r}" for i, r in enumerate(requests)) or "  (no requests)"
