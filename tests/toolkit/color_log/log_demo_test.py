#!/usr/bin/env python3
"""zdtool log-demo: the mirror file holds every numbered line as "N) " + prefix + text + LF in
UTF-8, numbered by the file; the screen shows only the shown lines, numbered by the screen,
with the kind's colour and weight."""

import os
import subprocess
import sys
import tempfile

EXPECTED_FILE = (
    "1) Calibration adjustment\n"
    "2) ...Connecting to ZD-2 on COM7:\n"
    "3) ...Reference device FAILED to answer\n"
    "4) ...Retry logged in the file only\n"
    "5) ......Step 1: 1000 N at 0.1 MPa/s\n"
    "6) ......Step 1 failed tolerance check\n"
    "7) Error: deviation 2.4 %\n"
    "8) Verification passed\n"
    "9) ...Report written\n"
    "10) Gr\u00fc\u00dfe \u2013 done\n"
).encode("utf-8")

EXPECTED_SCREEN = (
    "1) Calibration adjustment\t#0000FF bold\n"
    "2) ...Connecting to ZD-2 on COM7:\t#000000\n"
    "3) ...Reference device FAILED to answer\t#FF0000\n"
    "4) ......Step 1: 1000 N at 0.1 MPa/s\t#000000\n"
    "5) ......Step 1 failed tolerance check\t#000000\n"
    "6) Error: deviation 2.4 %\t#FF0000 bold\n"
    "7) Verification passed\t#006600 bold\n"
    "8) ...Report written\t#7030A0 bold\n"
    "9) Gr\u00fc\u00dfe \u2013 done\t#000000\n"
)


def main():
    zdtool = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        mirror = os.path.join(folder, "TempLogCalibration.txt")
        result = subprocess.run([zdtool, "log-demo", mirror], capture_output=True, timeout=60)
        if result.returncode != 0:
            sys.exit("log-demo failed: %r" % result.stderr)
        if result.stdout.decode("utf-8") != EXPECTED_SCREEN:
            sys.exit("screen lines differ:\n%s" % result.stdout.decode("utf-8"))
        with open(mirror, "rb") as file:
            content = file.read()
        if content != EXPECTED_FILE:
            sys.exit("mirror file differs:\n%r" % content)
        bad = subprocess.run([zdtool, "log-demo", os.path.join(folder, "missing", "x.txt")],
                             capture_output=True, timeout=60)
        if bad.returncode == 0:
            sys.exit("an unwritable mirror file must fail")


if __name__ == "__main__":
    main()
