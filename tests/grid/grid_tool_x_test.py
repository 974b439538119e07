#!/usr/bin/env python3
"""zdtool grid under a real X server draws the same pixels as offscreen: the render and the
painted window of a grid with fixed cells, a selection, a merged cell, a gradient and a bar
have the same sizes and checksums. Skipped (77) where Xvfb is missing."""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import start_x_server  # noqa: E402

SCRIPT = """new 30 6 1 1 400 300
fill
range 3 1 4
select 5 1 6 3
focus 2 2
type 7 1 gradient
type 8 2 bar
set 8 2 a_hidden 0
set 8 2 a_colors 0x00FF00 0x008000
render {folder}/render.png
paint {folder}/paint.png
"""


def pictures(zdtool, env, folder):
    result = subprocess.run([zdtool, "grid", "-"], input=SCRIPT.format(folder=folder), env=env, text=True,
                            capture_output=True, timeout=60)
    if result.returncode != 0:
        sys.exit("zdtool grid failed:\n" + result.stderr)
    return [line for line in result.stdout.splitlines() if line.startswith(("render=", "paint="))]


def main():
    if shutil.which("Xvfb") is None:
        print("Xvfb is missing")
        sys.exit(77)
    zdtool = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        offscreen = pictures(zdtool, dict(os.environ, QT_QPA_PLATFORM="offscreen"), folder)
        server, display = start_x_server(folder, 800, 600)
        try:
            on_x = pictures(zdtool, dict(os.environ, QT_QPA_PLATFORM="xcb", DISPLAY=display), folder)
        finally:
            server.kill()
            server.wait()
    if len(offscreen) != 2 or offscreen != on_x:
        sys.exit("offscreen %s, under X %s" % (offscreen, on_x))
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
