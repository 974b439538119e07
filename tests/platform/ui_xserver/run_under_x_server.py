#!/usr/bin/env python3
"""Runs a test program under an X server of its own: Xvfb on a display number it picks itself,
so that parallel runs never collide. Exits 77 (skipped) when Xvfb or xdotool is missing."""

import os
import shutil
import subprocess
import sys
import tempfile

SKIPPED = 77


def start_x_server(folder):
    read_end, write_end = os.pipe()
    log = open(os.path.join(folder, "xvfb.log"), "wb")
    # -noreset: each test connects anew, and a server resetting after the last client went
    # would refuse the next one for a moment.
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp", "-screen", "0",
                               "640x480x24"], pass_fds=[write_end], stdout=log, stderr=log)
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        display = numbers.readline().strip()
    if not display.isdigit():
        server.kill()
        sys.exit("Xvfb reported no display; see " + os.path.join(folder, "xvfb.log"))
    return server, ":" + display


def main():
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            print(tool + " is not installed")
            sys.exit(SKIPPED)
    with tempfile.TemporaryDirectory() as folder:
        os.environ["XDG_RUNTIME_DIR"] = os.path.join(folder, "runtime")
        os.mkdir(os.environ["XDG_RUNTIME_DIR"], 0o700)
        os.environ["QT_QPA_PLATFORM"] = "xcb"
        server, display = start_x_server(folder)
        os.environ["DISPLAY"] = display
        try:
            result = subprocess.run([sys.argv[1], *sys.argv[2:]], timeout=100)
        finally:
            server.terminate()
            server.wait(timeout=30)
    sys.exit(result.returncode)


if __name__ == "__main__":
    main()
