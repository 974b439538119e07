"""zdtool armivue-convert: an Armivue data-file text and a binary download record read, printed
and written back as data-file text, with the local time of Berlin; zdtool driver: the Armivue's
and the Sondrel Array's own operations reach the simulated instruments; zdtool download: the
Armivue's stored objects, served by instrument-sim from files, come over the pseudo-terminal as
data-file texts (at a faster rate the throttled link follows) or binary records."""

import os
import sys
import tempfile

from zdtest_util import Simulator, check, run_zdtool

ZDTOOL, INSTRUMENT_SIM = sys.argv[1], sys.argv[2]
COM = 65
PORT = f"COM{COM}:"


def label(text, marker, value):
    return text.ljust(36) + ";;;" + marker + value + "\r\n"


# A comment with a double quote, a semicolon pair and a line break; an object name with a
# semicolon. The whole text is what the writer gives for this object.
TEXT = (label("Armivue+ Data File Version", "'", "1.0") + "\r\nInstrument Data\r\n"
        + label("    Name", "", "Armivue") + label("    Serial Number", "", "AV03")
        + label("    Software Version", "'", "1.0.0") + label("    Hardware Index", "", "A1")
        + label("    Signature", "'", "06000102") + "\r\nSettings\r\n"
        + label("    Regional", "", "ASTM inch") + label("    Data Storage Mode", "", "Manual")
        + label("    Raw Default Bar Diameter [mm]", "'", "16") + label("    Default Bar Diameter", "'", "#5")
        + label("    Neighboring Bar Correction [in]", "'", "5.2") + "\r\nComment\r\n"
        + '    "say &quotno&quot;;&#13twice"\r\n\r\n\r\n\r\nData\r\n'
        + label("    Object Number", "", "12") + label("    Object Name", '"', 'a;b"')
        + label("    Date", "'", "1.7.2026  14:5:9") + label("    # of Measurements", "", "1")
        + "\r\n\r\nNumber            ;Cover [in]        ;Diameter          ;Raw Diameter [mm] \r\n"
        + ";".join(["-" * 18] * 4) + "\r\n"
        + " 1" + " " * 16 + ";1.97" + " " * 14 + ";#5" + " " * 16 + ";16\r\n")


def driver(env, workdir, type_number, *operation):
    log = os.path.join(workdir, f"instrument-{type_number}.log")
    sim = Simulator(INSTRUMENT_SIM, env, "--type", str(type_number), "--pty", "--com", str(COM), "--log", log)
    out = run_zdtool(ZDTOOL, env, "driver", PORT, "--type", str(type_number), *operation).splitlines()
    sim.stop()
    with open(log) as f:
        return out, f.read().splitlines()


def operations(env, workdir):
    out, log = driver(env, workdir, 3, "WriteSwitch", "1")
    check(out == ["identified=1", "result=1"], f"switch {out}")
    check("frame C9 D2 34 30 36 30 31 30 30 30 30" in log, f"switch payload {log}")
    out, log = driver(env, workdir, 3, "WriteTextPair", "a", "b")
    check(out == ["identified=1", "result=1"] and "frame C4 D2 30 61 3B 62" in log, f"text pair {out} {log}")
    out, log = driver(env, workdir, 18, "SendText16", "ABCDEFGHIJKLMNOPQRSTUVWXY")
    check(out == ["identified=1", "result=1"], f"text 16 {out}")
    check("frame D5 C8 10 " + " ".join(f"{0x41 + i:02X}" for i in range(20)) in log, f"text 16 {log}")
    out, _ = driver(env, workdir, 18, "SendCommand5", "3")
    check(out == ["identified=1", "result=1", "status=0"], f"command 5 {out}")
    out, _ = driver(env, workdir, 18, "GetFirmwareVersion")
    check(out == ["identified=1", "result=1.2.0"], f"firmware version {out}")


def download(env, workdir, *options, binary=False, baud=19200):
    outdir = tempfile.mkdtemp(dir=workdir)
    log = os.path.join(outdir, "instrument.log")
    sim = Simulator(INSTRUMENT_SIM, env, "--type", "3", "--pty", "--com", str(COM), "--log", log, *options)
    args = ["download", PORT, outdir, "--type", "3", "--baud", str(baud)] + (["--binary"] if binary else [])
    out = run_zdtool(ZDTOOL, env, *args).splitlines()
    sim.stop()
    with open(log) as f:
        logged = f.read().splitlines()
    written = {}
    for name in sorted(os.listdir(outdir)):
        if name.startswith("object-"):
            with open(os.path.join(outdir, name), "rb") as f:
                written[name] = f.read()
    return out, logged, written


def binary_record(object_number, readings):
    record = bytearray(262)
    record[0] = 1
    record[2:9] = b"Armivue"
    record[58] = ord("M")
    record[61] = object_number
    record[63] = readings
    for i in range(readings):
        record[64 + i] = 20 + i
        record[163 + i] = 16
    return bytes(record)


def downloads(env, workdir):
    folder = os.path.join(workdir, "stored")
    os.mkdir(folder)
    second = TEXT.replace(";;;12\r\n", ";;;13\r\n")
    for name, text in [("a.txt", TEXT), ("b.txt", second)]:
        with open(os.path.join(folder, name), "wb") as f:
            f.write(text.encode("utf-8"))
    # The line switches to 115200 Bd for the transfer and back to 19200 Bd after it; the
    # throttled link follows both switches.
    out, log, written = download(env, workdir, "--data-files", folder, "--rate-commands", "--byte-rate", "1920",
                                 baud=115200)
    check(out == ["result=1", "objects=2"], f"text download {out}")
    check(written == {"object-1.txt": TEXT.encode("utf-8"), "object-2.txt": second.encode("utf-8")},
          f"text download files {written}")
    check(log == ["text BR ?", "raw 42 52 20 30 33 35 0D", "text BR ?", "frame C1 D2 10",
                  "text BR ?", "raw 42 52 20 32 30 38 0D", "text BR ?"], f"text download log {log}")

    records = os.path.join(workdir, "records.bin")
    with open(records, "wb") as f:
        f.write(binary_record(1, 2) + binary_record(2, 3))
    out, log, written = download(env, workdir, "--records", records, binary=True)
    check(out == ["result=1", "objects=2"] and log == ["frame C1 D2 12"], f"binary download {out} {log}")
    check(sorted(written) == ["object-1.txt", "object-2.txt"] and
          label("    Object Number", "", "2").encode() in written["object-2.txt"] and
          label("    # of Measurements", "", "3").encode() in written["object-2.txt"],
          f"binary download files {written}")

    empty = os.path.join(workdir, "empty")
    os.mkdir(empty)
    out, _, written = download(env, workdir, "--data-files", empty)
    check(out == ["result=1", "objects=0"] and not written, f"empty download {out}")


def main():
    with tempfile.TemporaryDirectory() as workdir:
        env = dict(os.environ, XDG_CONFIG_HOME=workdir, TZ="Europe/Berlin")
        source = os.path.join(workdir, "in.txt")
        target = os.path.join(workdir, "out.txt")
        with open(source, "wb") as f:
            f.write(TEXT.encode("utf-8"))
        out = run_zdtool(ZDTOOL, env, "armivue-convert", source, target)
        for line in ["read=1", "version=1.0", "regional=1", "storage_mode=0", "correction=130",
                     'comment=say "no";;\\r\\ntwice', "object_name=a;b", "date=1782907509",
                     "object_number=12", "readings=1", "reading=1,50,16", f"written={len(TEXT)}"]:
            check(line in out.splitlines(), f"{line} missing in:\n{out}")
        with open(target, "rb") as f:
            check(f.read() == TEXT.encode("utf-8"), "the written text differs from the one read")

        record = bytearray(262)
        record[0:2] = b"\x01\x00"
        record[2:9] = b"Armivue"
        record[57:64] = bytes([0, ord("X"), 16, 0, 0xFF, 0xFF, 2])
        record[64:66] = bytes([35, 255])
        record[163:165] = bytes([16, 9])
        with open(source, "wb") as f:
            f.write(bytes(record))
        out = run_zdtool(ZDTOOL, env, "armivue-convert", source, target)
        for line in ["read=1", "name=Armivue", "storage_mode=255", "object_number=-1", "reading=2,255,9",
                     "written=0"]:
            check(line in out.splitlines(), f"{line} missing in:\n{out}")
        operations(dict(env, ZD_TIME_SCALE="20"), workdir)
        downloads(dict(env, ZD_TIME_SCALE="20"), workdir)
    print("ok")


main()
