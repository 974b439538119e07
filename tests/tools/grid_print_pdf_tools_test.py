#!/usr/bin/env python3
"""End-to-end test of the measurement page's printout into a PDF file: a project of 24 tests,
some with six-digit IDs, printed through the program's print dialog with the setting PdfFile at
the frame's default size. Every ID and date and time must stand whole in the text pdftotext
reads from it, and the page must be A4. With every detail row open, each row's device panel
prints whole on the page, its values apart from their labels."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

from zdtest_util import check, measurement_record, run_zdtool

ZDTOOL = sys.argv[1]
SETTINGS_KEY = "Software\\Jovant\\ZD-Zedo\\Settings"
DD_MM_YYYY_HH_MM = 0x0303
TESTS = 24


def test_ident(i):
    return 100000 + 137 * i if i % 2 else 1001 + i


def test_date(i):
    return (2024, 1, 6, 10, 2 * i, i)


def write_records(path):
    with open(path, "wb") as out:
        for i in range(TESTS):
            out.write(measurement_record(i + 1, test_date(i), test_ident(i), i % 3, 4000 + 250 * i, 41, 10,
                                         [(1, 100), (0, 0), (0, 0)]))


def tool(name, *args):
    return subprocess.run([name, *args], capture_output=True, text=True, timeout=120, check=True).stdout


def main():
    for program in ("pdftotext", "pdfinfo"):
        if shutil.which(program) is None:
            print(f"{program} is not installed (poppler-utils)")
            sys.exit(77)
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, XDG_CONFIG_HOME=folder, TZ="Europe/Berlin", QT_QPA_PLATFORM="offscreen")
        path = lambda name: os.path.join(folder, name)
        write_records(path("tests.bin"))
        run_zdtool(ZDTOOL, env, "settings", "set", SETTINGS_KEY, "DTFormat", f"dword:{DD_MM_YYYY_HH_MM}")
        run_zdtool(ZDTOOL, env, "project-new", path("tests.bin"), path("tests.jvd"), "--serial", "VN01-123-4567",
                   "--model", "VA-216", "--hw-serial", "HW-77", "--hw-rev", "B2", "--app-version", "1.6.3",
                   "--cal-date", "2024-01-02", "--load-limit", "16000")
        # The measurement page as the frame shows it at its default width.
        facts = run_zdtool(ZDTOOL, env, "grid-page", path("tests.jvd"), "--size", "620x500", "--print-pdf",
                           path("printout.pdf"))
        check(f"rows={1 + 2 * TESTS}" in facts.splitlines(), f"the page holds the tests: {facts}")

        check_page_size(path("printout.pdf"), 1)
        text = printed_text(path("printout.pdf"))
        check_tests_whole(text)
        for heading in ("Slot ID", "ID", "Date & Time", "Measured value", "Test Disc Area", "Test Disc \u00d8",
                        "Load Rate", "Unit"):
            check(heading in text, f"the heading {heading} is whole: {text}")

        # Three tests a page with their detail rows open.
        run_zdtool(ZDTOOL, env, "grid-page", path("tests.jvd"), "--size", "620x500", "--expand", "all",
                   "--print-pdf", path("details.pdf"))
        check_page_size(path("details.pdf"), TESTS // 3)
        text = printed_text(path("details.pdf"))
        check_tests_whole(text)
        for row in ("Serial No. VN01-123-4567", "Model VA-216", "HW Serial No. HW-77", "HW Revision B2",
                    "Firmware Version 1.6.3", "Last Calibration 02.01.2024"):
            check(text.count(row) == TESTS, f"{row} on each test's detail row: {text}")


def check_page_size(pdf, pages):
    info = tool("pdfinfo", pdf)
    check(re.search(rf"^Pages:\s+{pages}$", info, re.M), f"{pages} pages: {info}")
    check(re.search(r"^Page size:\s+595 x 842 pts \(A4\)$", info, re.M), f"an A4 page: {info}")


def printed_text(pdf):
    """The PDF's words as pdftotext reads them, one blank between each."""
    return " ".join(tool("pdftotext", pdf, "-").split())


def check_tests_whole(text):
    words = text.split()
    check("..." not in text, f"no text is cut: {text}")
    for i in range(TESTS):
        year, month, day, hour, minute, _ = test_date(i)
        check(str(test_ident(i)) in words, f"ID {test_ident(i)} is whole: {text}")
        date_time = f"{day:02}.{month:02}.{year} {hour:02}:{minute:02}"
        check(date_time in text, f"{date_time} is whole: {text}")

if __name__ == "__main__":
    main()
