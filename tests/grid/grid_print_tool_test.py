#!/usr/bin/env python3
"""zdtool grid print, drop-text and clip-put-ansi: the printed texts and their places on a memory
printer, worked out by hand from the layout of a printed page, the page count of a PDF, and
text dropped on the grid or pasted from 8-bit clipboard text.

Layout of a page (logical units): the logical width is the grid's width plus 4 + 4 character
widths of margin, the logical height MulDiv(width, VERTRES, HORZRES); a header band of 2
character heights, a gap of 1, the heading row, the body, a gap of 1 and a footer of 2. The
character width is the extent of the 52-letter sample / 52 and the height its height; both
come from the printer font and are read from the tool's output."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

GRID = """new 4 3 1 0
width 0-2 100
height 0-3 20
text 0 0 "Name"
text 1 0 "alpha"
text 2 1 "beta"
"""

# The default cell's margin: the width of a space in its font.
CELL_MARGIN = 4


def run(zdtool, script, rc=0):
    result = subprocess.run([zdtool, "grid", "-"], input=script, capture_output=True, text=True, timeout=60)
    if result.returncode != rc:
        sys.exit(f"zdtool grid exited {result.returncode}, not {rc}\n{result.stdout}\n{result.stderr}")
    return result.stdout


def check(condition, message):
    if not condition:
        sys.exit(message)


def value(out, key):
    for line in out.splitlines():
        if line.startswith(key + "="):
            return int(line.split("=", 1)[1])
    sys.exit(f"no {key} in\n{out}")


def texts(out):
    found = []
    for line in out.splitlines():
        if line.startswith("page="):
            page, rest = line.split(" text=", 1)
            text, place = rest.rsplit('" x=', 1)
            x, y = place.split(" y=")
            found.append((int(page[5:]), text[1:], int(x), int(y)))
    return found


def mul_div(number, numerator, denominator):
    # Rounded half away from zero, as the platform's MulDiv.
    product = number * numerator
    quotient, remainder = divmod(abs(product), abs(denominator))
    if 2 * remainder >= abs(denominator):
        quotient += 1
    return quotient if (product < 0) == (denominator < 0) else -quotient


def golden_page_at_scale_one(zdtool):
    # 6 x 13 is the sample's measure in the printer font; the page is made as wide as the logical
    # page, 300 + 8 x 6 = 348, so that a logical unit is one printer pixel.
    out = run(zdtool, GRID + 'print page 348 400 100 record "Left|Mid||1114|Foot|1067|1071" '
                             "now 2026-12-10T09:05:07\n")
    cw, ch = value(out, "char_width"), value(out, "char_height")
    check((cw, ch) == (6, 13), f"the printer font measures {cw} x {ch}")
    check(value(out, "logical_width") == 348, out)
    check(value(out, "logical_height") == mul_div(348, 400, 348) == 400, out)
    check(value(out, "body_height") == 400 - (2 + 2 * 1 + 2) * 13 - 20 == 302, out)
    check(value(out, "pages") == 1, out)
    left = 4 * cw  # the window origin is moved left by the left margin
    band = (2 * ch - ch) // 2  # a band text of one line height centred in 2 character heights
    body_top = 2 * ch + 1 * ch + 20  # header, gap and heading row above row 1
    footer_top = 400 - 2 * ch
    want = [
        (1, "Mid", None, band),
        (1, "Jovant ZD-Zedo", None, band),  # an empty right header is the application title
        (1, "Left", left, band),
        # The heading band runs from -(20) - 1 to -1; a fixed cell is inset by its raised edge.
        (1, "Name", left + 1 + CELL_MARGIN, body_top - 21 + 1 + (18 - ch) // 2),
        # Row 1 from y = 0 to 19 (a text box of 19), row 2 from 20; column 1 from x = 100.
        (1, "alpha", left + CELL_MARGIN, body_top + (19 - ch) // 2),
        (1, "beta", left + 100 + CELL_MARGIN, body_top + 20 + (19 - ch) // 2),
        (1, "Page 1 of 1", left, footer_top + band),
        (1, "Foot", None, footer_top + band),
        (1, "10.12.2026 09:05", None, footer_top + band),
    ]
    got = texts(out)
    check(len(got) == len(want), f"texts: {got}")
    for (page, text, x, y), (gpage, gtext, gx, gy) in zip(want, got):
        check((page, text, y) == (gpage, gtext, gy) and (x is None or x == gx),
              f"want {(page, text, x, y)}, got {(gpage, gtext, gx, gy)}")
    # Centred and right texts end inside the band: 24 to 324.
    for _, text, x, _ in got:
        check(left <= x < left + 300, f"{text} at {x}")


def scaled_pages_and_groups(zdtool):
    rows = "".join(f'text {r} 0 "r{r}"\n' for r in range(1, 41))
    script = "new 41 3 1 0\nwidth 0-2 100\nheight 0-40 20\n" + rows
    out = run(zdtool, script + 'print group 2 record "Left||R|1114||1067|1071"\n')
    cw, ch = value(out, "char_width"), value(out, "char_height")
    width = 300 + 8 * cw
    height = mul_div(width, 1100, 850)
    body = height - 6 * ch - 20
    check(value(out, "logical_height") == height, out)
    check(value(out, "body_height") == body, out)
    # Groups of two rows of 20 never split: body // 40 groups a page.
    per_page = body // 40
    pages = -(-20 // per_page)
    check(value(out, "pages") == pages, out)
    got = texts(out)
    check(("Page %d of %d" % (pages, pages)) in [t for p, t, _, _ in got if p == pages], "last footer")
    left_x = [x for p, t, x, _ in got if t == "Left"]
    check(left_x == [mul_div(4 * cw, 850, width)] * pages, f"left header at {left_x}")
    for p in range(1, pages + 1):
        on_page = [int(t[1:]) for q, t, _, _ in got if q == p and t.startswith("r")]
        check(len(on_page) % 2 == 0 and on_page[0] % 2 == 1, f"page {p} splits a group: {on_page}")
    # Rows per group 0 counts as 1, and the printout of a PDF has as many pages.
    check(value(run(zdtool, script + "print group 0\n"), "pages") >= 1, "group 0")
    if shutil.which("pdfinfo"):
        with tempfile.TemporaryDirectory() as folder:
            pdf = os.path.join(folder, "grid.pdf")
            out = run(zdtool, script + f"print group 2 pdf {pdf}\n")
            check(value(out, "pages") == pages and "page=" not in out, out)
            info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
            check(re.search(r"^Pages:\s+(\d+)$", info, re.M).group(1) == str(pages), info)


def selection_and_cancel(zdtool):
    out = run(zdtool, GRID + "select 2 1 2 1\nprint selection\n")
    printed = [t for _, t, _, _ in texts(out)]
    check("beta" in printed and "alpha" not in printed, f"selection only: {printed}")
    out = run(zdtool, GRID + "print cancel\n")
    check(out.strip() == "print=cancelled", out)


def drops_and_ansi_paste(zdtool):
    # Cell (2, 1) spans 100 to 199 across and 40 to 59 down.
    out = run(zdtool, GRID + 'log none\noption drag_drop 1\ndrop-text 150 50 "x,y"\ncell 2 1\ncell 2 2\n'
                             'drop-text 150 30 "c" ctrl\ncell 1 1\n'
                             'state 3 1 0x08\ndrop-text 150 70 "no"\ncell 3 1\n'
                             'drop-text 150 10 "no"\n')
    lines = out.splitlines()
    check(lines[0] == "drop_effect=2" and 'text="x"' in lines[1] and 'text="y"' in lines[2], out)
    check(lines[3] == "drop_effect=1" and 'text="c"' in lines[4], out)
    check(lines[5] == "drop_effect=0" and 'text=""' in lines[6], out)
    check(lines[7] == "drop_effect=0", "no drop on a heading cell: " + out)
    # 8-bit clipboard text is Windows-1252: 80 is the euro sign, E4 an a umlaut.
    out = run(zdtool, GRID + "clip-put-ansi 80E42C78\nselect 1 1 1 1\npaste\ncell 1 1\ncell 1 2\n")
    check('text="\u20ac\u00e4"' in out and 'text="x"' in out, out)
    run(zdtool, GRID + "clip-put-ansi 8\n", rc=1)


def main():
    zdtool = sys.argv[1]
    golden_page_at_scale_one(zdtool)
    scaled_pages_and_groups(zdtool)
    selection_and_cancel(zdtool)
    drops_and_ansi_paste(zdtool)
    print("zdtool grid print: 4 passed, 0 failed")


if __name__ == "__main__":
    main()
