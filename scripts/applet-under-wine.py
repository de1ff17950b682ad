"""The applet's main job under Wine: the control panel opens it, the user picks "Interactive
Touch" and a wider double-click range on the Setting page and presses OK, and what reached the
registry and the stand-in touch driver is printed."""

import os
import sys
from pathlib import Path

top = Path(__file__).resolve().parents[1]
sys.path[:0] = [str(top / "tests/e2e"), str(top / "tests/e2e/applet")]
os.environ.setdefault("TOUCH_BUILD_DIR", str(top / "build/win64"))
os.environ.setdefault("TOUCH_SHOTS_DIR", str(top / "build/win64/e2e-shots/applet-job"))

from harness import Session, requestlog  # noqa: E402
import panelo  # noqa: E402


def main():
    with Session("applet-job") as session:
        driver = session.install_driver("Velmuro")
        panelo.set_parameters(session, dict(MouseMode=0, DblClickRegion=20, InterActTime=170,
                                            CalibrateMargin=4))
        control, sheet = panelo.open_in_control_panel(session, session.config.exe("Panelo"))
        session.screenshot("calibrate-page")
        sheet.show_tab(1)
        sheet.click(panelo.INTERACTIVE_TOUCH)
        session.wait_until("range enabled", lambda: sheet.control(panelo.RANGE_SPIN).enabled)
        sheet.spin(panelo.RANGE_SPIN, up=True)
        sheet.wait_text(panelo.RANGE_EDIT, "21")
        session.screenshot("setting-page")
        sheet.press(panelo.IDOK)
        control.expect_exit(0, timeout=30, describe=session.describe)

        print(f"{panelo.parameters_key()}:")
        for name in panelo.BLOCK + ("CalibrateMargin",):
            print(f"  {name:16} {session.registry.get(panelo.parameters_key(), name)}")
        print(f"{panelo.MOUSE}:")
        for name in ("DoubleClickWidth", "DoubleClickHeight"):
            print(f"  {name:18} {session.registry.get(panelo.MOUSE, name)}")
        print("driver requests:")
        print(requestlog.describe(driver.requests()))
        print("screenshots:", session.shots_dir)
    return 0


if __name__ == "__main__":
    sys.exit(main())
