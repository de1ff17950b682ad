"""The applet built for a serial controller (a test-only build) against the stand-in's serial
link: its listing, the port controls acting on the driver at once, the three failure
messages while the driver refuses, and Cancel putting the driver's port back."""

import struct
import unittest

import harness
from harness import Session, expect_equal, expect_true
from harness.requestlog import CLOSE_PORT, OPEN_PORT, SET_PARAMETERS

import panelo
from panelo import Answer, CplHost

DRIVER = "Corvatin"
# Installed under the shipped name: message boxes carry the module's name as their caption.
CPL = r"C:\windows\system32\Panelo.cpl"
STORED = dict(MouseMode=3, DblClickRegion=25, InterActTime=100, Port=2, Enable=1)


def port(number):
    return struct.pack("<I", number)


class SerialPortTest(unittest.TestCase):
    def test_port_controls_messages_and_cancel(self):
        with Session.for_test(self) as s:
            driver = s.install_driver(DRIVER, port_result=False)
            panelo.set_parameters(s, STORED, DRIVER)
            s.prefix.copy_in(s.config.exe("Panelo_serial"), CPL)
            with CplHost(s, CPL, ["INIT", "GETCOUNT", "INQUIRE", "DBLCLK", "STOP", "EXIT"]) as host:
                host.expect_line("cycle\t1")
                expect_equal("listing of a serial applet: name 4, description 5",
                             [Answer("INIT", 1, 1), Answer("GETCOUNT", 2, 1),
                              Answer("INQUIRE", 3, 0, (1007, 4, 5, 0))], host.answers(3))
                sheet = panelo.Sheet(s)
                sheet.wait_open()
                sheet.show_tab(1)
                for control_id in panelo.PORT_CONTROLS:
                    expect_true(f"port control {control_id}", sheet.shown(control_id),
                                "shown for a serial controller", "hidden")
                expect_equal("port shown", "COM2", sheet.text(panelo.PORT_LIST))
                expect_equal("port button", "Disable", sheet.text(panelo.PORT_BUTTON))
                expect_equal("delay 100 shown at", 4,
                             sheet.send(panelo.DELAY_SLIDER, panelo.TBM_GETPOS))
                s.screenshot("serial-setting-page")
                mark = driver.mark()

                sheet.click(panelo.PORT_BUTTON)
                panelo.wait_message(s, "Close port fail!")
                panelo.close_message(s, "Close port fail!")
                expect_equal("port button after a refused close", "Disable",
                             sheet.text(panelo.PORT_BUTTON))

                # The next item of the list, chosen from the keyboard in its edit field.
                list_rect = sheet.control(panelo.PORT_LIST).rect
                s.input.click(list_rect.x + 10, list_rect.center[1])
                s.input.key("Down")
                panelo.wait_message(s, "Close previous port fail!")
                expect_equal("requests while the close message shows: no open yet",
                             [CLOSE_PORT, CLOSE_PORT], [r.code for r in driver.requests(mark)])
                panelo.close_message(s, "Close previous port fail!")
                panelo.wait_message(s, "Open port fail!")
                panelo.close_message(s, "Open port fail!")
                expect_equal("port shown", "COM3", sheet.text(panelo.PORT_LIST))
                expect_equal("port button after a refused open", "Enable",
                             sheet.text(panelo.PORT_BUTTON))
                expect_true("port button", sheet.control(panelo.PORT_BUTTON).enabled,
                            "enabled", "disabled")

                driver.set_port_result(True)
                sheet.click(panelo.PORT_BUTTON)
                sheet.wait_text(panelo.PORT_BUTTON, "Disable")
                expect_equal("port the driver holds open", 3, driver.open_port())

                sheet.press(panelo.IDCANCEL)
                expect_equal("answers after the sheet",
                             [Answer("DBLCLK", 5, 0), Answer("STOP", 6, 0), Answer("EXIT", 7, 0)],
                             host.answers(3))
                host.finish()

            expect_equal("port the driver holds open after Cancel", 2, driver.open_port())
            expect_equal("requests (code, input, succeeded)",
                         [(CLOSE_PORT, b"", False),
                          (CLOSE_PORT, b"", False), (OPEN_PORT, port(3), False),
                          (OPEN_PORT, port(3), True),
                          (CLOSE_PORT, b"", True), (OPEN_PORT, port(2), True),
                          (SET_PARAMETERS, panelo.block_bytes(dict(panelo.FALLBACKS, **STORED)),
                           True)],
                         [(r.code, r.input, r.status == 0) for r in driver.requests(mark)])
            panelo.expect_parameters(s, STORED, DRIVER)


if __name__ == "__main__":
    harness.main()
