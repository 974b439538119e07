"""End-to-end tests of the update commands of zdtool against a local FTP server: the folder
listing of the update-server connection, the firmware-update check of a simulated ZD-2 and
the program-update wizard with a scripted user, the report header and the external calibration
report."""

import os
import resource
import socket
import subprocess
import stat
import sys
import tempfile
import time

from zdtest_util import Simulator, check, run_zdtool

FTP_SERVER = os.path.join(os.path.dirname(__file__), "..", "support", "ftp_server.py")


class FtpServer:
    """tests/support/ftp_server.py under the system interpreter, which has pyftpdlib."""

    def __init__(self, root, *cuts, listed_sizes=()):
        args = ["/usr/bin/python3", FTP_SERVER, "--root", root]
        for cut in cuts:
            args += ["--cut", cut]
        for size in listed_sizes:
            args += ["--listed-size", size]
        self.process = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        line = self.process.stdout.readline().strip()
        if not line.startswith("port="):
            sys.exit(f"the FTP server did not start: {line!r}")
        self.address = "127.0.0.1:" + line[5:]

    def __enter__(self):
        return self

    def __exit__(self, *error):
        self.process.stdin.close()
        self.process.terminate()
        self.process.wait(timeout=30)


def closed_address():
    """A loopback port just bound and released, where nothing listens."""
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return f"127.0.0.1:{probe.getsockname()[1]}"


def write_file(root, path, data):
    full = os.path.join(root, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as out:
        out.write(data)


def name_update_server(config, address, settings=None, opener=None):
    """Writes the settings store: the update server, the given texts of the settings key and
    the desktop opener."""
    folder = os.path.join(config, "ZD-Zedo")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "registry.txt"), "w") as out:
        out.write("[Software\\Jovant\\ZD-Zedo\\Servers]\n")
        out.write(f'"UpdateServer"=sz:"{address}"\n')
        out.write("[Software\\Jovant\\ZD-Zedo\\Settings]\n")
        for name, text in (settings or {}).items():
            out.write(f'"{name}"=sz:"{text}"\n')
        if opener:
            out.write("[Software\\Jovant\\ZD-Zedo\\Shell]\n")
            out.write(f'"OpenCommand"=sz:"{opener}"\n')


def test_ftp_list(zdtool, env, work):
    root = os.path.join(work, "ftp")
    write_file(root, "DiVudodav/ZD-Zedo/ZD-Zedo_V_1_9_0_0.exe", b"x" * 1234)
    write_file(root, "DiVudodav/ZD-Zedo/ZD-Zedo.txt", b"minversion: 1.0\n")
    write_file(root, "DiVudodav/0000000c/X-V1.7.0_FW.lod", b"fw")
    write_file(root, "DiVudodav/0000000c/notes.txt", b"n")
    with FtpServer(root) as server:
        name_update_server(env["XDG_CONFIG_HOME"], server.address)
        out = run_zdtool(zdtool, env, "ftp-list", "")
        lines = out.splitlines()
        check(lines[0] == "folder=./DiVudodav/ZD-Zedo/", out)
        check(sorted(lines[1:]) == ["file=ZD-Zedo.txt size=16", "file=ZD-Zedo_V_1_9_0_0.exe size=1234"], out)
        out = run_zdtool(zdtool, env, "ftp-list", "0000000c", "*.lod")
        check(out == "folder=./DiVudodav/0000000c/\nfile=X-V1.7.0_FW.lod size=2\n", out)
        out = run_zdtool(zdtool, env, "ftp-list", "missing", rc=1)
        check("Directory (./DiVudodav/missing/) not found on the FTP server!" in out, out)
    name_update_server(env["XDG_CONFIG_HOME"], closed_address())
    out = run_zdtool(zdtool, env, "ftp-list", "", rc=1)
    check("(Error 12029)" in out, out)


def fw_check(zdtool, zd2sim, env, version):
    """zdtool fw-check against a ZD-2 with firmware `version` and signature 0C0001A2; the
    printed lines as a dictionary (boxes as a list)."""
    with Simulator(zd2sim, env, "--tcp", closed_address(), "--identity",
                   f"ZD-2;B;VN02-123-4567;0C0001A2;{version}") as sim:
        out = run_zdtool(zdtool, env, "fw-check", sim.port)
    facts = {"box": []}
    for line in out.splitlines():
        name, _, value = line.partition("=")
        if name == "box":
            facts["box"].append(value)
        else:
            facts[name] = value
    return facts


def test_fw_check(zdtool, zd2sim, env, work):
    root = os.path.join(work, "ftp-fw")
    for name in ["X-V1.6.3.lod", "X-V1.7.0_FW.lod", "X-V1.8.0_OS.lod", "Y-V1.9.0.LOD", "Z1.9.5.lod",
                 "notes.txt"]:
        write_file(root, "DiVudodav/0c0001a2/" + name, b"fw")
    config = env["XDG_CONFIG_HOME"]
    with FtpServer(root) as server:
        name_update_server(config, server.address, {"FwUpdateFailCount": "7", "FwUpdateFailCountMax": "9"})
        facts = fw_check(zdtool, zd2sim, env, "1.6.3")
        check(facts["folder"] == "./DiVudodav/0c0001a2/", facts)
        check(facts["firmware"] == "1.7.0.0", f"1.6.3 is offered the FW file only: {facts}")
        check((facts["exit_code"], facts["fail_count"], facts["fail_max"]) == ("0", "0", "100"), facts)
        check(facts["box"] == [], facts)
        check(fw_check(zdtool, zd2sim, env, "1.7.0")["firmware"] == "0.0.0.0", "1.7.0 is the newest")
        # A listing sorted by name puts 1.10.0 first; the highest version counts.
        write_file(root, "DiVudodav/0c0001a2/X-V1.10.0.lod", b"fw")
        write_file(root, "DiVudodav/0c0001a2/X-V1.9.0.lod", b"fw")
        check(fw_check(zdtool, zd2sim, env, "1.7.0")["firmware"] == "1.10.0.0", "the highest version wins")

    offline = closed_address()
    reminder = ("information|Repeatedly it was not possible to connect the PC to the Internet to check for newer "
                "firmware or OS for the ZD-2 device.\\nIt is advisable to connect your PC once in a while to the "
                "Internet to keep the device firmware and OS up-to-date.")
    cases = [  # stored count, stored maximum, then what the run leaves
        ({"FwUpdateFailCount": "10", "FwUpdateFailCountMax": "10"}, "2", "0", "5", [reminder]),
        ({"FwUpdateFailCount": "6", "FwUpdateFailCountMax": "6"}, "2", "0", "10", [reminder]),
        ({"FwUpdateFailCount": "100"}, "2", "0", "50", [reminder]),
        ({"FwUpdateFailCount": "41"}, "-1", "42", "100", []),
        ({}, "-1", "1", "100", []),
    ]
    for stored, exit_code, count, maximum, boxes in cases:
        name_update_server(config, offline, stored)
        facts = fw_check(zdtool, zd2sim, env, "1.6.3")
        check("firmware" not in facts, f"an offline check posted: {facts}")
        check((facts["exit_code"], facts["fail_count"], facts["fail_max"], facts["box"]) ==
              (exit_code, count, maximum, boxes), f"{stored}: {facts}")


def pattern_bytes(count):
    return bytes((i * 7 + i // 251) & 0xFF for i in range(count))


def make_opener(work):
    """A desktop opener that records what it was handed; returns it and its record."""
    record = os.path.join(work, "opened.txt")
    opener = os.path.join(work, "record-open.sh")
    with open(opener, "w") as out:
        out.write(f'#!/bin/sh\necho "$1" >> "{record}"\n')
    os.chmod(opener, os.stat(opener).st_mode | stat.S_IEXEC)
    return opener, record


def wait_for_file(path, seconds=10):
    end = time.monotonic() + seconds
    while not os.path.exists(path) and time.monotonic() < end:
        time.sleep(0.02)
    return os.path.exists(path)


def program_update(zdtool, env, program, *args):
    return run_zdtool(zdtool, env, "program-update", "--program-folder", program, *args)


def test_program_update(zdtool, env, work):
    root = os.path.join(work, "ftp-program")
    program = os.path.join(work, "program")
    os.makedirs(program)
    folder = "DiVudodav/ZD-Zedo/"
    installer = pattern_bytes(123457)
    write_file(root, folder + "ZD-Zedo_V_0_9_0_0.exe", b"old")
    write_file(root, folder + "ZD-Zedo_V_9_1_2_0.exe", installer)
    write_file(root, folder + "Readme_V_9_9_9_9.EXE", b"not an installer")
    opener, record = make_opener(work)
    config = env["XDG_CONFIG_HOME"]
    with FtpServer(root) as server:
        name_update_server(config, server.address, opener=opener)
        out = program_update(zdtool, env, program)
        target = os.path.join(program, "ZD-Zedo_V_9_1_2_0.exe")
        expected = (
            "page=search\n"
            "message=Found a newer version of ZD-Zedo on the server. \\r\\n Server version: 9.1.2 \\r\\n"
            " Your version: "
        )
        check(out.startswith(expected), out)
        check(f"buttons=next\npage=download\ntitle=Downloading ZD-Zedo_V_9_1_2_0.exe\n"
              f"status=0.12 MB downloaded\nprogress=100\nbuttons=\nopened={target}\nresult=1\n" in out, out)
        with open(target, "rb") as data:
            check(data.read() == installer, "the installer arrived changed")
        check(sorted(os.listdir(program)) == ["ZD-Zedo_V_9_1_2_0.exe"], os.listdir(program))
        check(wait_for_file(record), "the installer was not handed to the desktop opener")
        with open(record) as opened:
            check(opened.read() == target + "\n", "another file was opened")

        out = program_update(zdtool, env, program, "--press", "cancel")
        check(out.endswith("buttons=next\nresult=0\n"), out)

    # An installer smaller than the block count, and one whose data ends early.
    small = pattern_bytes(777)
    write_file(root, folder + "ZD-Zedo_V_9_1_2_0.exe", small)
    with FtpServer(root) as server:
        name_update_server(config, server.address, opener=opener)
        out = program_update(zdtool, env, program)
        check("status=0.00 MB downloaded\nprogress=100\nbuttons=\n" in out and out.endswith("result=1\n"), out)
        with open(os.path.join(program, "ZD-Zedo_V_9_1_2_0.exe"), "rb") as data:
            check(data.read() == small, "the small installer arrived changed")
    with FtpServer(root, "ZD-Zedo_V_9_1_2_0.exe:500") as server:
        name_update_server(config, server.address, opener=opener)
        out = program_update(zdtool, env, program)
        check(out.endswith("page=download\ntitle=Unknown error while downloading.\nbuttons=finish\nresult=0\n"), out)
        check(sorted(os.listdir(program)) == ["ZD-Zedo_V_9_1_2_0.exe"], "a partial download was left")
        with open(os.path.join(program, "ZD-Zedo_V_9_1_2_0.exe"), "rb") as data:
            check(data.read() == small, "a partial download replaced the complete installer")

    # Nothing newer: with automatic finish the wizard ends by itself.
    os.remove(os.path.join(root, folder + "ZD-Zedo_V_9_1_2_0.exe"))
    with FtpServer(root) as server:
        name_update_server(config, server.address, opener=opener)
        out = program_update(zdtool, env, program, "--auto-finish")
        check(out == "page=search\nmessage=There is no update available. \\r\\nYou are already using the most "
              "recent version of ZD-Zedo.\nbuttons=finish\nresult=0\n", out)

    name_update_server(config, closed_address(), opener=opener)
    out = program_update(zdtool, env, program)
    check("page=search\nstatus=" in out and "(Error 12029)\nbuttons=finish\n" in out, out)
    check("\nbox=" in out, f"with messages on the failure is shown: {out}")


def test_listed_sizes(zdtool, env, work):
    """The listing's size decides what is read: a size that is no plain number offers nothing,
    a size far above the file's never takes memory of its size, and a file longer or shorter
    than listed is never kept or handed to the opener."""
    root = os.path.join(work, "ftp-sizes")
    program = os.path.join(work, "program-sizes")
    os.makedirs(program)
    name = "ZD-Zedo_V_9_9_9_9.exe"
    write_file(root, "DiVudodav/ZD-Zedo/" + name, pattern_bytes(2000))
    os.makedirs(os.path.join(work, "sizes"))
    opener, record = make_opener(os.path.join(work, "sizes"))
    config = env["XDG_CONFIG_HOME"]
    failed = "page=download\ntitle=Unknown error while downloading.\nbuttons=finish\nresult=0\n"
    cases = [  # listed size, then how the wizard ends
        ("-1", "There is no update available."),
        ("+2000", "There is no update available."),
        ("100", failed),
        ("20000000000000", failed),
    ]
    for size, ending in cases:
        with FtpServer(root, listed_sizes=[f"{name}:{size}"]) as server:
            name_update_server(config, server.address, opener=opener)
            out = program_update(zdtool, env, program)
        check(ending in out and out.endswith("result=0\n"), f"size {size}: {out}")
        check(os.listdir(program) == [], f"size {size} left {os.listdir(program)}")
        check(not os.path.exists(record), f"size {size}: a file was handed to the opener")
    peak_mib = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss // 1024
    check(peak_mib < 1024, f"a download took {peak_mib} MiB")


def test_mandatory_update(zdtool, env, work):
    """The own version is 1.0.0 (the build's): limits around it, above it and below it."""
    root = os.path.join(work, "ftp-mandatory")
    program = os.path.join(work, "program-mandatory")
    os.makedirs(program)
    folder = "DiVudodav/ZD-Zedo/"
    for name in ["ZD-Zedo_V_2_1_0_0.exe", "ZD-Zedo_V_2_5_0_0.exe", "ZD-Zedo_V_3_5_0_0.exe", "ZD-Zedo_V_0_3_0_0.exe"]:
        write_file(root, folder + name, b"setup")
    cases = [  # info file, then the search page's result
        ("MinVersion: 2.0.0.0\nMaxVersion: 3.0.0.0\n",
         "message=To run ZD-Zedo at least version V2.5.0 must be installed.\\r\\nPress [Next] to download and "
         "install it.\\r\\nPress [Cancel] to terminate ZD-Zedo.\nbuttons=next\n"),
        ("maxversion: 2.0.0.0\r\nminversion: 3.0.0.0\r\n",
         "message=To run ZD-Zedo at least version V2.5.0 must be installed.\\r\\nPress [Next] to download and "
         "install it.\\r\\nPress [Cancel] to terminate ZD-Zedo.\nbuttons=next\n"),
        ("minversion: 4.0.0.0\nmaxversion: 5.0.0.0",
         "message=To run ZD-Zedo at least version V4.0.0 must be installed.\\r\\nBut it is missing on the FTP "
         "server.\\r\\nPress [Finish] or [Cancel] to terminate ZD-Zedo.\nbuttons=finish\n"),
        ("minversion: 0.1.0.0\nmaxversion: 0.5.0.0\n",
         "message=To run ZD-Zedo a previous version (V0.3.0) must be installed.\\r\\nPress [Next] to download and "
         "install it.\\r\\nPress [Cancel] to terminate ZD-Zedo.\nbuttons=next\n"),
        ("minversion: 0.1.0.0\nmaxversion: 0.2.0.0\n",
         "message=To run ZD-Zedo a previous version (V0.2.0) must be installed.\\r\\nBut it is missing on the FTP "
         "server.\\r\\nPress [Finish] or [Cancel] to terminate ZD-Zedo.\nbuttons=finish\n"),
    ]
    for info, result in cases:
        write_file(root, folder + "ZD-Zedo.txt", info.encode())
        with FtpServer(root) as server:
            name_update_server(env["XDG_CONFIG_HOME"], server.address)
            out = program_update(zdtool, env, program, "--mandatory", "--press", "cancel")
        check(out == "page=search\n" + result + "result=0\n", f"{info!r}: {out}")
    # Within the limits there is nothing to do: the wizard ends at once.
    write_file(root, folder + "ZD-Zedo.txt", b"minversion: 0.5.0.0\nmaxversion: 1.5.0.0\n")
    with FtpServer(root) as server:
        name_update_server(env["XDG_CONFIG_HOME"], server.address)
        out = program_update(zdtool, env, program, "--mandatory")
    check(out.endswith("result=0\n") and "buttons=next" not in out, out)


def test_report_files(zdtool, env, work):
    env = dict(env, TZ="Europe/Berlin", LC_ALL="C")
    header = os.path.join(work, "header.txt")
    out = run_zdtool(zdtool, env, "report-header", header, "Calibration", "1", "End", "--now", "2018-05-03 14:05:09",
                     "--device-name", "ZD-2", "--serial", "S1", "--software-version", "1.7.0", "--hw-revision", "B",
                     "--signature", "0C0001A2", "--tester", "Ann", "--temperature", "21")
    version = run_zdtool(zdtool, env, "version").strip().rsplit(".", 1)[0]
    expected = ("1\r\n\r\nZD-Zedo Calibration\r\n-------------------\r\n"
                "Date:                    03-May-2018\r\nTime:                    14:05\r\n"
                f"ZD-Zedo Version:         {version}\r\n"
                "Tester:                  Ann\r\nTemperature:             21 \u00b0C\r\n\r\n\r\n"
                "Device Info\r\n-----------\r\nDevice Name:      ZD-2\r\nSerial Number:    S1\r\n"
                "Software Version: 1.7.0\r\nHW Revision:      B\r\nSignature:        0C0001A2\r\nEnd\r\n\r\n")
    with open(header, "rb") as data:
        check(data.read() == expected.encode("utf-8"), "the header differs")
    check(out == f"length={len(expected)}\n", out)

    info = os.path.join(work, "info.txt")
    report = os.path.join(work, "report.txt")
    write_file(work, "info.txt", "Reference <grn>R1</grn> \v20 N\r\n".encode())
    write_file(work, "report.txt", "<big>Step 1</big> \v<red>failed</red>\r\n".encode())
    program = os.path.join(work, "program-cal")
    out = run_zdtool(zdtool, env, "extern-cal", "--program-folder", program, "--ref-serial", "R1", "--info-block",
                     info, "--report", report, "--now", "2018-05-03 14:05:09", "--serial", "S1")
    path = os.path.join(program, "TempLog", "ExternCal_R1_S1_2018_05_03_14_05_09.csv")
    check(out == f"file={path}\n", out)
    with open(path, "rb") as data:
        written = data.read()
    check(written[:2] == b"\xff\xfe", "no byte-order mark")
    text = written[2:].decode("utf-16-le")
    check(text.endswith("Signature:        \r\n\r\nReference R1\t20 N\r\nStep 1\tfailed\r\n"), repr(text))
    check("\n" not in text.replace("\r\n", ""), "a line end without CR")


def test_frame_update_entries(zdtool, zd2sim, env, work):
    """The main frame offers the newest installer and, once an instrument is connected, its
    newest firmware in the "New version available!" menu; command 24 runs the update wizard."""
    root = os.path.join(work, "ftp-frame")
    program = os.path.join(work, "frame-program")
    os.makedirs(program)
    installer = pattern_bytes(4321)
    write_file(root, "DiVudodav/ZD-Zedo/ZD-Zedo_V_9_1_2_0.exe", installer)
    write_file(root, "DiVudodav/0c0001a2/X-V1.7.0_FW.lod", b"fw")
    opener, _ = make_opener(work)
    config = env["XDG_CONFIG_HOME"]
    identity = "ZD-2;B;VN02-123-4567;0C0001A2;1.6.3"

    def frame(*args):
        return run_zdtool(zdtool, env, "frame", "--program-folder", program, *args)

    with FtpServer(root) as server:
        name_update_server(config, server.address, opener=opener)
        with Simulator(zd2sim, env, "--pty", "--com", "41", "--identity", identity):
            out = frame("--com", "41", "download", os.path.join(work, "frame.jvd"), "menu")
        menu = [line for line in out.splitlines() if line.startswith("menu=")]
        check(menu == ["menu=Update ZD-Zedo to version 9.1.2", "menu=Update ZD-2 firmware to version 1.7.0"],
              out)

        out = frame("program-update")
        target = os.path.join(program, "ZD-Zedo_V_9_1_2_0.exe")
        check("command=program-update\npage=search\n" in out and out.endswith(f"opened={target}\n"), out)
        with open(target, "rb") as data:
            check(data.read() == installer, "the installer arrived changed")

    name_update_server(config, closed_address(), opener=opener)
    out = frame("menu")
    check(out == "command=menu\n", f"without a server there is no entry and no box: {out}")


def main():
    zdtool, zd2sim = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as work:
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"), QT_QPA_PLATFORM="offscreen")
        test_ftp_list(zdtool, env, work)
        test_fw_check(zdtool, zd2sim, env, work)
        test_program_update(zdtool, env, work)
        test_listed_sizes(zdtool, env, work)
        test_mandatory_update(zdtool, env, work)
        test_report_files(zdtool, env, work)
        test_frame_update_entries(zdtool, zd2sim, env, work)
    print("7 passed, 0 failed")


if __name__ == "__main__":
    main()
