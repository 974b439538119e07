#!/usr/bin/env python3
"""zdtool grid drives the grid with the mouse and the keys: typing on the focus cell opens the
editor with the typed text, Return takes it (-175 before, -176 after), F2 opens it with the
caret after the text, Escape ends it unchanged (-195); a sub-area shows its tip while the mouse
is over it; a press, its release and a key move notify in their orders; dragging a column
border sizes the column. Under Xvfb, when it is there, the same script reports the same facts.
The pictures of the grid with the editor open and with the tip go to ZD_PICTURES when set."""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import start_x_server  # noqa: E402

SCRIPT = """new 8 5 1 1 500 300
width 0-4 60
height 0-7 20
fill
log -175,-176,-195
focus 2 2
type "xy"
editor
window {folder}/editor.png
key return
editor
cell 2 2
key f2
editor
key escape
subarea 3 1 5,5,30,15 "Peak" "the highest load"
mouse move 70 70
tip
window {folder}/tip-grid.png {folder}/tip.png
mouse move 100 70
tip
log -100,-101,-120,-2,273
mouse press 190 70
mouse release 190 70
key down
log none
mouse move 179 10
mouse press 179 10
mouse move 200 10
mouse release 200 10
widths 2-2
"""

EXPECTED = [
    "notify=-175 row=2 col=2",
    'editor=open row=2 col=2 text="xy" sel=2,2 rect=120,40,179,59',
    "notify=-176 row=2 col=2",
    "editor=none",
    None,  # the cell line, checked below
    "notify=-175 row=2 col=2",
    'editor=open row=2 col=2 text="xy" sel=2,2 rect=120,40,179,59',
    "notify=-195 row=2 col=2",
    'tip=set title="Peak" text="the highest load" rect=65,65,90,75 shown="the highest load"',
    "tip=none",
    "notify=-120 row=3 col=3",
    "notify=-100 row=3 col=3",
    "notify=-100 row=3 col=3",
    "notify=-101 row=3 col=3",
    "notify=-2 row=3 col=3",
    "command=100 code=0",
    "notify=-100 row=4 col=3",
    "notify=-100 row=4 col=3",
    "notify=-101 row=4 col=3",
    "notify=-120 row=4 col=3",
    "widths=80",
]


def run(zdtool, env, folder):
    result = subprocess.run([zdtool, "grid", "-"], input=SCRIPT.format(folder=folder), env=env, text=True,
                            capture_output=True, timeout=60)
    if result.returncode != 0:
        sys.exit("zdtool grid failed:\n" + result.stdout + result.stderr)
    return [line for line in result.stdout.splitlines() if not line.startswith("window=")]


def check(lines, where):
    if len(lines) != len(EXPECTED):
        sys.exit("%s: %d lines, not %d:\n%s" % (where, len(lines), len(EXPECTED), "\n".join(lines)))
    for got, want in zip(lines, EXPECTED):
        if want is None:
            if not got.startswith('cell=2,2 text="xy" '):
                sys.exit("%s: the edited cell: %s" % (where, got))
        elif got != want:
            sys.exit("%s: %s, not %s" % (where, got, want))


def keep_pictures(folder, prefix):
    target = os.environ.get("ZD_PICTURES")
    if not target:
        return
    os.makedirs(target, exist_ok=True)
    for name in ("editor.png", "tip-grid.png", "tip.png"):
        if os.path.exists(os.path.join(folder, name)):
            shutil.copy(os.path.join(folder, name), os.path.join(target, prefix + name))


def main():
    zdtool = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        check(run(zdtool, dict(os.environ, QT_QPA_PLATFORM="offscreen"), folder), "offscreen")
        for name in ("editor.png", "tip.png"):
            with open(os.path.join(folder, name), "rb") as png:
                if png.read(8) != b"\x89PNG\r\n\x1a\n":
                    sys.exit(name + " is no PNG file")
        keep_pictures(folder, "offscreen-")
        if shutil.which("Xvfb"):
            server, display = start_x_server(folder, 800, 600)
            try:
                check(run(zdtool, dict(os.environ, QT_QPA_PLATFORM="xcb", DISPLAY=display), folder), "under X")
            finally:
                server.kill()
                server.wait()
            keep_pictures(folder, "x-")
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
