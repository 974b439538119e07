#!/usr/bin/env python3
"""The program's menus worked from the keyboard alone on a real X server (Xvfb at 1280 x 900, no
window manager), with a project of three tests open: Alt+F opens File with its first item
selected and "File" highlighted on the bar, Down and Right reach the Export submenu, Return runs
"Export measurements as graphic file(s)" and the picture export's dialog opens; then the same by
the mnemonics (Alt+F, E, Return). The menus are read back through the X server with xwd. Exits
77 (skipped) when Xvfb, xdotool or xwd is missing.

menu_keys_test.py PROGRAM ZDTOOL [PICTURE_FOLDER]: with a folder, the menus and the dialog are
kept there as PNG pictures for a person to look at."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
sys.path.insert(0, os.path.join(HERE, "..", "tools"))
from x_server import start_x_server  # noqa: E402
from x_windows import find_window, stop_program, visible_windows, wait_for, wait_for_new_window, xdotool  # noqa: E402,E501
from xwd_picture import read_window  # noqa: E402
from zdtest_util import measurement_record, run_zdtool  # noqa: E402

PROGRAM, ZDTOOL = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
PICTURES = sys.argv[3] if len(sys.argv) > 3 else None
SKIPPED = 77
HIGHLIGHT = (10, 36, 106)
DIALOG = "Export as graphic"
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def keep(name, window):
    """The window's picture, kept as NAME.png in the picture folder once it has stopped changing."""
    picture = read_window(window)
    for _ in range(10):
        time.sleep(0.2)
        again = read_window(window)
        stable = again.pixels == picture.pixels
        picture = again
        if stable:
            break
    if PICTURES:
        picture.save_png(os.path.join(PICTURES, name + ".png"))
    return picture


def check_first_item_selected(picture, what):
    """The popup's first item (below its 3-pixel frame) is drawn in the highlight colour."""
    check(picture.share_of(4, 5, picture.width - 8, 8, HIGHLIGHT) > 0.5,
          "%s: the first item is not highlighted" % what)


def make_project(folder):
    records = os.path.join(folder, "three.bin")
    with open(records, "wb") as out:
        out.write(measurement_record(3, (2021, 7, 15, 14, 5, 9), 1001, 1, 8000, 57, 20, [(0, 70), (2, 30), (0, 0)]))
        out.write(measurement_record(4, (2021, 7, 16, 9, 0, 0), 1002, 1, 6000, 41, 10, [(1, 100), (0, 0), (0, 0)]))
        out.write(measurement_record(5, (2021, 7, 17, 9, 0, 0), 1003, 1, 4000, 41, 10, [(1, 100), (0, 0), (0, 0)]))
    project = os.path.join(folder, "three.jvd")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    run_zdtool(ZDTOOL, env, "project-new", records, project, "--serial", "SN42", "--load-limit", "16000")
    return project


def close_dialog():
    xdotool("key", "Escape")
    return wait_for(lambda: find_window(DIALOG) is None, 10)


def by_arrows(frame):
    """Alt+F, Down four times (Close project, Save project, Save project as, then Export past the
    separator), Right into Export, Return."""
    # Without a window manager nobody gives the new window the keyboard.
    xdotool("windowfocus", "--sync", frame)
    known = visible_windows()
    xdotool("key", "alt+f")
    file_menu = wait_for_new_window(known)
    if not check(file_menu is not None, "Alt+F opened no menu"):
        return
    check_first_item_selected(keep("keys-file-menu", file_menu), "File menu opened by Alt+F")
    bar = keep("keys-main-window", frame)
    check(bar.share_of(1, 2, 20, 16, HIGHLIGHT) > 0.5, "File is not highlighted on the menu bar")
    known = visible_windows()
    xdotool("key", "--delay", "50", "Down", "Down", "Down", "Down", "Right")
    submenu = wait_for_new_window(known)
    if not check(submenu is not None, "Down and Right opened no Export submenu"):
        return
    check_first_item_selected(keep("keys-export-submenu", submenu), "Export submenu opened by Right")
    keep("keys-file-menu-at-export", file_menu)
    xdotool("key", "Return")
    dialog = wait_for(lambda: find_window(DIALOG), 30)
    if not check(dialog is not None, "Return on the Export submenu's first item opened no picture export dialog"):
        return
    keep("keys-picture-export-dialog", dialog)
    check(file_menu not in visible_windows(), "the File menu stayed open under the dialog")
    check(close_dialog(), "Escape did not close the picture export dialog")


def by_mnemonics():
    """Alt+F, E, Return, with the keyboard back at the main window since the dialog closed."""
    xdotool("key", "--delay", "100", "alt+f", "e", "Return")
    check(wait_for(lambda: find_window(DIALOG), 30) is not None,
          "Alt+F, E, Return opened no picture export dialog")
    check(close_dialog(), "Escape did not close the picture export dialog")


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
        project = make_project(folder)
        os.environ["QT_QPA_PLATFORM"] = "xcb"
        server, display = start_x_server(folder, 1280, 900)
        os.environ["DISPLAY"] = display
        program = None
        try:
            log = open(os.path.join(folder, "program.log"), "wb")
            program = subprocess.Popen([PROGRAM, project], cwd=folder, stdout=log, stderr=log,
                                       stdin=subprocess.DEVNULL)
            frame = wait_for(lambda: find_window("ZD-Zedo"), 30)
            if check(frame is not None, "the main window did not appear"):
                keep("keys-main-window-before", frame)
                by_arrows(frame)
                by_mnemonics()
        finally:
            stop_program(program, server)
    for failure in failures:
        print("FAILED: " + failure)
    sys.exit(1 if failures else 0)


main()
