#!/usr/bin/env python3
"""The program on a real X server: Xvfb at 1280 x 900, no window manager, no stored settings.
The main window must lie wholly on the screen and be painted across its whole area (frame, tool
bar, status bar), a popup of its menu bar must be painted, and the Application Settings dialog
must show three one-line drop-down lists, each opening its list below it. Each window is read
back through the X server with xwd. Exits 77 (skipped) when Xvfb, xdotool or xwd is missing.

real_screen_test.py PROGRAM [PICTURE_FOLDER]: with a folder, the windows it read are kept there
as PNG pictures for a person to look at."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import start_x_server  # noqa: E402
from x_windows import find_window, stop_program, visible_windows, wait_for, wait_for_new_window, xdotool  # noqa: E402,E501
from xwd_picture import read_window  # noqa: E402

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


def geometry(window):
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", window).stdout.splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value) if value.lstrip("-").isdigit() else value
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


def settle(name, window, timeout=5.0):
    """Waits until two reads of the window alike show the program has finished painting it; the
    picture is kept as NAME.png in the picture folder."""
    end = time.monotonic() + timeout
    picture = read_window(window)
    while time.monotonic() < end:
        time.sleep(0.2)
        again = read_window(window)
        stable = again.pixels == picture.pixels
        picture = again
        if stable:
            break
    if PICTURES:
        picture.save_png(os.path.join(PICTURES, name + ".png"))
    return picture


def is_black(colour):
    return max(colour) < 16


def check_painted(picture, what):
    """No row and no column of the window is black from edge to edge, nor mostly black."""
    width, height = picture.width, picture.height
    for row in range(height):
        black = sum(is_black(picture.pixel(col, row)) for col in range(width))
        if not check(black < width // 2, "%s: row %d is %d of %d pixels black" % (what, row, black, width)):
            return
    for col in range(0, width, 4):
        black = sum(is_black(picture.pixel(col, row)) for row in range(height))
        if not check(black < height // 2, "%s: column %d is %d of %d pixels black" % (what, col, black, height)):
            return


def light_share(picture, x, y, width, height):
    """The share of pixels lighter than the dialog's face colour, as a box's field is."""
    total = width * height
    return sum(min(picture.pixel(col, row)) >= 230 for row in range(y, y + height) for col in range(x, x + width)) / total


def check_main_window():
    frame = wait_for(lambda: find_window("ZD-Zedo"), 30)
    if not check(frame is not None, "the main window did not appear"):
        return None
    picture = settle("main-window", frame)
    x, y, width, height = geometry(frame)
    print("main window: %d, %d, %d x %d" % (x, y, width, height))
    check(x >= 0 and y >= 0 and x + width <= SCREEN_WIDTH and y + height <= SCREEN_HEIGHT,
          "the main window (%d, %d, %d x %d) does not fit the %d x %d screen" % (x, y, width, height, SCREEN_WIDTH,
                                                                             SCREEN_HEIGHT))
    check_painted(picture, "main window")
    # Only the part on the screen can be read back.
    width, height = picture.width, picture.height
    # The menu bar and tool bar at the top and the status bar at the bottom are button face.
    check(picture.share_of(0, 0, width, 20, BUTTON_FACE) > 0.5, "the menu bar is not painted in the face colour")
    check(picture.share_of(0, height - 18, width, 16, BUTTON_FACE) > 0.5,
          "the status bar at the window's bottom is not painted in the face colour")
    return x, y


def check_popup_menu(x, y):
    """Clicks "File" on the menu bar: its popup opens below the bar and is painted."""
    known = visible_windows()
    xdotool("mousemove", str(x + 15), str(y + 9), "click", "1")
    popup = wait_for_new_window(known)
    if not check(popup is not None, "no popup menu opened from the menu bar"):
        return False
    picture = settle("file-menu", popup)
    px, py, width, height = geometry(popup)
    print("file menu: %d, %d, %d x %d" % (px, py, width, height))
    check(py >= y + 15 and abs(px - x) < 20, "the popup opens at %d, %d, not below File" % (px, py))
    check(width > 60 and height > 100, "the popup is only %d x %d" % (width, height))
    check_painted(picture, "file menu popup")
    check(picture.share_of(0, 0, width, height, BUTTON_FACE) > 0.5, "the popup is not painted in the menu colour")
    return True


def check_settings_dialog():
    """Opens Application Settings from the open File popup (its seventh entry, separators not
    counted) and checks its drop-down lists."""
    xdotool("key", *(["Down"] * 7), "Return")
    dialog = wait_for(lambda: find_window("Application Settings"), 10)
    if not check(dialog is not None, "the Application Settings dialog did not open"):
        return
    picture = settle("settings-dialog", dialog)
    dx, dy, width, height = geometry(dialog)
    print("settings dialog: %d, %d, %d x %d" % (dx, dy, width, height))
    check_painted(picture, "settings dialog")
    # The three boxes at 15, 20 and 90, 64 and 90, 86 dialog units are at 22, 32 and 135, 104
    # and 135, 139 pixels; one line high, each ends 21 pixels lower: its field's colour does not
    # reach the rows beneath it.
    for name, bx, by in (("language", 22, 32), ("date format", 135, 104), ("time format", 135, 139)):
        # Right of the chosen text and left of the arrow the field is light, the dialog is not.
        check(light_share(picture, bx + 100, by + 4, 80, 13) > 0.9, "the %s box is not drawn" % name)
        check(light_share(picture, bx + 100, by + 23, 80, 8) < 0.1, "the %s box reaches below one line" % name)
    # The date format's list drops below its box and shows the choices.
    known = visible_windows()
    xdotool("mousemove", str(dx + 135 + 100), str(dy + 104 + 10), "click", "1")
    dropped = wait_for_new_window(known)
    if not check(dropped is not None, "the date format box dropped no list"):
        return
    list_picture = settle("settings-dropped", dropped)
    lx, ly, lwidth, lheight = geometry(dropped)
    print("dropped list: %d, %d, %d x %d" % (lx, ly, lwidth, lheight))
    check(dy + 104 + 19 <= ly <= dy + 104 + 26, "the list opens at %d, not below the box at %d" % (ly, dy + 104))
    check(lheight >= 30, "the list is %d pixels high, less than two choices" % lheight)
    check_painted(list_picture, "dropped list")
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
        server, display = start_x_server(folder, SCREEN_WIDTH, SCREEN_HEIGHT)
        os.environ["DISPLAY"] = display
        program = None
        try:
            log = open(os.path.join(folder, "program.log"), "wb")
            program = subprocess.Popen([PROGRAM], cwd=folder, stdout=log, stderr=log, stdin=subprocess.DEVNULL)
            corner = check_main_window()
            if corner and check_popup_menu(*corner):
                check_settings_dialog()
        finally:
            stop_program(program, server)
    for failure in failures:
        print("FAILED: " + failure)
    sys.exit(1 if failures else 0)


main()
