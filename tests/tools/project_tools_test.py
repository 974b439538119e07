#!/usr/bin/env python3
"""End-to-end test of the zdtool project subcommands: a download buffer written byte by byte
becomes a project whose dump shows every value as the grid and summary show them."""

import os
import subprocess
import sys
import tempfile

from zdtest_util import check, measurement_record

ZDTOOL = sys.argv[1]


EXPECTED_DUMP = """measurements=2
[0]
id=1001
slot=3
date_time=07/15/2021 2:05 PM
peak_load_n=8000
peak_load=8.00 kN
area=1963 mm2
diameter=50.0 mm
load_rate=150 N/s
load_limit=16.00 kN
model_load_limit=16000
failure_mode_1=A 70%
failure_mode_2=B 30%
failure_mode_3=A 0%
peak_time=1.0 s
tear_off_time=5.7 s
device_name=ZD-2
serial_number=SN42
hw_serial=HW7
hw_revision=B
app_version=1.4.3
model=VA-216
cal_date=2023-05-17
comment=
selected=1
expanded=0
[1]
id=1002
slot=4
date_time=12/24/2021 8:30 AM
peak_load_n=9000
peak_load=2023 lbf
area=3.04 in2
diameter=1.97 in
load_rate=34 lbf/s
load_limit=3597 lbf
model_load_limit=16000
failure_mode_1=CD 100%
failure_mode_2=A 0%
failure_mode_3=A 0%
peak_time=1.3 s
tear_off_time=6.1 s
device_name=ZD-2
serial_number=SN42
hw_serial=HW7
hw_revision=B
app_version=1.4.3
model=VA-216
cal_date=2023-05-17
comment=
selected=1
expanded=0
summary_count=2
summary_mean=8.500 kN
summary_sd=0.707 kN
summary_min=8.00 kN
summary_max=9.00 kN
summary_range=1.00 kN
summary_comment=
"""

NOT_A_PROJECT = "This is not a ZD-Zedo project file or there was an error while reading.\n"
OTHER_LIMIT = "All data to be pasted must have the same load limit as that in the current project.\n"


def run(*args):
    return subprocess.run([ZDTOOL, *args], capture_output=True, text=True)


def main():
    with tempfile.TemporaryDirectory() as folder:
        os.environ["XDG_CONFIG_HOME"] = folder
        os.environ["TZ"] = "Europe/Berlin"
        path = lambda name: os.path.join(folder, name)
        with open(path("download.bin"), "wb") as out:
            out.write(measurement_record(3, (2021, 7, 15, 14, 5, 9), 1001, 1, 8000, 57, 20, [(0, 70), (2, 30), (0, 0)]))
            out.write(measurement_record(4, (2021, 12, 24, 8, 30, 0), 1002, 0, 9000, 61, 26,
                                         [(5, 100), (0, 0), (0, 0)]))
        identity = ["--device-name", "ZD-2", "--serial", "SN42", "--hw-serial", "HW7", "--hw-rev", "B",
                    "--app-version", "1.4.3", "--model", "VA-216", "--cal-date", "2023-05-17"]
        made = run("project-new", path("download.bin"), path("a.jvd"), *identity, "--load-limit", "16000")
        check(made.returncode == 0 and made.stdout == "measurements=2\n", "project-new: " + made.stderr)

        dump = run("project-dump", path("a.jvd"))
        check(dump.returncode == 0, "project-dump: " + dump.stderr)
        check(dump.stdout == EXPECTED_DUMP, "dump differs:\n" + dump.stdout)

        resaved = run("project-resave", path("a.jvd"), path("b.jvd"))
        check(resaved.returncode == 0, "project-resave: " + resaved.stderr)
        with open(path("a.jvd"), "rb") as a, open(path("b.jvd"), "rb") as b:
            check(a.read() == b.read(), "a re-saved project differs from the saved one")

        merged = run("project-merge", path("a.jvd"), path("b.jvd"), path("m.jvd"))
        check(merged.returncode == 0 and merged.stdout == "measurements=4\n", "project-merge: " + merged.stderr)

        run("project-new", path("download.bin"), path("small.jvd"), "--load-limit", "6000")
        refused = run("project-merge", path("a.jvd"), path("small.jvd"), path("r.jvd"))
        check(refused.returncode == 1 and refused.stderr == OTHER_LIMIT, "merge of another load limit")
        check(not os.path.exists(path("r.jvd")), "a refused merge wrote a project")

        with open(path("bad.jvd"), "wb") as out:
            out.write(b"\xfe\x03\x00a\x00b\x00c\x00")
        bad = run("project-dump", path("bad.jvd"))
        check(bad.returncode == 1 and bad.stderr == NOT_A_PROJECT, "dump of a damaged file")
        with open(path("unmarked.bin"), "wb") as out:
            out.write(b"\x01" * 238)
        broken = run("project-new", path("unmarked.bin"), path("x.jvd"))
        check(broken.returncode == 1 and not os.path.exists(path("x.jvd")),
               "a buffer without record markers makes no project")
    print("zdtool project subcommands passed")


main()
