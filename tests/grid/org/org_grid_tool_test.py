#!/usr/bin/env python3
"""zdtool org-grid: scripts drive the second grid in an owner window and read what the grid
reports: the notices of a click, a key move and a right click, the edit checks that Space
starts, sorting, the row order of virtual mode with its display requests, a title tip over a
cut-off text, the step grid filled as its dialog fills it, the rendered picture and the error
line of a bad script."""

import os
import struct
import subprocess
import sys
import tempfile


def run(zdtool, script, rc=0):
    result = subprocess.run([zdtool, "org-grid", "-"], input=script, capture_output=True, text=True, timeout=60)
    if result.returncode != rc:
        sys.exit(f"zdtool org-grid exited {result.returncode}, not {rc}\n{result.stdout}\n{result.stderr}")
    return result.stdout.splitlines()


def expect(lines, wanted, what):
    if lines != wanted:
        sys.exit(f"{what}:\n  got    {lines}\n  wanted {wanted}")


def after(lines, mark):
    return lines[lines.index(f"mark={mark}") + 1:]


def between(lines, first, last):
    return lines[lines.index(f"mark={first}") + 1:lines.index(f"mark={last}")]


# A 6 x 4 grid with one heading row and column; every row 20 pixels high and column 50 wide, so
# that cell (R, C) spans x 50C..50C+49 and y 20R..20R+19.
GRID = """size 300 200
rows 6
cols 4
fixed-rows 1
fixed-cols 1
widths 50
heights 20
"""


def notices(zdtool):
    lines = run(zdtool, GRID + """mark click
click 75 45
mark key
key Down
mark right
rclick 125 85
mark space
key Space
mark end
summary
""")
    expect(between(lines, "click", "key"),
           ["notify=-100 row=2 col=1", "notify=-101 row=2 col=1", "notify=-2 row=2 col=1", "command=520 code=0"],
           "a plain click")
    expect(between(lines, "key", "right"), ["notify=-100 row=3 col=1", "notify=-101 row=3 col=1"], "a key move")
    expect(between(lines, "right", "space"), ["notify=-5 row=4 col=2"], "a right click")
    # Space starts an edit, which asks the owner first; no key notice (-103) exists here.
    expect(between(lines, "space", "end"), ["notify=-175 row=4 col=2"], "Space")
    summary = after(lines, "end")
    expect(summary[:6], ["rows=6", "cols=4", "fixed_rows=1", "fixed_cols=1", "focus=4,2", "selected_count=1"],
           "the summary")


def sorting(zdtool):
    lines = run(zdtool, GRID + """text 1 1 10
text 2 1 9
text 3 1 100
text 4 1 -1
text 5 1 9
sort-callback numeric
select 1 1 2 2
sort 1 asc
mark sorted
dump
""")
    dump = after(lines, "sorted")
    texts = [line.split(" text=")[1] for line in dump if line.startswith("cell=") and ",1 state=" in line][1:]
    expect(texts, ["-1", "9", "9", "10", "100"], "a numeric sort")
    expect([line for line in dump if line.startswith(("sort_column=", "selected_count=", "focus="))],
           ["focus=-1,-1", "selected_count=0", "sort_column=1"], "a sort forgets selection and focus")


def virtual_rows(zdtool):
    lines = run(zdtool, """virtual 1
rows 5
cols 3
move-row 4 1
flag trace-dispinfo 1
mark ask
dump
""")
    dump = after(lines, "ask")
    expect([line for line in dump if line.startswith("row_order=")], ["row_order=0,1,4,2,3"], "the row order")
    # Each cell is asked for twice (its state, then its text); displayed row 2 is data row 4.
    requests = [line for line in dump if line.startswith("notify=-177")]
    expect(requests[12:14], ["notify=-177 row=4 col=0"] * 2, "display requests through the row order")
    expect([line for line in dump if line.startswith("cell=2,")][:1], ["cell=2,0 state=0x00 text=d4.0"],
           "the moved row's text")


def title_tip(zdtool):
    lines = run(zdtool, GRID + """text 2 2 a text far too long for fifty pixels
text 3 2 ok
move 110 70
mark fits
tip
move 110 50
mark cut
tip
""")
    expect(between(lines, "fits", "cut"), ["tip=none"], "a text that fits")
    tip = after(lines, "cut")[0].split(" ")
    expect(tip[:3], ["tip=shown", "left=100", "top=40"], "the tip's place")
    expect(tip[4], "height=19", "the tip is one row high less one pixel")
    if not " ".join(tip).endswith("text=a text far too long for fifty pixels"):
        sys.exit(f"the tip's text: {tip}")


def step_grid(zdtool, folder):
    picture = os.path.join(folder, "steps.bmp")
    script = "size 700 400\nfont -12 700 Arial\ndefault-back BDE4D7\nvirtual 0\nflag editable 1\n"
    script += "flag header-sort 0\nflag autosize-style 3\nrows 11\ncols 6\nfixed-rows 1\nfixed-cols 3\n"
    heads = ["No.", "Step (%)", "Nominal Load", "Run # 1", "Run # 2", "Run # 3"]
    for c in range(6):
        if c >= 3:
            for r in range(11):
                script += f"cell-type {r} {c}\nstate {r} {c} {38 if r == 0 else 8}\n"
    for r in range(11):
        for c, head in enumerate(heads):
            text = head if r == 0 else (str(r) if c == 0 else str(r * 10) if c == 1 else f"{r * 150}.0")
            script += f"item {r} {c} {text}\n"
    script += f"autosize 0\nsort-callback numeric\nfocus 2 4\nselect 3 3 4 4\nmark done\nsummary\nrender {picture}\n"
    lines = run(zdtool, script)
    summary = after(lines, "done")
    expect(summary[:4], ["rows=11", "cols=6", "fixed_rows=1", "fixed_cols=3"], "the step grid's counts")
    with open(picture, "rb") as bmp:
        header = bmp.read(54)
    magic, _, _, _, _, _, width, height, _, bits = struct.unpack("<2sIHHIIiiHH", header[:30])
    if magic != b"BM" or (width, abs(height), bits) != (700, 400, 24):
        sys.exit(f"the render: {magic} {width} x {height} at {bits} bits")


def errors(zdtool):
    lines = run(zdtool, "rows 3\ncols x\nrows 4\n", rc=1)
    expect(lines, ["error=line 2: not a number: x"], "a bad line")


def main():
    zdtool = sys.argv[1]
    notices(zdtool)
    sorting(zdtool)
    virtual_rows(zdtool)
    title_tip(zdtool)
    with tempfile.TemporaryDirectory() as folder:
        step_grid(zdtool, folder)
    errors(zdtool)
    print("org-grid: 6 passed, 0 failed")


if __name__ == "__main__":
    main()
