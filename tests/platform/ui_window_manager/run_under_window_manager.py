#!/usr/bin/env python3
"""Runs a test program under an X server of its own with a window manager that frames the
windows (twm). Exits 77 (skipped) when Xvfb, twm or xdotool is missing."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from x_server import start_x_server  # noqa: E402

SKIPPED = 77
# Windows go where the program asks; the fonts are the server's built-in one. The window manager
# shows its icon manager once it manages the screen.
TWM_CONFIG = "".join(line + "\n" for line in [
    'UsePPosition "on"', "RandomPlacement", "ShowIconManager", 'TitleFont "fixed"', 'MenuFont "fixed"',
    'IconFont "fixed"', 'ResizeFont "fixed"', 'IconManagerFont "fixed"'])


def wait_for_window_manager(deadline_seconds=30):
    end = time.monotonic() + deadline_seconds
    while time.monotonic() < end:
        found = subprocess.run(["xdotool", "search", "--name", "Icon Manager"], capture_output=True)
        if found.returncode == 0 and found.stdout.strip():
            return
        time.sleep(0.05)
    raise SystemExit("the window manager never started")


def main():
    for tool in ("Xvfb", "twm", "xdotool"):
        if shutil.which(tool) is None:
            print(tool + " is not installed")
            sys.exit(SKIPPED)
    with tempfile.TemporaryDirectory() as folder:
        os.environ["XDG_RUNTIME_DIR"] = os.path.join(folder, "runtime")
        os.mkdir(os.environ["XDG_RUNTIME_DIR"], 0o700)
        os.environ["QT_QPA_PLATFORM"] = "xcb"
        server, display = start_x_server(folder)
        os.environ["DISPLAY"] = display
        config = os.path.join(folder, "twmrc")
        with open(config, "w") as out:
            out.write(TWM_CONFIG)
        manager = subprocess.Popen(["twm", "-f", config], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            wait_for_window_manager()
            result = subprocess.run([sys.argv[1], *sys.argv[2:]], timeout=100)
        finally:
            manager.terminate()
            manager.wait(timeout=30)
            server.terminate()
            server.wait(timeout=30)
    sys.exit(result.returncode)


if __name__ == "__main__":
    main()
