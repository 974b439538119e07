#!/usr/bin/env python3
"""End-to-end test of zdtool search, identify --type, driver and update --type against the
instrument-sim program on pseudo-terminals mapped to COM numbers: every text-channel instrument
type is found at its class's settings, identities are printed field by field, the drivers' own
requests reach the instrument as the simulator logs them, and a TestBox takes an update
package put together field by field."""

import os
import struct
import sys
import tempfile

from zdtest_util import LoggedInstrument, check, run_zdtool

ZDTOOL, INSTRUMENT_SIM = sys.argv[1], sys.argv[2]
COM = 64
PORT = f"COM{COM}:"


def zdtool(env, *args, rc=0):
    return run_zdtool(ZDTOOL, env, *args, rc=rc).splitlines()


def instrument(env, workdir, type_number, *options):
    return LoggedInstrument(INSTRUMENT_SIM, env, workdir, COM, type_number, *options)


def logged(sim):
    return sim.logged()


def search(env, workdir):
    # Each type with the name it reports and the line its class opens: rate and handshake.
    types = {1: ("Durimo Lumovet 1", "38400 rtscts"), 2: ("SilverHallek", "38400 rtscts"),
             4: ("PaperHallek", "38400 rtscts"), 6: ("Sondrel Lab", "115200"), 7: ("Ohmira", "19200"),
             8: ("Tintara", "19200"), 13: ("TestBox", "115200"), 14: ("RockHallek", "38400 rtscts"),
             22: ("", "9600")}
    # The search's answer time-outs are short: a slower clock leaves a loaded machine room.
    env = dict(env, ZD_TIME_SCALE="5")
    for type_number, (name, line) in types.items():
        with instrument(env, workdir, type_number) as sim:
            lines = zdtool(env, "search", "--type", str(type_number), "--serial", "--port", str(COM))
            check(lines[0].startswith("status: Search ") and lines[0].endswith(f"device on Serial {PORT}..."),
                  f"type {type_number}: {lines}")
            check(lines[1].startswith("status: Search ") and f"\\r\\n {name}   Serial: " in lines[1],
                  f"type {type_number}: {lines}")
            check(len([l for l in lines if l.startswith("found: ")]) == 1 and lines[-1] == "end",
                  f"type {type_number}: {lines}")
        settings = [l for l in sim.process.stdout.read().splitlines() if l.startswith("line=")]
        check(settings == [f"line={line}"], f"type {type_number} line settings {settings}")

    with instrument(env, workdir, 7, "--identity", "ZD-2;2;VN02-123-4567;0C000102;1.6.2"):
        lines = zdtool(env, "search", "--type", "7", "--serial", "--port", str(COM), rc=1)
        check(not any(l.startswith("found: ") for l in lines), f"ZD-2 found as an Ohmira: {lines}")


def identify(env, workdir):
    with instrument(env, workdir, 1, "--identity", "Lumov2 ;A1;LV01-000-0001;04000102;1.2.3"):
        lines = zdtool(env, "identify", PORT, "--type", "1")
        # The pairs come from the "ID" query, whose name is the model word as reported.
        pairs = [l for l in lines if l.startswith("pairs=")]
        check(len(pairs) == 1 and pairs[0].startswith("pairs=device_name=Lumov2") and
              pairs[0].endswith("&app_version=1.2.3&serial_number=LV01-000-0001"), f"pairs {pairs}")
        check([l for l in lines if not l.startswith("pairs=")] == [
            "identified=1",
            "device_name=Durimo Lumovet 2",
            "app_version=1.2.3",
            "serial_number=LV01-000-0001",
            "device_code=0x04000102",
            "info_text=Device type:\\tDurimo Lumovet 2\\r\\nSerial number:\\tLV01-000-0001\\r\\n"
            "Application Version:\\t1.2.3\\r\\nHardware revision:\\tA1\\r\\nBootloader Version:\\t\\r\\n"
            "Signature:\\t04000102",
            "firmware=1,1,1,1.2.3.0",
            "firmware=3,0,0,0.0.0.0"], f"Lumovet with five fields {lines}")

    sim = instrument(env, workdir, 13, "--silent-app")
    lines = zdtool(env, "identify", PORT, "--type", "13")
    check(lines[:5] == ["identified=1", "device_name=TestBox", "app_version=1.0.7", "serial_number=TB13-000-0013",
                        "device_code=0x10000102"], f"silent TestBox {lines}")
    check(lines[-1] == "firmware=1,1,1,1.0.7.0", f"silent TestBox {lines}")
    log = logged(sim)
    check(log[:4] == ["raw 10", "service SC030202F8", "service SI030000FC", "service SC030200FA"],
          f"boot loader identity {log}")

    with instrument(env, workdir, 8, "--identity", "Tintara;A1;-;0B000102;1.1.2"):
        lines = zdtool(env, "identify", PORT, "--type", "8")
        check("serial_number=TN00-000-0000" in lines, f"default serial {lines}")


def driver(env, workdir):
    sim = instrument(env, workdir, 2)
    payload = "".join(f"{i:02X}" for i in range(47))
    check(zdtool(env, "driver", PORT, "--type", "2", "BinaryRequest", "0x42", payload, "64") ==
          ["identified=1", "result=0", "reply="], "raw long request")
    check(zdtool(env, "driver", PORT, "--type", "2", "EnterMode12") == ["identified=1", "result=1"], "mode 24")
    log = logged(sim)
    check("raw-request C1 42 " + " ".join(f"{i:02X}" for i in range(47)) in log, f"raw request {log}")
    check("frame C2 F4 00 08" in log, f"mode word 24 {log}")

    sim = instrument(env, workdir, 13)
    check(zdtool(env, "driver", PORT, "--type", "13", "WriteNameCode", "ABCDEFGHIJKLMNOPQRST", "XYZ", "-") ==
          ["identified=1", "result=1"], "name code")
    check(zdtool(env, "driver", PORT, "--type", "13", "WriteIdentityTexts", "a", "b", "c", rc=2) ==
          ["identified=1"], "operation of another class")
    log = logged(sim)
    check("frame D1 CE 10 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 3B 58 59" in log, f"name code {log}")

    with instrument(env, workdir, 6, "--reply", "07=07FF0000341200FF"):
        check(zdtool(env, "driver", PORT, "--type", "6", "ReadSelfCheck") == [
            "identified=1", "result=1", "flag_a=1", "flag_b=1", "value=4660", "flag_c=1", "flag_d=1"], "self check")
        check(zdtool(env, "driver", PORT, "--type", "6", "RemoteLogin", "anna", "secret") == [
            "identified=1", "result=1", "flags=0x0016", "user=No remote login implemented."], "no remote login")

    with instrument(env, workdir, 7, "--silent-app"):
        check(zdtool(env, "driver", PORT, "--type", "7", "QueryBootloaderIdentity") == [
            "identified=1", "result=1", "text=Ohmira;A1;OM07-000-0007;0A000102;1.3.0"], "boot-loader identity")

    check(zdtool(env, "driver", PORT, "--type", "11", "EnterMode12", rc=2) == [], "type without a class")
    check(zdtool(env, "driver", PORT, "--type", "2", "Dance", rc=2) == [], "unknown operation")


def profile_instruments(env, workdir):
    values = ["220", "10", "12", "16000", "32000", "32000", "48000", "96000", "160000", "0.06"]
    with instrument(env, workdir, 0, "--ready-after", "2"):
        check(zdtool(env, "driver", PORT, "--type", "0", "WriteParameterBlock", *values) ==
              ["identified=1", "result=1"], "parameter block written")
        check(zdtool(env, "driver", PORT, "--type", "0", "ReadParameterBlock") ==
              ["identified=1", "result=1"] + [f"p{i + 1}={v}" for i, v in enumerate(values)], "parameter block read")
        check(zdtool(env, "driver", PORT, "--type", "0", "WriteParameterBlock", "209.99", *values[1:]) ==
              ["identified=1", "result=0"], "value 1 out of range")

    with instrument(env, workdir, 10, "--answer", "GPOW=3700;a;b;c;d;e;AC_LINE_ONLINE", "--login-flags", "1"):
        check(zdtool(env, "driver", PORT, "--type", "10", "QueryPowerState") ==
              ["identified=1", "result=1", "fields=3700;a;b;c;d;e;AC_LINE_ONLINE"], "power state")
        check(zdtool(env, "driver", PORT, "--type", "10", "RemoteLogin", "anna", "secret") ==
              ["identified=1", "result=0", "flags=0x0011", "user=anna"], "password not accepted")
        check(zdtool(env, "driver", PORT, "--type", "10", "CheckConnection", "2") ==
              ["identified=1", "result=0", "value=70000"], "unsupported check")


def one_part_package(workdir, name, device_code, hw_minimum=0):
    records = b"S1130000000102030405060708090A0B0C0D0E0F64\r\nS9030000FC\r\n"
    part = struct.pack("<4xH6xI", 16, len(records)) + records
    package = b"@Jv@" + struct.pack("<IHHI", 1, 1, 1, 1)
    package += struct.pack("<BBHHHH", 0, 1, 1, 1, 0, 7) + b"APP" + struct.pack("<BHH", 0, 0, 1)
    # The trailer: part count, version, device code, check kind; no required system, the
    # hardware-revision range; the key block.
    package += struct.pack("<IHHHHIB", 1, 1, 0, 0, 0, device_code, 1)
    package += struct.pack("<IIHH4x", 0, 0, hw_minimum, 0) + b"\x5a" * 128
    package += struct.pack("<4xI2xBBBB2x", len(part), 0, 0, 0x40, 2) + part
    path = os.path.join(workdir, name)
    with open(path, "wb") as f:
        f.write(package)
    return path


def update(env, workdir):
    path = one_part_package(workdir, "testbox.pkg", 0x10000102)
    sim = instrument(env, workdir, 13)
    lines = zdtool(env, "update", PORT, path, "--type", "13")
    check("status: Erase Memory" in lines and lines[-1] == "message: 0", f"TestBox update {lines}")
    erase = lines.index("status: Erase Memory")
    check(lines[erase + 1:erase + 3] == ["progress: 0 1", "progress: 100 1"], f"TestBox erase progress {lines}")
    log = logged(sim)
    check(log.count("service SC030000FC") == 15 and "service SE030000FC" in log and log[-1] == "service SX030000FC",
          f"TestBox update {log}")
    check("record S1130000000102030405060708090A0B0C0D0E0F64" in log, f"TestBox records {log}")

    # A hardware revision whose number fits no integer names no revision.
    path = one_part_package(workdir, "platform.pkg", 0x0D000102, hw_minimum=1)
    with instrument(env, workdir, 10, "--identity",
                    "Platform;A99999999999999999999;PL10-000-0010;0D000102;1.0.0;2.0.0;1.0.0;1.0.0;en-US;UTC"):
        lines = zdtool(env, "update", PORT, path, "--type", "10", rc=1)
        check(lines[-1].startswith("message: 10 "), f"Platform update {lines}")


def main():
    with tempfile.TemporaryDirectory() as workdir:
        env = dict(os.environ, XDG_CONFIG_HOME=workdir, ZD_TIME_SCALE="20")
        search(env, workdir)
        identify(env, workdir)
        driver(env, workdir)
        profile_instruments(env, workdir)
        update(env, workdir)
    print("ok")


main()
