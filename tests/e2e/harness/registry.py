"""Exact registry access inside a prefix: types, sizes and bytes as stored."""

import struct
from dataclasses import dataclass, field

from .errors import HarnessError, Mismatch
from .probe import EXIT_NO_KEY, EXIT_NO_VALUE, EXIT_OK

REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_MULTI_SZ = 0, 1, 2, 3, 4, 7
TYPE_NAMES = {REG_NONE: "REG_NONE", REG_SZ: "REG_SZ", REG_EXPAND_SZ: "REG_EXPAND_SZ",
              REG_BINARY: "REG_BINARY", REG_DWORD: "REG_DWORD", REG_MULTI_SZ: "REG_MULTI_SZ"}


@dataclass(frozen=True)
class RegValue:
    """A registry value as stored: its type number and its exact bytes."""

    type: int
    data: bytes

    @classmethod
    def dword(cls, number):
        return cls(REG_DWORD, struct.pack("<I", number & 0xFFFFFFFF))

    @classmethod
    def sz(cls, text, terminated=True):
        """REG_SZ in UTF-16LE, with or without the terminating zero character."""
        return cls(REG_SZ, (text + ("\0" if terminated else "")).encode("utf-16-le"))

    @classmethod
    def expand_sz(cls, text, terminated=True):
        return cls(REG_EXPAND_SZ, (text + ("\0" if terminated else "")).encode("utf-16-le"))

    @classmethod
    def binary(cls, data):
        return cls(REG_BINARY, bytes(data))

    @property
    def as_dword(self):
        """The value as a 32-bit number; raises Mismatch unless it is a 4-byte REG_DWORD."""
        if self.type != REG_DWORD or len(self.data) != 4:
            raise Mismatch("registry value", "a 4-byte REG_DWORD", str(self))
        return struct.unpack("<I", self.data)[0]

    @property
    def as_text(self):
        """UTF-16LE text without one terminating zero character, if there is one."""
        text = self.data.decode("utf-16-le", errors="replace")
        return text[:-1] if text.endswith("\0") else text

    def __str__(self):
        kind = TYPE_NAMES.get(self.type, f"type {self.type}")
        shown = f"{kind} {len(self.data)} bytes {self.data.hex() or '(empty)'}"
        if self.type == REG_DWORD and len(self.data) == 4:
            shown += f" ({struct.unpack('<I', self.data)[0]})"
        elif self.type in (REG_SZ, REG_EXPAND_SZ) and len(self.data) % 2 == 0:
            shown += f" ({self.data.decode('utf-16-le', errors='replace')!r})"
        return shown


@dataclass
class KeySnapshot:
    """Everything directly in one key: its values by name and the names of its subkeys."""

    values: dict = field(default_factory=dict)
    subkeys: list = field(default_factory=list)

    def describe(self):
        lines = [f"  {name!r}: {value}" for name, value in sorted(self.values.items())]
        lines += [f"  [{name}]" for name in sorted(self.subkeys)]
        return "\n".join(lines) or "  (empty key)"


def _value(type_text, size_text, hex_text):
    data = bytes.fromhex(hex_text)
    if len(data) != int(size_text):
        raise HarnessError(f"touchprobe printed size {size_text} with {len(data)} bytes of data")
    return RegValue(int(type_text), data)


class Registry:
    """Keys are written "HKLM\\SYSTEM\\..." or "HKCU\\..."; value "" is the default value."""

    def __init__(self, probe):
        self._probe = probe

    def get(self, key, name):
        """The value, or None when the key or the value does not exist."""
        code, lines = self._probe.call("regget", key, name,
                                       accept=(EXIT_OK, EXIT_NO_VALUE, EXIT_NO_KEY))
        return _value(*lines[0].split("\t")) if code == EXIT_OK else None

    def set(self, key, name, value):
        """Writes exactly `value` (a RegValue), creating the key if needed."""
        self._probe.call("regset", key, name, str(value.type), value.data.hex() or "-")

    def set_dword(self, key, name, number):
        self.set(key, name, RegValue.dword(number))

    def delete_value(self, key, name):
        """Deletes a value; returns False when there was none."""
        code, _ = self._probe.call("regdel", key, name,
                                   accept=(EXIT_OK, EXIT_NO_VALUE, EXIT_NO_KEY))
        return code == EXIT_OK

    def delete_key(self, key):
        """Deletes a key with everything below it; returns False when there was none."""
        code, _ = self._probe.call("regdelkey", key, accept=(EXIT_OK, EXIT_NO_KEY))
        return code == EXIT_OK

    def snapshot(self, key):
        """A KeySnapshot of the key, or None when it does not exist."""
        code, lines = self._probe.call("reglist", key, accept=(EXIT_OK, EXIT_NO_KEY))
        if code != EXIT_OK:
            return None
        snapshot = KeySnapshot()
        for line in lines:
            parts = line.split("\t")
            if parts[0] == "key":
                snapshot.subkeys.append(parts[1])
            else:
                snapshot.values[parts[4]] = _value(parts[1], parts[2], parts[3])
        return snapshot

    def exists(self, key):
        return self.snapshot(key) is not None

    def expect(self, key, name, expected):
        """Raises Mismatch unless the value is exactly `expected` (a RegValue, or None for
        "absent")."""
        seen = self.get(key, name)
        if seen != expected:
            raise Mismatch(f"registry {key} value {name!r}",
                           "no value" if expected is None else str(expected),
                           "no value" if seen is None else str(seen))
