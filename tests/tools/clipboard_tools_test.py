#!/usr/bin/env python3
"""End-to-end test of copy and paste between two running copies of the program: under a real X
server one zdtool process copies a project's measurements to the clipboard and keeps serving
them, a second one pastes them into a new project. Both projects must dump alike. Exits 77
(skipped) when Xvfb is not installed."""

import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile

ZDTOOL = sys.argv[1]
SKIPPED = 77
NO_DATA = "the clipboard holds no measurements\n"


def record(slot, ident, unit, peak, modes):
    raw = bytearray(238)
    struct.pack_into("<H", raw, 0, 238)
    raw[4] = slot
    raw[5:11] = bytes([21, 3, slot, 9, 30, 0])
    struct.pack_into("<I", raw, 11, ident)
    struct.pack_into("<HHBH", raw, 16, 1963, 150, unit, 16000)
    for i, (klass, percent) in enumerate(modes):
        raw[23 + i] = klass
        raw[26 + i] = percent
    struct.pack_into("<HHH", raw, 29, 5, peak, 60)
    struct.pack_into("<H", raw, 35 + 2 * 20, peak)
    struct.pack_into("<H", raw, 236, 148)
    return bytes(raw)


def expect(condition, message):
    if not condition:
        print("FAILED:", message)
        sys.exit(1)


def start_x_server(folder):
    """Starts Xvfb on a display number it picks itself, so that parallel runs never collide."""
    read_end, write_end = os.pipe()
    log = open(os.path.join(folder, "xvfb.log"), "wb")
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-screen", "0",
                               "640x480x24"], pass_fds=[write_end], stdout=log, stderr=log)
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        display = numbers.readline().strip()
    expect(display.isdigit(), "Xvfb reported no display; see its log")
    return server, ":" + display


def run(*args):
    return subprocess.run([ZDTOOL, *args], capture_output=True, text=True, stdin=subprocess.DEVNULL, timeout=60)


def start_copy(project):
    """Starts clip-copy and waits until it owns the clipboard."""
    copier = subprocess.Popen([ZDTOOL, "clip-copy", project], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, text=True)
    line = copier.stdout.readline()
    if line != "copied 3\n":
        copier.kill()
        expect(False, "clip-copy: %r %s" % (line, copier.stderr.read()))
    return copier


def main():
    if shutil.which("Xvfb") is None:
        print("Xvfb is not installed")
        sys.exit(SKIPPED)
    with tempfile.TemporaryDirectory() as folder:
        path = lambda name: os.path.join(folder, name)
        os.environ["XDG_CONFIG_HOME"] = folder
        os.environ["XDG_RUNTIME_DIR"] = path("runtime")
        os.mkdir(path("runtime"), 0o700)
        os.environ["TZ"] = "Europe/Berlin"
        os.environ["QT_QPA_PLATFORM"] = "xcb"
        server, display = start_x_server(folder)
        os.environ["DISPLAY"] = display
        try:
            with open(path("download.bin"), "wb") as out:
                out.write(record(3, 1001, 1, 8000, [(0, 70), (2, 30), (0, 0)]))
                out.write(record(4, 1002, 0, 9000, [(5, 100), (0, 0), (0, 0)]))
                out.write(record(7, 1003, 1, 7500, [(1, 50), (3, 50), (0, 0)]))
            made = run("project-new", path("download.bin"), path("a.jvd"), "--serial", "SN42", "--model",
                       "VA-216", "--load-limit", "16000")
            expect(made.returncode == 0, "project-new: " + made.stderr)

            copier = start_copy(path("a.jvd"))
            pasted = run("clip-paste", path("b.jvd"))
            expect(pasted.returncode == 0 and pasted.stdout == "pasted 3\n", "clip-paste: " + pasted.stderr)
            copier.stdin.close()
            expect(copier.wait(timeout=30) == 0, "clip-copy did not end cleanly when its input ended")

            source = run("project-dump", path("a.jvd"))
            copy = run("project-dump", path("b.jvd"))
            expect(source.returncode == 0 and copy.returncode == 0, "project-dump failed")
            expect("measurements=3\n" in source.stdout, "the source project lacks its measurements")
            expect(copy.stdout == source.stdout, "pasted project differs:\n" + copy.stdout)

            # On X11 the data lives in the process that copied it.
            gone = run("clip-paste", path("c.jvd"))
            expect(gone.returncode == 1 and gone.stderr.endswith(NO_DATA), "paste after the copier ended")
            expect(not os.path.exists(path("c.jvd")), "a paste of nothing wrote a project")

            copier = start_copy(path("a.jvd"))
            copier.send_signal(signal.SIGTERM)
            expect(copier.wait(timeout=30) == 0, "clip-copy did not end cleanly on SIGTERM")
        finally:
            server.terminate()
            server.wait(timeout=30)
    print("zdtool clipboard subcommands passed")


main()
