#!/usr/bin/env python3
"""End-to-end test of zdtool picture-export and text-export: the measurement page's exports in
the program's main frame, their files, the clipboard and the options dialogs' pictures."""

import os
import struct
import subprocess
import sys
import tempfile

from zdtest_util import check, measurement_record, run_zdtool

ZDTOOL = sys.argv[1]
PNG_START = b"\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR"


def facts_of(output):
    facts = {}
    for line in output.splitlines():
        key, _, value = line.partition("=")
        facts.setdefault(key, []).append(value)
    return facts


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    check(head[:16] == PNG_START, "%s is a PNG file: %r" % (path, head[:16]))
    return struct.unpack(">II", head[16:24])


def export(env, kind, *args, rc=0):
    result = subprocess.run([ZDTOOL, kind, *args], env=env, capture_output=True, text=True, timeout=120)
    check(result.returncode == rc, "zdtool %s %s exited %d: %s%s" % (kind, args, result.returncode, result.stdout,
                                                                      result.stderr))
    return facts_of(result.stdout), result.stderr


def main():
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, XDG_CONFIG_HOME=folder, TZ="Europe/Berlin", QT_QPA_PLATFORM="offscreen",
                   ZD_TIME_SCALE="100")
        path = lambda name: os.path.join(folder, name)
        with open(path("three.bin"), "wb") as out:
            out.write(measurement_record(3, (2021, 7, 15, 14, 5, 9), 1001, 1, 8000, 57, 20, [(0, 70), (2, 30), (0, 0)]))
            out.write(measurement_record(4, (2021, 7, 16, 9, 0, 0), 1002, 1, 6000, 41, 10, [(1, 100), (0, 0), (0, 0)]))
            out.write(measurement_record(5, (2021, 7, 17, 9, 0, 0), 1003, 1, 4000, 41, 10, [(1, 100), (0, 0), (0, 0)]))
        run_zdtool(ZDTOOL, env, "project-new", path("three.bin"), path("three.jvd"), "--serial", "SN42",
                   "--load-limit", "16000")

        # One file of headers only: the column headers once, 22 pixels a test.
        facts, _ = export(env, "picture-export", path("three.jvd"), path("Grid.png"), "--dialog-png",
                          path("picture-dialog.png"))
        check(facts["result"] == ["0"] and facts["measurements"] == ["3"], "one file: %r" % facts)
        check(facts["file"] == [path("Grid.png")] and facts["restored"] == ["1"], "one file: %r" % facts)
        width, height = png_size(path("Grid.png"))
        check(height == 26 + 3 * 22 and width > 500, "the picture's size: %dx%d" % (width, height))
        dialog_width, dialog_height = png_size(path("picture-dialog.png"))
        check((dialog_width, dialog_height) == (945, 333), "dialog 507 is 630 x 205 units: %dx%d" %
              (dialog_width, dialog_height))

        # Each chosen test to a file of its own, numbered in export order.
        facts, _ = export(env, "picture-export", path("three.jvd"), path("Each.png"), "--target", "each", "--data",
                          "selection", "--select", "0,2", "--content", "details")
        check(facts["file"] == [path("Each1.png"), path("Each2.png")], "separate files: %r" % facts)
        check(facts["measurements"] == ["2"] and facts["restored"] == ["1"], "separate files: %r" % facts)
        for name in ("Each1.png", "Each2.png"):
            check(png_size(path(name))[1] > 26 + 22, "%s has its detail row" % name)
        check(not os.path.exists(path("Each3.png")), "no third file")

        # The clipboard's picture.
        facts, _ = export(env, "picture-export", path("three.jvd"), path("clip.png"), "--target", "clipboard",
                          "--content", "headers")
        check(facts["clipboard_height"] == [str(26 + 3 * 22)] and "file" not in facts, "clipboard: %r" % facts)
        check(png_size(path("clip.png"))[1] == 26 + 3 * 22, "the clipboard's picture as PNG")

        # A .gif name keeps the dialog open until it is cancelled; nothing is written.
        facts, _ = export(env, "picture-export", path("three.jvd"), path("Grid.gif"))
        check(facts["result"] == ["1"] and not os.path.exists(path("Grid.gif")), "a .gif name: %r" % facts)

        # Selection only without any selection: the dialog says so and stays open.
        facts, errors = export(env, "picture-export", path("three.jvd"), path("None.png"), "--data", "selection",
                               rc=1)
        check(facts["result"] == ["1"], "no selection: %r" % facts)
        check("message=You have chosen to export 'Selection only' but none of the measurements has been selected."
              in errors, errors)

        # The list in one file: the mark, the header block and a line per test.
        facts, _ = export(env, "text-export", path("three.jvd"), path("Export.csv"), "--dialog-png",
                          path("text-dialog.png"))
        check(png_size(path("text-dialog.png")) == (901, 331), "dialog 508 is 601 x 204 units")
        check(facts["result"] == ["0"] and facts["measurements"] == ["3"] and facts["file"] == [path("Export.csv")],
              "one text file: %r" % facts)
        with open(path("Export.csv"), "rb") as f:
            data = f.read()
        check(data[:2] == b"\xff\xfe", "the byte-order mark")
        lines = data[2:].decode("utf-16-le").split("\r\n")
        check(lines[0].startswith("ZD-Zedo Version\t") and lines[1] == "-" * 15 and len(lines) == 7,
              "the header block and three lines: %r" % lines[:2])
        check(lines[2].count("\t") == 28 and lines[3].startswith("3\t1001\t2021-07-15\t14:05:09\t"),
              "28 TAB-ended columns, the stamp's own local time: %r" % lines[3][:40])

        # The report, one file per chosen test in export order.
        facts, _ = export(env, "text-export", path("three.jvd"), path("Block.csv"), "--format", "report",
                          "--target", "each", "--data", "selection", "--select", "2,0")
        check(facts["file"] == [path("Block1.csv"), path("Block2.csv")] and facts["measurements"] == ["2"],
              "report files: %r" % facts)
        with open(path("Block2.csv"), "rb") as f:
            block = f.read()[2:].decode("utf-16-le")
        check(block.startswith("ZD-Zedo Report Format Version\t2.0\r\n") and "Slot ID\t5\r\n" in block and
              "-" * 44 not in block, "the second file holds the third test's block alone")

        # The clipboard: the text's UTF-16 units without a mark.
        facts, _ = export(env, "text-export", path("three.jvd"), path("clip.txt"), "--target", "clipboard",
                          "--curve")
        with open(path("clip.txt"), "rb") as f:
            clip = f.read()
        check(facts["clipboard_chars"] == [str(len(clip) // 2)] and clip[:2] != b"\xff\xfe",
              "clipboard text: %r" % facts)
        check(clip.decode("utf-16-le").split("\r\n")[2].count("\t") == 130, "130 columns with the curve data")


if __name__ == "__main__":
    main()
