#!/usr/bin/env python3
"""End-to-end test of zdtool live against zd2-sim on a loopback TCP port and on a
pseudo-terminal: the Live View dialog connects, starts the reader, writes one CSV log per test
with a row per sampling period and no frame lost, and plots each test in its window; a link that
hangs up ends the sampling with one box."""

import glob
import os
import re
import socket
import subprocess
import sys
import tempfile

from zdtest_util import Simulator, check

ZDTOOL, ZD2SIM = sys.argv[1], sys.argv[2]
ADDRESS = "127.0.0.47"
COM = 17
HEADER = ("RcvBuff;DeltaT(s);Time(s);SampledForce(N);minForce;meanForce;maxForce;minCurrent(mA);meanCurrent;"
          "maxCurrent;DriveState;Samples;SampleIdx;MissedSamples;")
# Two operator tests, the first after the reader has settled: 3000 N at 250 N/s, then 4000 N at
# 400 N/s. Each ramp lasts at least 2 s of real time at the run's time scale, so that a busy
# machine that holds up the dialog for a while still leaves it several sampling periods.
TWO_TESTS = ["--identity", "ZD-2;2;VN02-123-4567;0C000102;1.6.3",
             "--live-test", "2000:3000:250", "--live-test", "500:4000:400"]


def free_port():
    with socket.socket() as s:
        s.bind((ADDRESS, 0))
        return s.getsockname()[1]


class LiveLink(Simulator):
    def __init__(self, env, link, *options):
        where = ["--tcp", f"{ADDRESS}:{free_port()}"] if link == "tcp" else ["--pty", "--com", str(COM)]
        super().__init__(ZD2SIM, env, *where, *options)
        if link != "tcp":
            self.port = f"COM{COM}:"


def live(env, folder, *args):
    """zdtool live run in the folder, where its logs go."""
    result = subprocess.run([ZDTOOL, "live", *args], env=env, cwd=folder, capture_output=True, text=True,
                            timeout=120)
    check(result.returncode == 0, f"zdtool live {args} exited {result.returncode}: {result.stdout}{result.stderr}")
    return result.stdout


def facts(printed):
    lines = printed.splitlines()
    single = dict(line.split("=", 1) for line in lines if not line.startswith(("log=", "message=")))
    logs = [line[4:] for line in lines if line.startswith("log=")]
    messages = [line[8:] for line in lines if line.startswith("message=")]
    return single, logs, messages


def check_log(path, period, where):
    with open(path, "rb") as f:
        data = f.read()
    check(data.endswith(b"\r\n") and b"\n" not in data.replace(b"\r\n", b""), f"{where}: CR LF line ends")
    rows = data.decode().split("\r\n")[:-1]
    check(rows[0] == HEADER, f"{where}: header {rows[0]!r}")
    check(len(rows) > 3, f"{where}: one row per period {rows}")
    previous = None
    for row in rows[1:]:
        fields = row.split(";")
        check(len(fields) == 15 and fields[-1] == "", f"{where}: row {row!r}")
        samples, index, missed = int(fields[11]), int(fields[12]), int(fields[13])
        check(missed == 0, f"{where}: frames lost {row!r}")
        if previous is not None and samples > 0:
            check(index - previous == samples, f"{where}: SampleIdx rises by Samples {row!r} after {previous}")
        if samples > 0:
            previous = index
    deltas = [float(row.split(";")[1]) for row in rows[2:-1]]
    # A loaded machine may delay a tick by a good part of a period, and the next one comes the
    # sooner for it: the timer keeps its pace, so the mean period holds where single ones do not.
    mean = sum(deltas) / len(deltas)
    check(abs(mean - period / 1000) < 0.05, f"{where}: periods {deltas}")


def two_tests(env, workdir, link):
    folder = os.path.join(workdir, link)
    os.makedirs(folder)
    # Settings of its own: a run without the diagnostic flag stores "bLogData" 0.
    env = dict(env, XDG_CONFIG_HOME=folder)
    with LiveLink(env, link, *TWO_TESTS) as sim:
        printed = live(env, folder, sim.port, "--log", "--period", "500", "--timeout", "20000", "--pictures", folder)
    single, logs, messages = facts(printed)
    for picture in ("live_view.png", "plot_1.png"):
        with open(os.path.join(folder, picture), "rb") as f:
            check(f.read(8) == b"\x89PNG\r\n\x1a\n", f"{link}: {picture} is a PNG picture")
    check(single["device_info1"] == "ZD-2: Serial No.: VN02-123-4567  Firmware Version: 1.6.3", printed)
    check(single["device_info2"] ==
          "Test Settings: Load Limit: 16.00 kN  Load Rate: 100 N/s  Test Disc Area: 1963 mm2", printed)
    check(single["tests"] == "2" and single["lost"] == "0" and not messages, f"{link}: {printed}")
    check(len(logs) == 2 and all(re.fullmatch(r"VexalonLog_\d{8}_\d{6}\.csv", name) for name in logs),
          f"{link}: logs {logs}")
    for name in logs:
        check_log(os.path.join(folder, name), 500, f"{link} {name}")
    # Both tests share the one window, which shows the second.
    check("plot_2_title" not in single, f"{link}: same window {printed}")
    check(single["plot_1_title"].startswith("ZD-2 Test# 2:  Date:"), f"{link}: title {printed}")
    check(int(single["plot_1_points"]) > 3 and single["plot_1_force_axis_max"] == "6", f"{link}: plot {printed}")


def own_windows_without_log(env, workdir):
    folder = os.path.join(workdir, "own")
    os.makedirs(folder)
    # Settings of its own: a run without the diagnostic flag stores "bLogData" 0.
    env = dict(env, XDG_CONFIG_HOME=folder)
    with LiveLink(env, "tcp", *TWO_TESTS) as sim:
        printed = live(env, folder, sim.port, "--own-window", "--timeout", "20000")
    single, logs, _ = facts(printed)
    check(not logs and not glob.glob(os.path.join(folder, "*.csv")), f"no log without the flag: {printed}")
    check(single["plot_1_title"].startswith("ZD-2 Test# 1:") and single["plot_2_title"].startswith("ZD-2 Test# 2:")
          and "plot_3_title" not in single, f"a window per test: {printed}")


def pressure_without_area(env, workdir):
    folder = os.path.join(workdir, "area")
    os.makedirs(folder)
    env = dict(env, XDG_CONFIG_HOME=folder)
    # N/mm2 with no test-disc area: the instrument is shown in kN, and 7 kN raise the axis to 8.
    with LiveLink(env, "tcp", "--live-test", "2000:7000:1000", "--query", "@UU@=3", "--query", "@DA@=0000") as sim:
        printed = live(env, folder, sim.port, "--timeout", "7500")
    single, _, _ = facts(printed)
    check(single["device_info2"] ==
          "Test Settings: Load Limit: 16.00 kN  Load Rate: 100 N/s  Test Disc Area: 0 mm2", printed)
    check(single["plot_1_force_axis_max"] == "8", f"axis in kN: {printed}")


def lost_connection(env, workdir, link):
    folder = os.path.join(workdir, "lost-" + link)
    os.makedirs(folder)
    # Settings of its own: a run without the diagnostic flag stores "bLogData" 0.
    env = dict(env, XDG_CONFIG_HOME=folder)
    # The cut comes 10 s into the stream, 8 s into a test of 30 s: a busy machine has ample time
    # to start Live View before it. Periods of a second: between the reader's last frame and its
    # sight of the hang-up a period passes only if the machine holds the reader or the simulator
    # that long.
    with LiveLink(env, link, "--live-test", "2000:3000:100", "--fault", "live-cut:1000") as sim:
        printed = live(env, folder, sim.port, "--log", "--period", "1000", "--timeout", "20000")
    single, logs, messages = facts(printed)
    check(single["lost"] == "1" and messages == [
        "Connection to the device has been lost. You may need to restart the device prior to starting Live View "
        "again."], f"{link}: lost connection: {printed}")
    # The sampling stopped with the connection, however late the dialog heard of it: the log
    # holds no rows past the last frame.
    with open(os.path.join(folder, logs[0]), "rb") as f:
        rows = f.read().decode().split("\r\n")[1:-1]
    check(rows and int(rows[-1].split(";")[11]) > 0, f"{link}: no empty rows after the cut: {rows[-3:]}")


def main():
    with tempfile.TemporaryDirectory() as workdir:
        env = dict(os.environ, XDG_CONFIG_HOME=workdir, ZD_TIME_SCALE="5", QT_QPA_PLATFORM="offscreen")
        two_tests(env, workdir, "tcp")
        two_tests(env, workdir, "pty")
        own_windows_without_log(env, workdir)
        pressure_without_area(env, workdir)
        lost_connection(env, workdir, "tcp")
        lost_connection(env, workdir, "pty")
    print("ok")


main()
