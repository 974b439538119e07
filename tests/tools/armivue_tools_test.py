"""zdtool armivue-convert: an Armivue data-file text and a binary download record read, printed
and written back as data-file text, with the local time of Berlin."""

import os
import sys
import tempfile

from zdtest_util import check, run_zdtool

ZDTOOL = sys.argv[1]


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
    print("ok")


main()
