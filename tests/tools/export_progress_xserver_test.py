#!/usr/bin/env python3
"""The picture export's progress dialog on a real X server: zdtool picture-export of a project
of 2,000 tests runs under Xvfb while the test reads the progress dialog's pixels from the
server with xwd again and again. The export holds up the program's event loop all along, yet
the dialog must show painted (its face colour around its controls) and its pixels must change between reads. The
reads are kept as PNG pictures in OUT for a person to look at. Exits 77 (skipped) when Xvfb,
xdotool or xwd is missing.

export_progress_xserver_test.py ZDTOOL OUT"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from zdtest_util import check, measurement_record, run_zdtool

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import start_x_server  # noqa: E402

ZDTOOL, OUT = sys.argv[1], sys.argv[2]
SKIPPED = 77
TESTS = 2000
# The progress dialog (200 x 50 dialog units) is the one window of the program's caption that
# is smaller than this.
DIALOG_MOST = (500, 200)
BUTTON_FACE = bytes((212, 208, 200))


def read_window(env, window):
    """The window's pixels as (width, height, rows of RGB bytes), or None once it has gone."""
    result = subprocess.run(["xwd", "-silent", "-id", window], env=env, capture_output=True, timeout=30)
    data = result.stdout
    if result.returncode != 0 or len(data) < 100:
        return None
    fields = struct.unpack(">25I", data[:100])
    header, width, height, little = fields[0], fields[4], fields[5], fields[7] == 0
    step, stride, colours = fields[11] // 8, fields[12], fields[19]
    pixels = data[header + 12 * colours:]
    if step not in (3, 4) or len(pixels) < stride * height:
        return None
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            p = pixels[y * stride + step * x:y * stride + step * (x + 1)]
            row += bytes((p[2], p[1], p[0])) if little else p[-3:]
        rows.append(bytes(row))
    return width, height, rows


def save_png(path, picture):
    width, height, rows = picture

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(b"".join(b"\0" + row for row in rows))))
        out.write(chunk(b"IEND", b""))


def progress_dialog(env):
    """The X window of the progress dialog, or None while it is not up."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^ZD-Zedo$"], env=env,
                           capture_output=True, text=True, timeout=30)
    for window in found.stdout.split():
        shape = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env, capture_output=True,
                               text=True, timeout=30).stdout
        size = dict(line.split("=", 1) for line in shape.split() if "=" in line)
        if int(size.get("WIDTH", 9999)) < DIALOG_MOST[0] and int(size.get("HEIGHT", 9999)) < DIALOG_MOST[1]:
            return window
    return None


def main():
    for tool in ("Xvfb", "xdotool", "xwd"):
        if not shutil.which(tool):
            print(tool + " is not installed")
            sys.exit(SKIPPED)
    os.makedirs(OUT, exist_ok=True)
    with tempfile.TemporaryDirectory() as folder:
        path = lambda name: os.path.join(folder, name)
        env = dict(os.environ, XDG_CONFIG_HOME=folder, TZ="Europe/Berlin", QT_QPA_PLATFORM="offscreen")
        with open(path("tests.bin"), "wb") as out:
            for i in range(TESTS):
                out.write(measurement_record(i % 250 + 1, (2021, 1 + i % 12, 1 + i % 28, i % 24, i % 60, 0), 1000 + i,
                                             1, 4000 + i, 41, 10, [(1, 100), (0, 0), (0, 0)]))
        run_zdtool(ZDTOOL, env, "project-new", path("tests.bin"), path("tests.jvd"))
        server, display = start_x_server(folder, 1280, 900)
        try:
            env = dict(env, QT_QPA_PLATFORM="xcb", DISPLAY=display)
            export = subprocess.Popen([ZDTOOL, "picture-export", path("tests.jvd"), path("tests.png")], env=env,
                                      stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
            reads = []
            try:
                while export.poll() is None:
                    window = progress_dialog(env)
                    picture = read_window(env, window) if window else None
                    if picture:
                        reads.append(picture)
            finally:
                stdout, stderr = export.communicate(timeout=300)
        finally:
            server.terminate()
            server.wait()
        check(export.returncode == 0 and "result=0" in stdout and f"measurements={TESTS}" in stdout,
              f"the export: {stdout}{stderr}")
        check(len(reads) >= 2, f"the progress dialog was read {len(reads)} times while the export ran")
        for index, picture in enumerate(reads):
            save_png(os.path.join(OUT, "export-progress-%02d.png" % index), picture)
        # Painted: the dialog's face colour at its bottom corners, below its text.
        painted = [rows for width, _, rows in reads
                   if rows[-4][9:12] == BUTTON_FACE and rows[-4][3 * (width - 4):3 * (width - 3)] == BUTTON_FACE]
        check(len(painted) == len(reads), f"{len(reads) - len(painted)} of {len(reads)} reads showed no painted dialog")
        check(len({b"".join(rows) for rows in painted}) >= 2, "the dialog's pixels never changed")
    print("export progress under X: all checks passed")


if __name__ == "__main__":
    main()
