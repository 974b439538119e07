"""The X server of the tests that need a real display: Xvfb on a display number it picks itself,
so that parallel runs never collide."""

import os
import subprocess


def start_x_server(folder, width=640, height=480):
    """Starts Xvfb with a screen of the size and returns the server process and its display
    name; its log goes to xvfb.log in the folder. -noreset: a server that resets when its last
    client goes refuses the next one for a moment, and tests connect one program after another."""
    read_end, write_end = os.pipe()
    log_path = os.path.join(folder, "xvfb.log")
    with open(log_path, "wb") as log:
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp", "-screen",
                                   "0", "%dx%dx24" % (width, height)], pass_fds=[write_end], stdout=log, stderr=log)
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        display = numbers.readline().strip()
    if not display.isdigit():
        server.kill()
        raise SystemExit("Xvfb reported no display; see " + log_path)
    return server, ":" + display
