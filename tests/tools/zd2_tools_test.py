#!/usr/bin/env python3
"""End-to-end test of the ZD-2 subcommands of zdtool against the zd2-sim program, on a
loopback TCP port and on a pseudo-terminal mapped to a COM number: identity, queries, the
debug protocol's memory commands as the instrument receives them, the download byte for byte,
deleting, and the download's error texts for each fault the simulator can inject."""

import os
import socket
import struct
import sys
import tempfile

from zdtest_util import Simulator, check, run_zdtool

ZDTOOL, ZD2SIM = sys.argv[1], sys.argv[2]
ADDRESS = "127.0.0.43"
COM = 11


def records(count, seed=7):
    data = bytearray()
    state = seed
    for _ in range(count):
        data += struct.pack("<H", 238)
        for _ in range(236):
            state = (state * 1103515245 + 12345) & 0xFFFFFFFF
            data.append((state >> 16) & 0xFF)
    return bytes(data)


def free_port():
    with socket.socket() as s:
        s.bind((ADDRESS, 0))
        return s.getsockname()[1]


class Zd2Link(Simulator):
    """The simulator on a loopback port or on a pseudo-terminal mapped to COM11, recording what
    it receives."""

    def __init__(self, env, workdir, link, *options):
        self.transcript = os.path.join(workdir, "transcript.bin")
        where = ["--tcp", f"{ADDRESS}:{free_port()}"] if link == "tcp" else ["--pty", "--com", str(COM)]
        super().__init__(ZD2SIM, env, *where, "--transcript", self.transcript, *options)
        if link != "tcp":
            self.port = f"COM{COM}:"

    def received(self):
        with open(self.transcript, "rb") as f:
            return f.read()


def zdtool(env, *args, rc=0):
    return run_zdtool(ZDTOOL, env, *args, rc=rc)


def session(env, workdir, link):
    for count in (0, 1, 5, 250):
        stored = os.path.join(workdir, f"stored{count}.bin")
        with open(stored, "wb") as f:
            f.write(records(count, count + 1))
        with Zd2Link(env, workdir, link, "--records", stored) as sim:
            out = os.path.join(workdir, f"out{count}.bin")
            printed = zdtool(env, "download", sim.port, out)
            check(printed == f"records={count}\nrecord_size={238 if count else 0}\n", f"{link}: {printed!r}")
            with open(out, "rb") as f, open(stored, "rb") as g:
                check(f.read() == g.read(), f"{link}: download of {count} records differs")

    placeholders = ["--query", "@DS@=03", "--query", "@DA@=3412", "--query", "@MF@=E803",
                    "--query", "@RA@=6400", "--query", "@UU@=A"]
    with Zd2Link(env, workdir, link, "--records", os.path.join(workdir, "stored5.bin"), *placeholders) as sim:
        check(zdtool(env, "identify", sim.port) ==
              "device_name=ZD-2\napp_version=1.6.2\nserial_number=VN02-123-4567\n"
              "hardware_revision=2\nsignature=0C000102\n", f"{link}: identify")
        answers = {"@EN@": "EN-2207", "@CD@": "2026-11-05", "@CI@": "CAL7", "@CA@": "78563412",
                   "@CB@": "EFBEADDE", "@VB@": "6810", "@DS@": "03", "@DA@": "3412", "@MF@": "E803",
                   "@RA@": "6400", "@UU@": "A", "ID": "ZD-2;1.6.2;VN02-123-4567"}
        for query, answer in answers.items():
            check(zdtool(env, "query", sim.port, query) == answer + "\n", f"{link}: {query}")
        # Segment 1 of the information memory starts with the validity identifier C3 3C A5 A5.
        check(zdtool(env, "mem-read", sim.port, "1000", "2") == "3CC3\nA5A5\n", f"{link}: mem-read")
        check(zdtool(env, "mem-write", sim.port, "1004", "3132") == "written=2\n", f"{link}: mem-write")
        check(zdtool(env, "mem-read", sim.port, "1004", "1") == "3231\n", f"{link}: mem-read after write")
        check(zdtool(env, "erase", sim.port, "0x1040") == "erased\n", f"{link}: erase")
        check(zdtool(env, "mem-read", sim.port, "1040", "1") == "FFFF\n", f"{link}: erased word")
        check(zdtool(env, "delete-all", sim.port) == "deleted\n", f"{link}: delete-all")
        check(zdtool(env, "download", sim.port, os.path.join(workdir, "empty.bin")) ==
              "records=0\nrecord_size=0\n", f"{link}: download after delete-all")
        received = sim.received()
        # Checks 0x10 + 0x04 + 0x31 = 0x45 and 0x10 + 0x05 + 0x32 = 0x47; the erase takes the
        # address's two's complement; every debug session ends with the restart.
        for part in (b"\xc1\xd2\x04" b"1000s0002n0000n1002s0002n0000nC0C1r",
                     b"\xc1\xd2\x04" b"1004s3145w3247wC0C1r",
                     b"\xc1\xd2\x04" b"1040sFFFFEFC0eC0C1r",
                     b"\x10@EN@\r", b"\xc1\xd2\x0b", b"\xc3\xc1\xc1"):
            check(part in received, f"{link}: the instrument did not receive {part!r}")


FAULTS = [
    (["--fault", "bad-crc:3"], "Error: Failed CRC check."),
    (["--fault", "header-cut"], "Error: Wrong header size."),
    (["--fault", "silence"], "Error: Wrong header size."),
    # A silence of the instrument that lasts as a time-out of 30 s does, 3.4 s at twenty times
    # the pace: well past the two data reads of a second each that end a transfer.
    (["--fault", "stall:30000"], "Error: Not all data has been downloaded."),
    (["--fault", "disconnect"], "Error: Not all data has been downloaded."),
    (["--fault", "bad-check-size"], "Error: Wrong CRC size."),
    (["--fault", "zero-size"], "Error: Data size is 0."),
    (["--fault", "count-mismatch"], "Error: Mismatch between the number of measurements and the data size."),
]


def faults(env, workdir):
    stored = os.path.join(workdir, "stored5.bin")
    for options, text in FAULTS:
        with Zd2Link(env, workdir, "tcp", "--records", stored, *options) as sim:
            printed = zdtool(env, "download", sim.port, os.path.join(workdir, "x.bin"), rc=None)
            check(printed == text + "\n", f"{options}: {printed!r}")

    # 240 bytes trickling in at a byte a second outlast the data phase's limit of some 30 s, a
    # time-out whose first two seconds pass in real time: 2.6 s against 4.8 s at 50 times the pace.
    slow = dict(env, ZD_TIME_SCALE="50")
    with Zd2Link(slow, workdir, "tcp", "--records", os.path.join(workdir, "stored1.bin"), "--byte-rate", "1") as sim:
        printed = zdtool(slow, "download", sim.port, os.path.join(workdir, "x.bin"), rc=None)
        check(printed == "Error: Reached measurement download timeout.\n", f"trickle: {printed!r}")

    with Zd2Link(env, workdir, "tcp", "--fault", "wrong-signature") as sim:
        printed = zdtool(env, "identify", sim.port, rc=None)
        check(printed.startswith("No ZD-2 answered"), f"wrong signature: {printed!r}")


def main():
    with tempfile.TemporaryDirectory() as workdir:
        env = dict(os.environ, XDG_CONFIG_HOME=workdir, ZD_TIME_SCALE="20")
        session(env, workdir, "tcp")
        session(env, workdir, "pty")
        faults(env, workdir)
    print("ok")


main()
