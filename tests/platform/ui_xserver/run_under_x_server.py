#!/usr/bin/env python3
"""Runs a test program under an X server of its own: Xvfb on a display number it picks itself,
so that parallel runs never collide. Exits 77 (skipped) when Xvfb or xdotool is missing."""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from x_server import start_x_server  # noqa: E402

SKIPPED = 77


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
