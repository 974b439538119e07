#!/usr/bin/env python3
"""End-to-end test of copy and paste between two running copies of the program: under a real X
server one zdtool process copies a project's measurements to the clipboard and keeps serving
them, a second one pastes them into a new project. Both projects must dump alike. Exits 77
(skipped) when Xvfb is not installed."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile

from zdtest_util import check, measurement_record

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import start_x_server  # noqa: E402

ZDTOOL = sys.argv[1]
SKIPPED = 77
NO_DATA = "the clipboard holds no measurements\n"


def record(slot, ident, unit, peak, modes):
    return measurement_record(slot, (2021, 3, slot, 9, 30, 0), ident, unit, peak, 60, 20, modes)


def run(*args):
    return subprocess.run([ZDTOOL, *args], capture_output=True, text=True, stdin=subprocess.DEVNULL, timeout=60)


def start_copy(project):
    """Starts clip-copy and waits until it owns the clipboard."""
    copier = subprocess.Popen([ZDTOOL, "clip-copy", project], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, text=True)
    line = copier.stdout.readline()
    if line != "copied 3\n":
        copier.kill()
        check(False, "clip-copy: %r %s" % (line, copier.stderr.read()))
    return copier


def main():
    if shutil.which("Xvfb") is None:
        print("Xvfb is not installed")
        sys.exit(SKIPPED)
    with tempfile.TemporaryDirectory() as folder:
        path = lambda name: os.path.join(folder, name)
        os.environ["XDG_CONFIG_HOME"] = folder
        os.environ["XDG_RUNTIME_DIR"] = path("runtime")
        os.mkdir(path("runtime"), 0o700)
        os.environ["TZ"] = "Europe/Berlin"
        os.environ["QT_QPA_PLATFORM"] = "xcb"
        server, display = start_x_server(folder)
        os.environ["DISPLAY"] = display
        try:
            with open(path("download.bin"), "wb") as out:
                out.write(record(3, 1001, 1, 8000, [(0, 70), (2, 30), (0, 0)]))
                out.write(record(4, 1002, 0, 9000, [(5, 100), (0, 0), (0, 0)]))
                out.write(record(7, 1003, 1, 7500, [(1, 50), (3, 50), (0, 0)]))
            made = run("project-new", path("download.bin"), path("a.jvd"), "--serial", "SN42", "--model",
                       "VA-216", "--load-limit", "16000")
            check(made.returncode == 0, "project-new: " + made.stderr)

            copier = start_copy(path("a.jvd"))
            pasted = run("clip-paste", path("b.jvd"))
            check(pasted.returncode == 0 and pasted.stdout == "pasted 3\n", "clip-paste: " + pasted.stderr)
            copier.stdin.close()
            check(copier.wait(timeout=30) == 0, "clip-copy did not end cleanly when its input ended")

            source = run("project-dump", path("a.jvd"))
            copy = run("project-dump", path("b.jvd"))
            check(source.returncode == 0 and copy.returncode == 0, "project-dump failed")
            check("measurements=3\n" in source.stdout, "the source project lacks its measurements")
            check(copy.stdout == source.stdout, "pasted project differs:\n" + copy.stdout)

            # On X11 the data lives in the process that copied it.
            gone = run("clip-paste", path("c.jvd"))
            check(gone.returncode == 1 and gone.stderr.endswith(NO_DATA), "paste after the copier ended")
            check(not os.path.exists(path("c.jvd")), "a paste of nothing wrote a project")

            copier = start_copy(path("a.jvd"))
            copier.send_signal(signal.SIGTERM)
            check(copier.wait(timeout=30) == 0, "clip-copy did not end cleanly on SIGTERM")
        finally:
            server.terminate()
            server.wait(timeout=30)
    print("zdtool clipboard subcommands passed")


main()
