#!/usr/bin/env python3
"""End-to-end test of zdtool grid-page: the measurement page in the program's main frame, empty,
with three tests, with every row open, its copy text and its picture."""

import os
import subprocess
import sys
import tempfile

from zdtest_util import check, measurement_record, run_zdtool

ZDTOOL = sys.argv[1]

HEADER = "Slot ID\tID\tDate & Time\tMeasured value\tTest Disc Area\tTest Disc \u00d8\tLoad Rate\tUnit\tSerial No.\tComment\t"


def facts_of(output):
    return dict(line.split("=", 1) for line in output.splitlines() if "=" in line)


def main():
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, XDG_CONFIG_HOME=folder, TZ="Europe/Berlin", QT_QPA_PLATFORM="offscreen")
        path = lambda name: os.path.join(folder, name)
        with open(path("three.bin"), "wb") as out:
            out.write(measurement_record(3, (2021, 7, 15, 14, 5, 9), 1001, 1, 8000, 57, 20, [(0, 70), (2, 30), (0, 0)]))
            out.write(measurement_record(4, (2021, 7, 16, 9, 0, 0), 1002, 1, 6000, 41, 10, [(1, 100), (0, 0), (0, 0)]))
            out.write(measurement_record(5, (2021, 7, 17, 9, 0, 0), 1003, 1, 4000, 41, 10, [(1, 100), (0, 0), (0, 0)]))
        open(path("none.bin"), "wb").close()
        run_zdtool(ZDTOOL, env, "project-new", path("three.bin"), path("three.jvd"), "--serial", "SN42",
                   "--load-limit", "16000")
        run_zdtool(ZDTOOL, env, "project-new", path("none.bin"), path("empty.jvd"))

        empty = facts_of(run_zdtool(ZDTOOL, env, "grid-page", path("empty.jvd"), "--size", "1000x700"))
        widths = [int(w) for w in empty["column_widths"].split(",")]
        check(empty["rows"] == "1" and empty["row_heights"] == "26", "an empty project has the header row: %r" % empty)
        check(len(widths) == 9 and widths[0] == 56, "nine columns, the gripper's 56 wide: %r" % widths)
        check(empty["status"] == "Selected measurements: 0      Total measurements: 0        ",
              "the status counts nothing: %r" % empty["status"])
        check(empty["sort_column"] == "-1" and empty["sort_ascending"] == "1", "no sort arrow: %r" % empty)

        three = facts_of(run_zdtool(ZDTOOL, env, "grid-page", path("three.jvd"), "--png", path("three.png"),
                                    "--copy-text", path("copy.txt")))
        check(three["rows"] == "7" and three["row_heights"] == "26,22,0,22,0,22,0",
              "two rows a test, the detail rows closed: %r" % three)
        check(three["status"] == "Selected measurements: 0      Total measurements: 3        ", three["status"])
        check(os.path.getsize(path("three.png")) > 1000, "the page's picture")
        with open(path("copy.txt"), encoding="utf-8") as f:
            text = f.read()
        first = "3\t1001\t07/15/2021 2:05 PM\t8.00 kN\t1963 mm2\t50.0 mm\t150 N/s\tkN\t"
        check(text.startswith(HEADER + first), "the header row, then the first test's row: %r" % text[:200])
        check("4\t1002\t07/16/2021 9:00 AM\t6.00 kN\t1963 mm2\t50.0 mm\t150 N/s\tkN\t" in text, repr(text))

        opened = facts_of(run_zdtool(ZDTOOL, env, "grid-page", path("three.jvd"), "--expand", "all"))
        heights = [int(h) for h in opened["row_heights"].split(",")]
        check(heights[1::2] == [22, 22, 22] and all(h >= 315 for h in heights[2::2]),
              "Expand all opens every detail row: %r" % heights)

        missing = subprocess.run([ZDTOOL, "grid-page", path("nothing.jvd")], env=env, capture_output=True, text=True,
                                 timeout=120)
        check(missing.returncode == 1 and "nothing.jvd" in missing.stderr, "a missing project: " + missing.stderr)
        with open(path("junk.jvd"), "wb") as out:
            out.write(b"not a project")
        junk = subprocess.run([ZDTOOL, "grid-page", path("junk.jvd")], env=env, capture_output=True, text=True,
                              timeout=120)
        check(junk.returncode == 1 and junk.stdout == "" and junk.stderr.strip() != "",
              "a file that is no project is refused with the program's text: %r" % junk.stderr)


if __name__ == "__main__":
    main()
