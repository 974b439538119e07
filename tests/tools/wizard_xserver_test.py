#!/usr/bin/env python3
"""The connection wizard under a real X server: its pages drawn alone and the whole wizard as it
shows the search result for a simulated ZD-2, each written as a picture next to the test's build
folder for a person to look at. Exits 77 (skipped) when Xvfb is not installed."""

import os
import shutil
import sys
import tempfile

from zdtest_util import Simulator, check, run_zdtool

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import start_x_server  # noqa: E402

ZDTOOL, ZD2SIM, OUT = sys.argv[1], sys.argv[2], sys.argv[3]
SKIPPED = 77
COM = 44
PAGES = (21032, 21018, 21030, 21031)


def is_png(path):
    with open(path, "rb") as f:
        return f.read(8) == b"\x89PNG\r\n\x1a\n"


def main():
    if not shutil.which("Xvfb"):
        print("Xvfb is not installed")
        sys.exit(SKIPPED)
    os.makedirs(OUT, exist_ok=True)
    with tempfile.TemporaryDirectory() as workdir:
        server, display = start_x_server(workdir)
        try:
            env = dict(os.environ, XDG_CONFIG_HOME=workdir, ZD_TIME_SCALE="20", QT_QPA_PLATFORM="xcb",
                       DISPLAY=display)
            for page in PAGES:
                picture = os.path.join(OUT, f"wizard-page-{page}-x.png")
                run_zdtool(ZDTOOL, env, "render-dialog", str(page), picture)
                check(is_png(picture), f"page {page} drawn")
            picture = os.path.join(OUT, "wizard-found-x.png")
            with Simulator(ZD2SIM, env, "--pty", "--com", str(COM)):
                lines = run_zdtool(ZDTOOL, env, "frame", "--program-folder", workdir, "--com", str(COM),
                                   "--wizard-picture", picture, "download", os.path.join(workdir, "P.jvd"))
            check("wizard=finish" in lines.splitlines() and is_png(picture), f"wizard drawn: {lines}")
        finally:
            server.terminate()
            server.wait()
    print("wizard under X: all checks passed")


if __name__ == "__main__":
    main()
