#!/usr/bin/env python3
"""The program on a real X server: Xvfb at 1280 x 900, no window manager, no stored settings.
The main window must lie wholly on the screen and be painted across its whole area (frame, tool
bar, status bar), a popup of its menu bar must be painted, and the Application Settings dialog
must show three one-line drop-down lists, each opening its list below it. The screen is read
back through the X server with xwd. Exits 77 (skipped) when Xvfb, xdotool or xwd is missing.

real_screen_test.py PROGRAM [PICTURE_FOLDER]: with a folder, the screens it read are kept there
as PNG pictures for a person to look at."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

PROGRAM = sys.argv[1]
PICTURES = sys.argv[2] if len(sys.argv) > 2 else None
SKIPPED = 77
SCREEN_WIDTH, SCREEN_HEIGHT = 1280, 900
BUTTON_FACE = (212, 208, 200)
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def start_x_server(folder):
    """Starts Xvfb on a display number it picks itself, so that parallel runs never collide."""
    read_end, write_end = os.pipe()
    log = open(os.path.join(folder, "xvfb.log"), "wb")
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-screen", "0",
                               "%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT)], pass_fds=[write_end], stdout=log,
                              stderr=log)
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        display = numbers.readline().strip()
    if not display.isdigit():
        raise SystemExit("Xvfb reported no display; see its log")
    return server, ":" + display


class Screen:
    """The root window's pixels as xwd writes them: a header of 25 big-endian 32-bit fields
    (its size first), the window name, the colour table, then the rows of pixels."""

    def __init__(self, data):
        fields = struct.unpack(">25I", data[:100])
        header_size, self.width, self.height = fields[0], fields[4], fields[5]
        byte_order, bits_per_pixel, self.stride, colours = fields[7], fields[11], fields[12], fields[19]
        if bits_per_pixel not in (24, 32):
            raise SystemExit("xwd wrote %d bits a pixel; the test reads 24 or 32" % bits_per_pixel)
        self.bytes_per_pixel = bits_per_pixel // 8
        self.little_endian = byte_order == 0
        self.pixels = data[header_size + 12 * colours:]

    def pixel(self, x, y):
        at = y * self.stride + self.bytes_per_pixel * x
        b = self.pixels[at:at + self.bytes_per_pixel]
        return (b[2], b[1], b[0]) if self.little_endian else tuple(b[-3:])

    def save_png(self, path):
        """Writes the screen as an 8-bit RGB PNG: signature, IHDR, one IDAT of unfiltered rows, IEND."""
        rows = b"".join(b"\0" + bytes(c for x in range(self.width) for c in self.pixel(x, y))
                        for y in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            out.write(chunk(b"IDAT", zlib.compress(rows)))
            out.write(chunk(b"IEND", b""))


def read_screen():
    data = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True, timeout=30).stdout
    return Screen(data)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=30)


def wait_for_window(name, timeout=30.0):
    """The id of the first visible window whose title holds the name, once it has been mapped."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = xdotool("search", "--onlyvisible", "--name", name)
        ids = found.stdout.split()
        if ids:
            return ids[0]
        time.sleep(0.1)
    return None


def geometry(window):
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", window).stdout.splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value) if value.lstrip("-").isdigit() else value
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


def settle(name, previous=None, timeout=5.0):
    """Waits until two reads of the screen alike show the program has finished painting; the
    screen is kept as NAME.png in the picture folder."""
    end = time.monotonic() + timeout
    screen = read_screen()
    while time.monotonic() < end:
        time.sleep(0.2)
        again = read_screen()
        stable = again.pixels == screen.pixels and (previous is None or again.pixels != previous.pixels)
        screen = again
        if stable:
            break
    if PICTURES:
        screen.save_png(os.path.join(PICTURES, name + ".png"))
    return screen


def is_black(colour):
    return max(colour) < 16


def check_painted(screen, x, y, width, height, what):
    """No row and no column of the area is black from edge to edge, nor mostly black."""
    for row in range(y, y + height):
        black = sum(is_black(screen.pixel(col, row)) for col in range(x, x + width))
        if not check(black < width // 2, "%s: row %d is %d of %d pixels black" % (what, row - y, black, width)):
            return
    for col in range(x, x + width, 4):
        black = sum(is_black(screen.pixel(col, row)) for row in range(y, y + height))
        if not check(black < height // 2, "%s: column %d is %d of %d pixels black" % (what, col - x, black, height)):
            return


def share_of(screen, x, y, width, height, colour):
    total = width * height
    return sum(screen.pixel(col, row) == colour for row in range(y, y + height) for col in range(x, x + width)) / total


def check_main_window(folder):
    frame = wait_for_window("ZD-Zedo")
    if not check(frame is not None, "the main window did not appear"):
        return None
    screen = settle("main-window")
    x, y, width, height = geometry(frame)
    print("main window: %d, %d, %d x %d" % (x, y, width, height))
    check(x >= 0 and y >= 0 and x + width <= SCREEN_WIDTH and y + height <= SCREEN_HEIGHT,
          "the main window (%d, %d, %d x %d) does not fit the %d x %d screen" % (x, y, width, height, SCREEN_WIDTH,
                                                                             SCREEN_HEIGHT))
    width, height = min(width, SCREEN_WIDTH - x), min(height, SCREEN_HEIGHT - y)
    check_painted(screen, x, y, width, height, "main window")
    # The menu bar and tool bar at the top and the status bar at the bottom are button face.
    check(share_of(screen, x, y, width, 20, BUTTON_FACE) > 0.5, "the menu bar is not painted in the face colour")
    check(share_of(screen, x, y + height - 18, width, 16, BUTTON_FACE) > 0.5,
          "the status bar at the window's bottom is not painted in the face colour")
    return frame, x, y, width, height, screen


def check_popup_menu(x, y, before):
    """Clicks "File" on the menu bar: its popup opens below and is painted."""
    xdotool("mousemove", str(x + 15), str(y + 9), "click", "1")
    screen = settle("file-menu", before)
    area = (x + 2, y + 22, 120, 120)
    check_painted(screen, *area, what="file menu popup")
    changed = sum(screen.pixel(col, row) != before.pixel(col, row)
                  for row in range(area[1], area[1] + area[3]) for col in range(area[0], area[0] + area[2]))
    check(changed > area[2] * area[3] // 4, "no popup menu was drawn below the menu bar (%d pixels changed)" % changed)
    return screen


def check_settings_dialog():
    """Opens Application Settings from the open File popup (its seventh entry, separators not
    counted) and checks its drop-down lists."""
    xdotool("key", *(["Down"] * 7), "Return")
    dialog = wait_for_window("Application Settings", timeout=10)
    if not check(dialog is not None, "the Application Settings dialog did not open"):
        return
    screen = settle("settings-dialog")
    dx, dy, dwidth, dheight = geometry(dialog)
    print("settings dialog: %d, %d, %d x %d" % (dx, dy, dwidth, dheight))
    check_painted(screen, dx, dy, dwidth, dheight, "settings dialog")
    # The language box: 15, 20 dialog units are 22, 32 pixels; one line high it ends at 53, and
    # the date-format label at 66 units (107 pixels) shows beneath the group box.
    box_x, box_y = dx + 22, dy + 32
    check(share_of(screen, box_x + 20, box_y + 24, 200, 40, BUTTON_FACE) > 0.8,
          "the language box reaches below one line")
    # The dropped list opens below the box and shows the choices on the window colour.
    xdotool("mousemove", str(box_x + 100), str(box_y + 10), "click", "1")
    dropped = settle("settings-dropped", screen)
    changed_below = sum(dropped.pixel(col, row) != screen.pixel(col, row)
                        for row in range(box_y + 22, box_y + 40) for col in range(box_x + 4, box_x + 200))
    changed_above = sum(dropped.pixel(col, row) != screen.pixel(col, row)
                        for row in range(box_y - 30, box_y - 4) for col in range(box_x + 4, box_x + 200))
    check(changed_below > 1000, "no list dropped below the language box")
    check(changed_above == 0, "the dropped list covers what lies above the box")
    xdotool("key", "Escape")
    xdotool("key", "Escape")


def main():
    for tool in ("Xvfb", "xdotool", "xwd"):
        if shutil.which(tool) is None:
            print("%s is not installed" % tool)
            sys.exit(SKIPPED)
    with tempfile.TemporaryDirectory() as folder:
        os.environ["XDG_CONFIG_HOME"] = os.path.join(folder, "config")
        os.environ["XDG_DATA_HOME"] = os.path.join(folder, "data")
        os.environ["XDG_RUNTIME_DIR"] = os.path.join(folder, "runtime")
        os.mkdir(os.environ["XDG_RUNTIME_DIR"], 0o700)
        os.environ["QT_QPA_PLATFORM"] = "xcb"
        server, display = start_x_server(folder)
        os.environ["DISPLAY"] = display
        program = None
        try:
            log = open(os.path.join(folder, "program.log"), "wb")
            program = subprocess.Popen([PROGRAM], cwd=folder, stdout=log, stderr=log, stdin=subprocess.DEVNULL)
            found = check_main_window(folder)
            if found:
                frame, x, y, width, height, screen = found
                check_popup_menu(x, y, screen)
                check_settings_dialog()
        finally:
            if program:
                program.terminate()
                try:
                    program.wait(timeout=20)
                except subprocess.TimeoutExpired:
                    program.kill()
            server.terminate()
            server.wait(timeout=20)
    for failure in failures:
        print("FAILED: " + failure)
    sys.exit(1 if failures else 0)


main()
