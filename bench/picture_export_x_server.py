#!/usr/bin/env python3
"""The measurement page's picture export on a real X server against the same export off-screen:
zdtool picture-export of a project of TESTS tests ("Headers and details", one file, all, at
the program's default frame width) runs once with QT_QPA_PLATFORM=offscreen and once under an
Xvfb of 1280 x 900 of its own (and, with --window-manager, under twm on it). Prints the seconds
of each run, the picture's size and the ratio (goal: at most 2). Not run by ctest.

picture_export_x_server.py ZDTOOL [TESTS] [--window-manager] [--content headers|asis|details]"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "support"))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "tools"))
from x_server import start_x_server  # noqa: E402
from zdtest_util import measurement_record  # noqa: E402

# The main frame's client area, as wide as the frame's default width of 638 pixels.
CLIENT_SIZE = "638x420"


def make_project(zdtool, folder, tests):
    records = os.path.join(folder, "tests.bin")
    with open(records, "wb") as out:
        for i in range(tests):
            out.write(measurement_record(i % 250 + 1, (2021, 1 + i % 12, 1 + i % 28, i % 24, i % 60, 0), 1000 + i, 1,
                                         4000 + i, 41, 10, [(1, 100), (0, 0), (0, 0)]))
    project = os.path.join(folder, "tests.jvd")
    subprocess.run([zdtool, "project-new", records, project], env=dict(os.environ, XDG_CONFIG_HOME=folder),
                   check=True, capture_output=True)
    return project


def timed_export(zdtool, env, project, picture, content):
    start = time.monotonic()
    result = subprocess.run([zdtool, "picture-export", project, picture, "--content", content, "--size", CLIENT_SIZE],
                            env=env, capture_output=True, text=True, timeout=1800)
    seconds = time.monotonic() - start
    if result.returncode != 0 or "result=0" not in result.stdout:
        raise SystemExit("the export failed: " + result.stdout + result.stderr)
    return seconds


def png_size(path):
    with open(path, "rb") as f:
        return struct.unpack(">II", f.read(24)[16:24])


def main():
    arguments = sys.argv[1:]
    framed = "--window-manager" in arguments
    content = "details"
    if "--content" in arguments:
        content = arguments[arguments.index("--content") + 1]
        del arguments[arguments.index("--content"):arguments.index("--content") + 2]
    arguments = [a for a in arguments if a != "--window-manager"]
    zdtool = arguments[0]
    tests = int(arguments[1]) if len(arguments) > 1 else 2000
    with tempfile.TemporaryDirectory() as folder:
        project = make_project(zdtool, folder, tests)
        picture = os.path.join(folder, "tests.png")
        base = dict(os.environ, XDG_CONFIG_HOME=folder, XDG_RUNTIME_DIR=folder)
        offscreen = timed_export(zdtool, dict(base, QT_QPA_PLATFORM="offscreen"), project, picture, content)
        width, height = png_size(picture)
        server, display = start_x_server(folder, 1280, 900)
        manager = None
        try:
            env = dict(base, QT_QPA_PLATFORM="xcb", DISPLAY=display)
            if framed:
                if not shutil.which("twm"):
                    raise SystemExit("twm is not installed")
                manager = subprocess.Popen(["twm"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                time.sleep(1)
            on_server = timed_export(zdtool, env, project, picture, content)
        finally:
            if manager:
                manager.terminate()
                manager.wait()
            server.terminate()
            server.wait()
    print(f"picture of {tests} tests ({content}): {width} x {height} pixels")
    print(f"offscreen: {offscreen:.2f} s")
    print(f"Xvfb{' with twm' if framed else ''}: {on_server:.2f} s")
    print(f"Xvfb / offscreen: {on_server / offscreen:.2f} (goal <= 2)")


if __name__ == "__main__":
    main()
