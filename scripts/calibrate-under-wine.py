"""The package's main job under Wine: the calibration program calibrates against the stand-in
touch driver, four touches on its targets and Yes, and the record it stored is printed."""

import os
import struct
import sys
from pathlib import Path

top = Path(__file__).resolve().parents[1]
sys.path[:0] = [str(top / "tests/e2e"), str(top / "tests/e2e/calibrate")]
os.environ.setdefault("TOUCH_BUILD_DIR", str(top / "build/win64"))
os.environ.setdefault("TOUCH_SHOTS_DIR", str(top / "build/win64/e2e-shots/main-job"))

from harness import Session, requestlog  # noqa: E402
import pintara  # noqa: E402

FIELDS = ("edgeA1", "edgeA2", "edgeB1", "edgeB2", "swapped", "width", "height")


def main():
    with Session("main-job") as session:
        driver = session.install_driver("Velmuro", script=pintara.UPRIGHT_POINTS)
        program = pintara.start(session)
        for index, centre in enumerate(pintara.centres(1024, 768, 4)):
            session.screenshot(f"target-{index}")
            pintara.touch(session, centre, driver, index)
        print("question:", pintara.wait_message(session, pintara.QUESTION))
        session.screenshot("question")
        pintara.press(session, pintara.QUESTION, pintara.IDYES)
        program.expect_exit(0)

        stored = session.registry.get(pintara.PARAMETERS, "Calibration")
        record = struct.unpack("<4i3I", stored.data)
        print(f"stored {pintara.PARAMETERS}\\Calibration ({len(stored.data)} bytes):")
        for name, value in zip(FIELDS, record):
            print(f"  {name:8} {value}")
        print("driver requests:")
        print(requestlog.describe(driver.requests()))
        print("screenshots:", session.shots_dir)
    return 0 if record == pintara.UPRIGHT_RECORD else 1


if __name__ == "__main__":
    sys.exit(main())
