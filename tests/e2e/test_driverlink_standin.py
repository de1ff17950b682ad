"""DriverLink's real device calls against the stand-in drivers: the Windows-side GoogleTest
DriverLinkStandInTest runs inside a prefix with both drivers, once per driver kind, then with
the drivers stopped; the drivers' request logs must show exactly the requests it made."""

import unittest

import harness
from harness import Session, expect_equal
from harness.requestlog import describe

# What the "WithStandIn" suite sends, in its order: (request, input bytes, output bytes, ok).
EXPECTED_SEQUENCE = (
    [("ReadRawPoint", 0, 12, True)] * 5
    + [("ReadRawPoint", 0, 12, True), ("ReadRawPoint", 0, 12, False),
       ("ReadRawPoint", 0, 12, True)]
    + [("OpenPort", 4, 0, True), ("ClosePort", 0, 0, True),
       ("OpenPort", 4, 0, False), ("ClosePort", 0, 0, False),
       ("SetCalibration", 28, 0, True), ("SetCalibration", 0, 0, True),
       ("SetParameters", 32, 0, True), ("TestBeep", 8, 0, True)])

session = None


def setUpModule():
    global session
    session = Session("driverlink").__enter__()
    session.install_driver("Velmuro")
    session.install_driver("Corvatin")


def tearDownModule():
    session.__exit__(None, None, None)


def run_gtest(gtest_filter):
    exe = session.config.exe("DriverLinkStandInTest")
    code, out, err = session.prefix.run([exe, f"--gtest_filter={gtest_filter}"], timeout=60)
    expect_equal(f"exit code of DriverLinkStandInTest --gtest_filter={gtest_filter}", 0, code,
                 out + err)
    if "[  PASSED  ]" not in out or "0 tests" in out:
        raise harness.Mismatch(f"DriverLinkStandInTest {gtest_filter}", "tests to run and pass",
                               "no passing tests reported", out + err)


def sequence(requests):
    return [(r.name, r.input_length, r.output_length, r.status == 0) for r in requests]


class WithRunningDriverTest(unittest.TestCase):
    def check_kind(self, kind, driver, other):
        mark, other_mark = driver.mark(), other.mark()
        run_gtest(f"Kinds/WithStandIn.*/{kind}")
        seen = driver.requests(since=mark)
        expect_equal(f"{driver.name} requests made by the {kind} link", EXPECTED_SEQUENCE,
                     sequence(seen), describe(seen))
        expect_equal(f"{other.name} requests while the {kind} link ran", [],
                     sequence(other.requests(since=other_mark)))

    def test_usb_link_reaches_velmuro(self):
        self.check_kind("Usb", session.drivers["Velmuro"], session.drivers["Corvatin"])

    def test_serial_link_reaches_corvatin(self):
        self.check_kind("Serial", session.drivers["Corvatin"], session.drivers["Velmuro"])


class WithoutDriverTest(unittest.TestCase):
    def test_port_requests_fail_and_points_stay(self):
        drivers = list(session.drivers.values())
        logs = {d.name: d.requests() for d in drivers}
        for driver in drivers:
            driver.stop()
        try:
            for driver in drivers:
                driver.expect_link(False)
            run_gtest("Kinds/WithoutDriver.*")
            for driver in drivers:
                expect_equal(f"{driver.name} log after the run without it",
                             sequence(logs[driver.name]), sequence(driver.requests()))
        finally:
            for driver in drivers:
                driver.start()


if __name__ == "__main__":
    harness.main()
