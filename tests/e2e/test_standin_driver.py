"""The stand-in touch driver and the harness's view of it: raw requests sent through the device
link with touchprobe, answers and the request log checked byte for byte."""

import struct
import unittest

import harness
from harness import RegValue, Session, expect_equal
from harness.requestlog import (CLOSE_PORT, OPEN_PORT, READ_RAW_POINT, SET_CALIBRATION,
                                SET_PARAMETERS, STATUS_BUFFER_TOO_SMALL,
                                STATUS_INVALID_DEVICE_REQUEST, STATUS_INVALID_PARAMETER,
                                STATUS_PORT_DISCONNECTED, STATUS_SUCCESS, TEST_BEEP)

SCRIPT = [(1200, 3400, 7), (60000, 3500, 8), (61000, 59000, 9)]
session = None


def setUpModule():
    global session
    session = Session("standin").__enter__()
    session.install_driver("Velmuro", script=SCRIPT)
    session.install_driver("Corvatin")


def tearDownModule():
    session.__exit__(None, None, None)


class Answer:
    """Checks one request's answer and its log entry together."""

    def __init__(self, driver):
        self.driver = driver

    def send(self, code, data=b"", output_size=0, status=STATUS_SUCCESS):
        mark = self.driver.mark()
        result = self.driver.ioctl(code, data, output_size)
        entries = self.driver.requests(since=mark)
        what = f"{self.driver.name} request 0x{code:06x} with {len(data)} in, {output_size} out"
        expect_equal(f"{what}: log entries", 1, len(entries), harness.requestlog.describe(entries))
        entry = entries[0]
        expect_equal(f"{what}: logged (code, in, out, status)",
                     (code, len(data), output_size, status),
                     (entry.code, entry.input_length, entry.output_length, entry.status))
        expect_equal(f"{what}: logged input", bytes(data[:64]), entry.input)
        expect_equal(f"{what}: DeviceIoControl success", status == STATUS_SUCCESS, result.ok)
        return result


class ScriptedPointsTest(unittest.TestCase):
    def setUp(self):
        self.driver = session.drivers["Velmuro"]
        self.driver.set_script(SCRIPT)

    def read(self):
        """The (x, y, third word) ReadRawPoint answers."""
        result = Answer(self.driver).send(READ_RAW_POINT, output_size=12)
        expect_equal("ReadRawPoint bytes returned", 12, result.returned)
        return struct.unpack("<3I", result.output)

    def test_points_come_in_order_and_the_last_repeats(self):
        seen = [self.read() for _ in range(5)]
        expect_equal("five ReadRawPoint answers", SCRIPT + [SCRIPT[-1]] * 2, seen)

    def test_new_script_starts_at_its_first_point(self):
        self.read()
        self.driver.set_script([(5, 6)])
        expect_equal("first point of the new script", (5, 6, 0), self.read())

    def test_without_script_points_are_zero(self):
        session.registry.delete_value(self.driver.state_key, "RawScript")
        expect_equal("point with no script", (0, 0, 0), self.read())

    def test_short_output_buffer_is_refused(self):
        position = self.driver.script_position()
        Answer(self.driver).send(READ_RAW_POINT, output_size=8, status=STATUS_BUFFER_TOO_SMALL)
        expect_equal("script position after a refused read", position,
                     self.driver.script_position())


class PortTest(unittest.TestCase):
    def setUp(self):
        self.driver = session.drivers["Velmuro"]
        self.answer = Answer(self.driver)

    def tearDown(self):
        session.registry.delete_value(self.driver.state_key, "PortResult")

    def test_open_and_close_succeed_by_default_and_track_the_port(self):
        self.answer.send(OPEN_PORT, struct.pack("<I", 7))
        expect_equal("open port after OpenPort(7)", 7, self.driver.open_port())
        self.answer.send(CLOSE_PORT)
        expect_equal("open port after ClosePort", 0, self.driver.open_port())

    def test_switch_off_makes_both_fail_and_keeps_the_port(self):
        self.answer.send(OPEN_PORT, struct.pack("<I", 2))
        self.driver.set_port_result(False)
        self.answer.send(OPEN_PORT, struct.pack("<I", 9), status=STATUS_PORT_DISCONNECTED)
        self.answer.send(CLOSE_PORT, status=STATUS_PORT_DISCONNECTED)
        expect_equal("open port after failed requests", 2, self.driver.open_port())
        self.driver.set_port_result(True)
        self.answer.send(CLOSE_PORT)

    def test_short_port_number_is_refused(self):
        self.answer.send(OPEN_PORT, b"\x01\x00", status=STATUS_BUFFER_TOO_SMALL)


class RequestShapeTest(unittest.TestCase):
    def setUp(self):
        self.answer = Answer(session.drivers["Velmuro"])

    def test_calibration_takes_a_whole_record_or_nothing(self):
        record = struct.pack("<4i3I", 120000, 6000000, 340000, 5900000, 0, 1024, 768)
        self.answer.send(SET_CALIBRATION, record)
        self.answer.send(SET_CALIBRATION)
        self.answer.send(SET_CALIBRATION, record[:27], status=STATUS_BUFFER_TOO_SMALL)
        self.answer.send(SET_CALIBRATION, record + b"\0", status=STATUS_INVALID_PARAMETER)

    def test_settings_block_and_beep_need_their_sizes(self):
        block = struct.pack("<8I", 3, 30, 160, 1, 1000, 300, 0, 1)
        self.answer.send(SET_PARAMETERS, block)
        self.answer.send(SET_PARAMETERS, block[:31], status=STATUS_BUFFER_TOO_SMALL)
        self.answer.send(TEST_BEEP, struct.pack("<2I", 1200, 500))
        self.answer.send(TEST_BEEP, bytes(7), status=STATUS_BUFFER_TOO_SMALL)

    def test_unknown_codes_are_invalid_requests(self):
        for code in (0x22200C, 0x222020, 0x222000, 0x220014):
            self.answer.send(code, output_size=4, status=STATUS_INVALID_DEVICE_REQUEST)

    def test_long_input_is_logged_by_its_first_64_bytes(self):
        self.answer.send(SET_PARAMETERS, bytes(range(100)))


class LifecycleTest(unittest.TestCase):
    def test_each_driver_answers_on_its_own_link(self):
        velmuro, corvatin = session.drivers["Velmuro"], session.drivers["Corvatin"]
        before = velmuro.mark()
        Answer(corvatin).send(OPEN_PORT, struct.pack("<I", 4))
        expect_equal("Corvatin open port", 4, corvatin.open_port())
        expect_equal("Velmuro requests while Corvatin was addressed", [],
                     [str(r) for r in velmuro.requests(since=before)])

    def test_stopped_driver_has_no_link_and_restarts_clean(self):
        corvatin = session.drivers["Corvatin"]
        Answer(corvatin).send(OPEN_PORT, struct.pack("<I", 3))
        corvatin.stop()
        corvatin.expect_link(False)
        expect_equal("ioctl through a missing link", None, corvatin.ioctl(CLOSE_PORT))
        corvatin.start()
        corvatin.expect_link(True)
        expect_equal("log after restart", [], [str(r) for r in corvatin.requests()])
        expect_equal("open port after restart", 0, corvatin.open_port())

    def test_parameters_key_is_left_to_the_tools(self):
        for name, driver in session.drivers.items():
            key = f"{driver.service_key}\\Parameters"
            snapshot = session.registry.snapshot(key)
            expect_equal(f"{name} Parameters key", None,
                         snapshot and snapshot.describe())

    def test_state_values_have_their_documented_types(self):
        driver = session.drivers["Velmuro"]
        snapshot = session.registry.snapshot(driver.state_key)
        for name, kind in (("RequestLog", RegValue.binary(b"").type),
                           ("OpenPort", RegValue.dword(0).type),
                           ("LogDropped", RegValue.dword(0).type)):
            value = snapshot.values.get(name)
            expect_equal(f"type of {name}", kind, value and value.type, snapshot.describe())


if __name__ == "__main__":
    harness.main()
