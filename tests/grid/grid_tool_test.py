#!/usr/bin/env python3
"""zdtool grid: a script builds a grid of columns 50 pixels wide and rows 20 high with one
heading row and one heading column, and the pictures show the fixed cells raised in the button
face, grey lines on the right and bottom pixel of every scrolled cell, a selected cell in its
inverted back colour and a merged cell without inner lines; the render is as large as all
columns and rows. A failing line ends the run with its number."""

import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from zdtest_util import measurement_record  # noqa: E402

BUTTON_FACE = "D4D0C8"
WHITE = "FFFFFF"
DARK_SHADOW = "404040"
LINE = "C0C0C0"


def run(zdtool, script, rc=0):
    result = subprocess.run([zdtool, "grid", "-"], input=script, capture_output=True, text=True, timeout=60)
    if result.returncode != rc:
        sys.exit(f"zdtool grid exited {result.returncode}, not {rc}\n{result.stdout}\n{result.stderr}")
    return result


def facts(stdout):
    found = {}
    for line in stdout.splitlines():
        for word in line.split(" "):
            if "=" in word:
                key, value = word.split("=", 1)
                found.setdefault(key, []).append(value)
    return found


def check(condition, message):
    if not condition:
        sys.exit(message)


def main():
    zdtool = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        paint = os.path.join(folder, "paint.png")
        render = os.path.join(folder, "render.png")
        script = f"""
new 12 4 1 1 300 200
width 0-3 50
height 0-11 20
fill
select 2 1 2 1       # (2, 1) selected
range 4 1 3          # one cell over columns 1 to 3
focus 3 3
log none
facts
paint {paint}
pixel paint 0 0
pixel paint 49 19
pixel paint 10 10
pixel paint 99 30
pixel paint 60 39
pixel paint 70 45
pixel paint 99 85
pixel paint 149 85
pixel paint 199 85
render {render}
at 75 45
cell 4 1
"""
        result = run(zdtool, script)
        found = facts(result.stdout)
        pixels = dict(zip(found["pixel"], found["rgb"]))
        check(found["rows"] == ["12"] and found["fixed_cols"] == ["1"], "counts: " + result.stdout)
        check(found["selected_count"] == ["1"], "selected count: " + result.stdout)
        check(found["focus"] == ["3,3"], "focus: " + result.stdout)
        check(pixels["0,0"] == WHITE, "fixed cell's top-left edge: " + pixels["0,0"])
        check(pixels["49,19"] == DARK_SHADOW, "fixed cell's bottom-right edge: " + pixels["49,19"])
        check(pixels["10,10"] == BUTTON_FACE, "fixed cell's face: " + pixels["10,10"])
        check(pixels["99,30"] == LINE and pixels["60,39"] == LINE, "grid lines: " + str(pixels))
        check(pixels["70,45"] == "020000", "selected cell: " + pixels["70,45"])
        check(pixels["99,85"] != LINE and pixels["149,85"] != LINE, "merged cell's inner lines: " + str(pixels))
        check(pixels["199,85"] == LINE, "merged cell's right edge: " + pixels["199,85"])
        check(found["render"] == ["200x240"], "render size: " + str(found["render"]))
        check(found["at"] == ["2,1"], "cell at a point: " + str(found["at"]))
        check(found["rect"] == ["50,80,199,99"], "merged cell's rectangle: " + str(found["rect"]))
        for picture in (paint, render):
            with open(picture, "rb") as png:
                check(png.read(8) == b"\x89PNG\r\n\x1a\n", picture + " is no PNG file")

    scrolled = run(zdtool, "new 200 3 1 1 300 200\noption whole_row_scrolling 0\nheight 1-199 300\n"
                   "vscroll linedown\nfacts\nwheel -120 50 50\nfacts\n")
    found = facts(scrolled.stdout)
    check(found["vpos"] == ["15", "60"], "pixel scrolling positions: " + str(found["vpos"]))
    check(found["top_row_offset"] == ["-15", "-60"], "top row offsets: " + str(found["top_row_offset"]))

    notices = run(zdtool, "new 5 3 1 1\nfocus 0 0\nnew 5 3 1 1 virtual\nlog -177\ncell 2 1\n")
    check("notify=-120 row=1 col=1" in notices.stdout, "focus notice: " + notices.stdout)
    check("notify=-177 row=2 col=1" in notices.stdout and 'text="V2.1"' in notices.stdout,
          "display info: " + notices.stdout)

    with tempfile.TemporaryDirectory() as folder:
        raw = os.path.join(folder, "tests.raw")
        project = os.path.join(folder, "tests.jvd")
        with open(raw, "wb") as out:
            out.write(measurement_record(3, (2024, 5, 6, 7, 8, 9), 4711, 0, 2500, 2600, 40, [(1, 100), (0, 0), (0, 0)]))
            out.write(measurement_record(4, (2024, 5, 7, 8, 9, 10), 4712, 0, 1800, 1900, 30, [(2, 50), (3, 50), (0, 0)]))
        env = dict(os.environ, XDG_CONFIG_HOME=folder)
        subprocess.run([zdtool, "project-new", raw, project], check=True, capture_output=True, env=env)
        dump = subprocess.run([zdtool, "project-dump", project], check=True, capture_output=True, text=True,
                              env=env).stdout
        first = dump.split("[1]")[0].split("[0]")[1]
        expected = {key: value for key, value in re.findall(r"^(\w+)=(.*)$", first, re.M)}
        loaded = subprocess.run([zdtool, "grid", "-"], input=f"new 1 1 0 0\nload {project}\nfacts\n" +
                                "".join(f"cell {r} {c}\n" for r in (0, 1) for c in range(7)),
                                capture_output=True, text=True, env=env, timeout=60)
        check(loaded.returncode == 0, "load: " + loaded.stderr)
        texts = re.findall(r'text="([^"]*)"', loaded.stdout)
        check(texts[:7] == ["slot", "id", "date_time", "peak_load", "area", "diameter", "load_rate"],
              "heading: " + str(texts[:7]))
        check(texts[7:] == [expected[key] for key in ("slot", "id", "date_time", "peak_load", "area", "diameter",
                                                        "load_rate")], "row of the first test: " + str(texts[7:]))
        check("rows=3" in loaded.stdout.splitlines(), "one row per test: " + loaded.stdout)

    sorted_copy = run(zdtool, """new 4 2 1 0 300 200
log none
text 0 0 "K"
text 1 0 "b"
text 2 0 "a"
text 3 0 "c"
text 1 1 "x"
sort 0 asc
sort 0 desc
select 1 0 2 1
copy
clip-put-text " p , q "
select 3 0 3 0
paste
cell 3 0
cell 3 1
new 3 2 1 0 300 200 virtual
log none
sort 0 asc
""").stdout.splitlines()
    check(sorted_copy[:2] == ["sort=1", "sort=1"], "sorting: " + str(sorted_copy))
    check(sorted_copy[2] == r'clip="K\t\t\r\nc\t\r\nb\tx" clip_units=13', "copy: " + sorted_copy[2])
    check('text="p"' in sorted_copy[3] and 'text="q"' in sorted_copy[4], "paste: " + str(sorted_copy[3:5]))
    check("sort=0" in sorted_copy[5:], "virtual sort: " + str(sorted_copy[5:]))

    failing = run(zdtool, "new 3 3 0 0\nfacts\nbogus 1\nfacts\n", rc=1)
    check(failing.stderr.strip().endswith("\nline 3: unknown command bogus") or failing.stderr.strip() == "line 3: unknown command bogus", "failure: " + failing.stderr)
    check(failing.stdout.splitlines().count("rows=3") == 1, "the run went on after the failure")
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
