#!/usr/bin/env python3
"""zdtool org-grid under a real X server draws what it draws offscreen: a step grid with a
selection, the focus frame and a title tip renders to the same picture on both. Skipped (77)
where Xvfb is missing."""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from x_server import start_x_server  # noqa: E402

SCRIPT = """size 400 200
font -12 700 Arial
default-back BDE4D7
rows 8
cols 5
fixed-rows 1
fixed-cols 1
widths 70
heights 20
text 0 1 Step (%)
text 0 2 Nominal Load
text 2 2 a text far too long for seventy pixels
text 3 1 12.5
select 3 1 4 3
focus 4 2
move 150 50
tip
render {picture}
"""


def picture(zdtool, env, folder, name):
    path = os.path.join(folder, name)
    result = subprocess.run([zdtool, "org-grid", "-"], input=SCRIPT.format(picture=path), env=env, text=True,
                            capture_output=True, timeout=60)
    if result.returncode != 0:
        sys.exit("zdtool org-grid failed:\n" + result.stdout + result.stderr)
    if "tip=shown" not in result.stdout:
        sys.exit("no tip was shown:\n" + result.stdout)
    with open(path, "rb") as bmp:
        return bmp.read()


def main():
    if shutil.which("Xvfb") is None:
        print("Xvfb is missing")
        sys.exit(77)
    zdtool = sys.argv[1]
    keep = os.environ.get("ZD_KEEP_PICTURES")
    with tempfile.TemporaryDirectory() as folder:
        folder = keep or folder
        offscreen = picture(zdtool, dict(os.environ, QT_QPA_PLATFORM="offscreen"), folder, "offscreen.bmp")
        server, display = start_x_server(folder, 800, 600)
        try:
            on_x = picture(zdtool, dict(os.environ, QT_QPA_PLATFORM="xcb", DISPLAY=display), folder, "xserver.bmp")
        finally:
            server.kill()
            server.wait()
    if offscreen != on_x:
        sys.exit("the picture under the X server differs from the offscreen one")
    print("org-grid on an X server: 1 passed, 0 failed")


if __name__ == "__main__":
    main()
