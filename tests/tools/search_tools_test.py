#!/usr/bin/env python3
"""End-to-end test of zdtool search, pkg-info and update against the zd2-sim program: a search
at a loopback address, serial scans over pseudo-terminals mapped to COM numbers, update packages
put together field by field, and a small update written to the simulator as S-records."""

import os
import struct
import sys
import tempfile

from zdtest_util import Simulator, check, run_zdtool

ZDTOOL, ZD2SIM = sys.argv[1], sys.argv[2]
ADDRESS = "127.0.0.82"
COMS = (71, 72)
RETRY = ("\\r\\nPlease restart the device and this Application and retry the Update.\\r\\n"
         "In case the error persists, contact a Jovant service centre.")


def zdtool(env, *args, rc=0):
    return run_zdtool(ZDTOOL, env, *args, rc=rc).splitlines()


def head(format_version, entry_count):
    return b"@Jv@" + struct.pack("<IHHI", 1, 1, format_version, entry_count)


def entry(flags, kind, ctype, version, tag, size, first, count):
    return struct.pack("<BBHHHH", flags, kind, ctype, *version) + tag + struct.pack("<BHH", size, first, count)


def trailer(blocks, device_code, check_kind, values=bytes(16)):
    return (struct.pack("<IHHHHIB", blocks, 1, 0, 0, 0, device_code, check_kind) + values + b"\x5a" * 128)


def srecord_package(texts, device_code=0x0C000102):
    blocks = [struct.pack("<IH10x", 0, 16) + text.encode() for text in texts]
    data = head(1, 1) + entry(0x02, 1, 1, (1, 6, 3), b"APP", 0, 0, len(blocks))
    data += trailer(len(blocks), device_code, 1)
    for block in blocks:
        data += struct.pack("<4xI2xBBB3x", len(block), 0x01, 0x01, 0x40)
    return data + b"".join(blocks)


def search(env):
    with Simulator(ZD2SIM, env, "--tcp", f"{ADDRESS}:3728") as sim:
        check(zdtool(env, "search", "--type", "9", "--ip", ADDRESS) == [
            f"status: Search ZD-2 device on Ethernet {ADDRESS}...",
            "status: \\r\\n ZD-2   Serial: VN02-123-4567",
            f"found: ZD-2 VN02-123-4567 IP:{ADDRESS}:3728",
            "end"], "ip search")
    check(zdtool(env, "search", "--type", "9", "--ip", ADDRESS, rc=1) == [
        f"status: Search ZD-2 device on Ethernet {ADDRESS}...", "status: \\r\\ncould not open port.", "end"],
        "ip search without an instrument")
    check(zdtool(env, "search", "--type", "11", "--ip", ADDRESS, rc=1) == ["end"], "type without a class")

    sims = [Simulator(ZD2SIM, env, "--pty", "--com", str(com), "--identity",
                      f"ZD-2;2;VN02-000-00{com};0C000102;1.6.2") for com in COMS]
    try:
        lines = zdtool(env, "search", "--type", "9", "--serial", "--port", "72")
        check(lines[0] == "status: Search ZD-2 device on Serial COM72:..." and lines[-1] == "end", f"one port {lines}")
        check([l.split()[:3] for l in lines if l.startswith("found:")] == [["found:", "ZD-2", "VN02-000-0072"]],
              f"one port {lines}")

        lines = zdtool(env, "search", "--type", "9", "--serial", "--skip", "71")
        found = [l.split()[2] for l in lines if l.startswith("found:")]
        check(found == ["VN02-000-0072"], f"skip {lines}")
        check(not any("COM71:" in l for l in lines), f"skip {lines}")

        lines = zdtool(env, "search", "--type", "9", "--serial", "--first")
        found = [l.split()[2] for l in lines if l.startswith("found:")]
        check(found == ["VN02-000-0071"], f"first {lines}")
        check(not any("COM72:" in l for l in lines), f"first {lines}")
    finally:
        for sim in sims:
            sim.stop()


def packages(env, workdir):
    def write(name, data):
        path = os.path.join(workdir, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    golden = head(3, 2)
    golden += entry(0x22, 1, 1, (1, 6, 2), b"APP", 25, 0, 2)
    golden += entry(0x40, 7, 3, (2, 0, 7), b"XYZ", 15, 2, 1)
    # Required system 2.1, four parts, hardware revisions 600 to 0x1FFF.
    golden += trailer(3, 12, 2, struct.pack("<IIHH4x", 0x00020001, 4, 600, 0x1FFF))
    check(zdtool(env, "pkg-info", write("golden.pkg", golden)) == [
        "format: 1.3",
        "entries: 2",
        'entry: type 1 kind 1 flags 0x22 version 1.6.2 tag "APP" blocks 0+2 size "100 kB"',
        'entry: type 3 kind 7 flags 0x40 version 2.0.7 tag "" blocks 2+1 size "1.5 MB"',
        "blocks: 3",
        "package_version: 1.0.0",
        "device_code: 0x0000000C",
        "check_kind: 2",
        "os_version: 2.1.0.0",
        "part_count: 4",
        "hw_min: 600",
        "hw_max: 8191"], "golden package")

    malformed = {
        "no entries": head(1, 0) + trailer(1, 12, 0),
        "too many entries": head(1, 2001) + entry(0, 0, 1, (1, 0, 0), b"   ", 0, 0, 1) * 2001 + trailer(1, 12, 0),
        "content type 13": head(1, 1) + entry(0, 0, 13, (1, 0, 0), b"   ", 0, 0, 1) + trailer(1, 12, 0),
        "check kind 3": head(1, 1) + entry(0, 0, 1, (1, 0, 0), b"   ", 0, 0, 1) + trailer(1, 12, 3),
    }
    for what, data in malformed.items():
        check(zdtool(env, "pkg-info", write("bad.pkg", data), rc=1) == ["An error occurred during file read."], what)


def update(env, workdir):
    with Simulator(ZD2SIM, env, "--tcp", f"{ADDRESS}:3728") as sim:
        path = os.path.join(workdir, "small.pkg")
        with open(path, "wb") as f:
            f.write(srecord_package(["S00600004844521B\r\nS1070000AABBCCDD7A\r\nS9030000FC\r\n"]))
        lines = zdtool(env, "update", f"IP:{ADDRESS}:3728", path)
        for status in ("Perform some device checks.", "Erase Memory", "Transfer datablock to the device.",
                       "Finished the device update successfully."):
            check(f"status: {status}" in lines, f"{status}: {lines}")
        check("progress: 100 1" in lines, f"progress {lines}")
        check(lines[-1] == "message: 0", f"update {lines}")

        with open(path, "wb") as f:
            f.write(srecord_package(["S1050000AA50\r\n"], device_code=0x0D000102))
        lines = zdtool(env, "update", f"IP:{ADDRESS}:3728", path, rc=1)
        check(lines[-1] == "message: 8 The update packet does not match the device type.", f"mismatch {lines}")

    with Simulator(ZD2SIM, env, "--tcp", f"{ADDRESS}:3728", "--fault", "refuse-srecord:2") as sim:
        with open(path, "wb") as f:
            f.write(srecord_package(["S1050000AA50\r\nS1050001BB3E\r\n"]))
        lines = zdtool(env, "update", f"IP:{ADDRESS}:3728", path, rc=1)
        check(lines[-1] == "message: 3 An error occurred during data upload process." + RETRY, f"refused {lines}")


def main():
    with tempfile.TemporaryDirectory() as workdir:
        env = dict(os.environ, XDG_CONFIG_HOME=workdir, ZD_TIME_SCALE="20")
        search(env)
        packages(env, workdir)
        update(env, workdir)
    print("ok")


main()
