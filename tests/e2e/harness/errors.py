"""Failure types of the end-to-end harness.

`Mismatch` is an AssertionError, so unittest reports it as a test failure; its message always
names what was expected and what was seen. `HarnessError` means the test bench itself could not
do its job (Xvfb would not start, a binary is missing, a Wine command hung).
"""


class HarnessError(RuntimeError):
    """The harness could not set up or drive the test bench."""


class Mismatch(AssertionError):
    """What the test expected differs from what the system showed."""

    def __init__(self, what, expected, seen, detail=None):
        message = f"{what}: expected {expected}, saw {seen}"
        if detail:
            message += f"\n{detail}"
        super().__init__(message)
        self.expected = expected
        self.seen = seen


def expect_equal(what, expected, seen, detail=None):
    """Raises Mismatch unless seen == expected."""
    if seen != expected:
        raise Mismatch(what, repr(expected), repr(seen), detail)


def expect_true(what, condition, expected, seen, detail=None):
    """Raises Mismatch with the given descriptions unless condition holds."""
    if not condition:
        raise Mismatch(what, expected, seen, detail)
