#!/usr/bin/env python3
"""End-to-end test of zdtool summary-text and summary-page: a project of two tests shows its
summary page, whose exports, copy and printout hold the summary's text form and picture."""

import os
import struct
import subprocess
import sys
import tempfile

from zdtest_util import check, measurement_record, run_zdtool

ZDTOOL = sys.argv[1]


def utf16le(text):
    return text.encode("utf-16-le")


def main():
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, XDG_CONFIG_HOME=folder, TZ="Europe/Berlin", QT_QPA_PLATFORM="offscreen")
        path = lambda name: os.path.join(folder, name)
        with open(path("download.bin"), "wb") as out:
            out.write(measurement_record(3, (2021, 7, 15, 14, 5, 9), 1001, 1, 8000, 57, 20, [(0, 70), (2, 30), (0, 0)]))
            out.write(measurement_record(4, (2021, 7, 16, 9, 0, 0), 1002, 1, 6000, 41, 10, [(1, 100), (0, 0), (0, 0)]))
        run_zdtool(ZDTOOL, env, "project-new", path("download.bin"), path("p.jvd"), "--serial", "SN42",
                   "--load-limit", "16000")

        raw = subprocess.run([ZDTOOL, "summary-text", path("p.jvd")], env=env, capture_output=True, timeout=120)
        check(raw.returncode == 0, "summary-text: " + raw.stderr.decode())
        text = raw.stdout.decode("utf-8")
        check(text.startswith("ZD-Zedo Version\t") and "\r\n---------------\r\nSummary\r\n\r\n" in text,
              "the text form starts with the version, the dashes and the title: " + repr(text[:80]))
        check("No. of Measurements\t2\r\nMean Value\t7.000\tkN\r\n" in text, "statistics: " + repr(text))
        check("\r\n1\t3\t1001\t2021-07-15\t14:05:09\t1963\t50.0\t8.00\t150\t148\t" in text, "first row: " + repr(text))
        check(text.endswith("\t\r\n\r\n"), "the text form ends with its blank line")

        page = run_zdtool(ZDTOOL, env, "summary-page", path("p.jvd"), "--size", "1000x700", "--png", path("page.png"),
                          "--export-text", path("s.csv"), "--export-picture", path("chart.tif"), "--copy",
                          path("copy.txt"), "--print", path("printed"))
        facts = dict(line.split("=", 1) for line in page.splitlines())
        check(facts["entries"] == "2" and facts["content_width"] == "880", "page facts: " + page)
        check(facts["bar_width"] == "24" and facts["bar_gap"] == "2" and facts["list_column_height"] == "190",
              "chart and list: " + page)
        check(facts["pages"] == "1" and os.path.exists(path("printed-1.png")), "printout: " + page)
        check(facts["file"] == path("chart.tif.png"), "the picture gets .png: " + page)

        with open(path("s.csv"), "rb") as f:
            check(f.read() == b"\xff\xfe" + utf16le(text), "the text file is the text form in UTF-16LE with its mark")
        with open(path("copy.txt"), "rb") as f:
            check(f.read() == utf16le(text), "the clipboard holds the text form")
        with open(path("chart.tif.png"), "rb") as f:
            picture = f.read()
        check(picture[:4] == b"\x89PNG", "a PNG picture")
        width, height = struct.unpack(">II", picture[16:24])
        check((width, height) == (880, int(facts["content_height"])), f"picture size {width} x {height}")
        check(os.path.getsize(path("page.png")) > 1000, "the page's picture")

        failed = subprocess.run([ZDTOOL, "summary-page", path("p.jvd"), "--export-text", path("none/s.csv")],
                                env=env, capture_output=True, text=True, timeout=120)
        check(failed.returncode == 1 and path("none/s.csv") in failed.stderr,
              "a file that cannot be made is named in a box: " + failed.stderr)


if __name__ == "__main__":
    main()
