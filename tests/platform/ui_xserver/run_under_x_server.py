#!/usr/bin/env python3
"""Runs a test program under an X server of its own: Xvfb on a display number it picks itself,
so that parallel runs never collide. Options before the program: --window-manager has twm frame
the program's windows as a desktop's window manager would; --screen WIDTHxHEIGHT sets the
screen's size (640x480 without it); --timeout SECONDS the time the program may take (100
without it). Exits 77 (skipped) when Xvfb, xdotool or the window manager is missing."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from x_server import start_x_server  # noqa: E402

SKIPPED = 77
# Windows go where the program asks; the fonts are the server's built-in one.
TWM_CONFIG = "".join(line + "\n" for line in [
    'UsePPosition "on"', "RandomPlacement", "ShowIconManager", 'TitleFont "fixed"', 'MenuFont "fixed"',
    'IconFont "fixed"', 'ResizeFont "fixed"', 'IconManagerFont "fixed"'])


def start_window_manager(folder, deadline_seconds=30):
    """Starts twm and returns once it manages the screen, which it shows by its icon manager."""
    config = os.path.join(folder, "twmrc")
    with open(config, "w") as out:
        out.write(TWM_CONFIG)
    manager = subprocess.Popen(["twm", "-f", config], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    end = time.monotonic() + deadline_seconds
    while time.monotonic() < end:
        found = subprocess.run(["xdotool", "search", "--name", "Icon Manager"], capture_output=True)
        if found.returncode == 0 and found.stdout.strip():
            return manager
        time.sleep(0.05)
    manager.kill()
    raise SystemExit("the window manager never started")


def main():
    arguments = sys.argv[1:]
    framed = False
    screen = (640, 480)
    timeout = 100
    while arguments and arguments[0].startswith("--"):
        option = arguments.pop(0)
        if option == "--window-manager":
            framed = True
        elif option == "--screen":
            screen = tuple(int(side) for side in arguments.pop(0).split("x"))
        elif option == "--timeout":
            timeout = int(arguments.pop(0))
        else:
            raise SystemExit("unknown option " + option)
    for tool in ("Xvfb", "xdotool") + (("twm",) if framed else ()):
        if shutil.which(tool) is None:
            print(tool + " is not installed")
            sys.exit(SKIPPED)
    with tempfile.TemporaryDirectory() as folder:
        os.environ["XDG_RUNTIME_DIR"] = os.path.join(folder, "runtime")
        os.mkdir(os.environ["XDG_RUNTIME_DIR"], 0o700)
        os.environ["QT_QPA_PLATFORM"] = "xcb"
        server, display = start_x_server(folder, *screen)
        os.environ["DISPLAY"] = display
        manager = None
        try:
            manager = start_window_manager(folder) if framed else None
            result = subprocess.run(arguments, timeout=timeout)
        finally:
            if manager:
                manager.terminate()
                manager.wait(timeout=30)
            server.terminate()
            server.wait(timeout=30)
    sys.exit(result.returncode)


if __name__ == "__main__":
    main()
