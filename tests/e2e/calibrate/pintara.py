"""Driving and reading the calibration program in an end-to-end session."""

import struct

from harness import Mismatch, RegValue, expect_equal, expect_true
from harness.requestlog import READ_RAW_POINT, SET_CALIBRATION
from harness.timing import START, WAIT

TITLE = "TouchScreen Calibrater"
QUESTION = "USB TouchScreen"
PROGRAM = "Pintara"
SERVICE = r"HKLM\SYSTEM\CurrentControlSet\Services\Velmuro"
PARAMETERS = SERVICE + r"\Parameters"
BACKGROUND = (5, 174, 230)
YELLOW = (255, 255, 0)
RED = (255, 0, 0)
MESSAGE_TEXT_ID = 0xFFFF
IDYES, IDNO, IDOK = 6, 7, 1
# Exit codes besides 0: another instance was running; the window could not be opened.
EXIT_ALREADY_RUNNING, EXIT_NO_WINDOW = 2, 3

# Worked cases at 1024 x 768 with margin 4.
UPRIGHT_POINTS = [(300, 400), (310, 3700), (3800, 3690), (3790, 410)]
UPRIGHT_RECORD = (15326, 394673, 26195, 383804, 0, 1024, 768)
SWAPPED_POINTS = [(400, 300), (3700, 310), (3690, 3800), (410, 3790)]
SWAPPED_RECORD = (383804, 26195, 15326, 394673, 1, 1024, 768)
# A pass whose last touch landed half-way down the right edge instead of on the top-right
# target: refused with MISMATCH under the question's caption.
MISCLICK_POINTS = [(250, 350), (260, 3750), (3850, 3740), (3845, 2050)]
MISMATCH = "The touches did not match the targets. Please touch each target again."


def restore_driver_image(session):
    """The program writes the driver's relative image path, which Wine cannot load; a test
    that starts the driver after the program puts back the form Wine resolves."""
    session.registry.set(SERVICE, "ImagePath",
                         RegValue.expand_sz(r"\SystemRoot\system32\drivers\Velmuro.sys"))


def record_bytes(record):
    return struct.pack("<4i3I", *record)


def centres(width, height, margin):
    left, right = width * margin // 100, width * (100 - margin) // 100
    top, bottom = height * margin // 100, height * (100 - margin) // 100
    return [(left, top), (left, bottom), (right, bottom), (right, top)]


def start(session):
    """Starts the program and waits for its full-screen window."""
    program = session.start(session.config.exe(PROGRAM))
    session.wait_window(TITLE, timeout=START)
    return program


def touch(session, point, driver=None, reads_before=0):
    """One touch at a screen point: a left click. With a running driver, waits until the
    program has asked it for the raw point; without one, the caller waits for what the touch
    brings about."""
    session.input.click(*point)
    if driver is None:
        return
    session.wait_until("ReadRawPoint after a touch",
                       lambda: reads(driver) > reads_before,
                       expected=f"more than {reads_before} ReadRawPoint requests",
                       seen=lambda: f"{reads(driver)} requests")


def reads(driver):
    return sum(1 for r in driver.requests() if r.code == READ_RAW_POINT)


def touch_all(session, points, driver=None):
    for point in points:
        touch(session, point, driver, reads(driver) if driver else 0)


def refuse_pass(session, centres, driver, timeout=WAIT):
    """Touches the four targets for a pass the program refuses, waits for its message, takes a
    screenshot, closes the message and waits for the first target again; returns the text."""
    for index, centre in enumerate(centres):
        before = reads(driver)
        session.input.click(*centre)
        session.wait_until(f"ReadRawPoint after touch {index}", lambda: reads(driver) > before,
                           timeout=timeout, expected=f"more than {before} ReadRawPoint requests",
                           seen=lambda: f"{reads(driver)} requests")
    text = wait_message(session, QUESTION, timeout)
    expect_true("cursor for the message", session.windows.cursor()[0], "shown", "hidden")
    session.screenshot("refused")
    press(session, QUESTION, IDOK)
    session.wait_until("target 0 drawn after the refused pass",
                       lambda: session.screenshot("again").pixel(*centres[0]) == YELLOW,
                       timeout=timeout)
    return text


def wait_message(session, caption, timeout=WAIT):
    """Waits for a message box and returns its text."""
    session.wait_window(caption, timeout)
    return session.windows.child_text(caption, MESSAGE_TEXT_ID)


def press(session, caption, button_id):
    """Clicks a button of a message box and waits for the box to close."""
    rect = session.windows.child_rect(caption, button_id)
    if rect is None:
        raise Mismatch(f"button {button_id} of {caption!r}", "present", "absent",
                       session.describe())
    session.input.click(*rect.center)
    session.wait_window_gone(caption)


def expect_calibration(session, record):
    session.registry.expect(PARAMETERS, "Calibration", RegValue.binary(record_bytes(record)))


def save_and_expect_stored(session, program, driver, record, reads):
    """Answers Yes: the program ends with the record stored, and the driver saw `reads` reads,
    the record and the confirming SetCalibration, nothing else."""
    press(session, QUESTION, IDYES)
    program.expect_exit(0)
    expect_calibration(session, record)
    driver.expect_requests([(READ_RAW_POINT, b"")] * reads + [
        (SET_CALIBRATION, record_bytes(record)), (SET_CALIBRATION, b"")])


def calibration_requests(driver):
    return [(r.code, r.input) for r in driver.requests() if r.code == SET_CALIBRATION]


def yellow_runs(shot, y, x_from, x_to):
    """Start and end x of the runs of target-yellow pixels on row y."""
    runs, start_x = [], None
    for x in range(x_from, x_to + 1):
        yellow = shot.pixel(x, y) == YELLOW
        if yellow and start_x is None:
            start_x = x
        if not yellow and start_x is not None:
            runs.append((start_x, x - 1))
            start_x = None
    if start_x is not None:
        runs.append((start_x, x_to))
    return runs


def expect_target(shot, centre, radius, what):
    """The target at `centre`: the cross reaches 3 r each way, and right of the cross the row
    y = cy + 5 crosses the circles of half-size r, 1.5 r and 2 r where the geometry says."""
    cx, cy = centre
    reach = 3 * radius
    row = yellow_runs(shot, cy, max(cx - reach - 6, 0), cx + reach + 6)
    # The pen is two pixels wide: one more pixel on one side.
    extent = (row[0][0], row[-1][1]) if row else None
    if extent is None or abs(extent[0] - (cx - reach)) > 1 or abs(extent[1] - (cx + reach)) > 1:
        raise Mismatch(f"{what}: horizontal extent of the cross", (cx - reach, cx + reach),
                       extent, f"screenshot: {shot.path}")
    # An ellipse fills its box up to, not including, the right and bottom edges: its centre
    # lies half a pixel up and left of the target's, its radius half a pixel inside.
    expected = []
    for half in (radius, radius * 3 // 2, 2 * radius):
        if half > 6:
            expected.append(round(cx - 0.5 + ((half - 0.5) ** 2 - 5.5 ** 2) ** 0.5, 1))
    runs = yellow_runs(shot, cy + 5, cx + 3, cx + reach + 4)
    seen = [(a + b) / 2 for a, b in runs]
    close = len(seen) == len(expected) and all(abs(s - e) <= 1.5 for s, e in zip(seen, expected))
    if not close:
        raise Mismatch(f"{what}: circle crossings on row {cy + 5}", expected, seen,
                       f"screenshot: {shot.path}")


def progress_end(shot, screen_height):
    """The rightmost red pixel of the progress line at y = SY - 2, or -1."""
    y = screen_height - 2
    end = -1
    for x in range(shot.width):
        if shot.pixel(x, y) == RED:
            end = x
    return end
