#!/usr/bin/env python3
"""End-to-end test of zdtool frame against the zd2-sim program on a pseudo-terminal mapped to a
COM number: the connection wizard, the download into the project with the instrument's
identity, the device commands and the boxes the user sees."""

import os
import stat
import sys
import tempfile

from zdtest_util import Simulator, check, measurement_record, run_zdtool

ZDTOOL, ZD2SIM = sys.argv[1], sys.argv[2]
COM = 43
IDENTITY = "ZD-2;2;VN02-123-4567;0C000102;1.6.2"
FOUND = "found=Serial number: VN02-123-4567    @ COM43"


def frame(env, folder, *args):
    return run_zdtool(ZDTOOL, env, "frame", "--program-folder", folder, *args).splitlines()


def write_records(path, count):
    with open(path, "wb") as f:
        for i in range(count):
            f.write(measurement_record(i + 1, (2024, 3, 4, 10, 20, i), 100 + i, 1, 5000 + i, 570, 10,
                                       [(0, 100), (0, 0), (0, 0)]))


def sim(env, workdir, *options, identity=IDENTITY):
    return Simulator(ZD2SIM, env, "--pty", "--com", str(COM), "--identity", identity,
                     "--query", "@EN@=HW-77", "--query", "@CD@=2024-01-02", *options)


def without_wizard_details(lines):
    return [l for l in lines if not l.startswith(("wizard_status=", "wizard_info="))]


def download(env, workdir):
    stored = os.path.join(workdir, "three.bin")
    write_records(stored, 3)
    project = os.path.join(workdir, "P.jvd")
    with sim(env, workdir, "--records", stored):
        lines = frame(env, workdir, "--com", str(COM), "download", project, "download", project)
    progress = [l for l in lines if l.startswith("progress=")]
    check(progress[:2] == ["progress=2", "progress=show"] and progress[-2:] == ["progress=100", "progress=hide"],
          f"progress {progress}")
    first = lines[:lines.index("saved=" + project) + 1]
    check(without_wizard_details([l for l in first if not l.startswith("progress=")]) == [
        "command=download", "wizard=shown", "wizard_kinds=Serial", FOUND, "wizard=finish",
        "device=1", "records=3", "saved=" + project], f"first download {first}")
    second = lines[len(first):]
    check(second[0] == "command=download" and "wizard=shown" not in second and second[-1] == "saved=" + project,
          f"second download {second}")
    dump = run_zdtool(ZDTOOL, env, "project-dump", project)
    for fact in ("device_name=ZD-2", "serial_number=VN02-123-4567", "hw_serial=HW-77", "hw_revision=2",
                 "app_version=1.6.2", "model=VA-216", "cal_date=2024-01-02", "model_load_limit=16000"):
        check(dump.count(fact + "\n") == 3, f"{fact} in every record: {dump}")

    # The wizard remembers Serial at COM 43 without a scan, in the order of its table; a run
    # without --com finds the instrument from them.
    remembered = run_zdtool(ZDTOOL, env, "settings", "get", "Software\\Jovant\\DiVudodav\\Settings\\ConnWizard")
    check(remembered == "Express=dword:0\nDeviceType=dword:9\nComPort=dword:43\nCommPort=dword:1\nScan=dword:0\n"
          "Stop Scan=dword:1\nIP Address=sz:0.0.0.0\nServer Username=sz:\n", f"remembered {remembered!r}")
    with sim(env, workdir, "--records", stored):
        lines = frame(env, workdir, "download", project)
    check(FOUND in lines and "records=3" in lines, f"remembered choices {lines}")


def empty_faulty_and_cancelled(env, workdir):
    project = os.path.join(workdir, "E.jvd")
    with sim(env, workdir):
        lines = frame(env, workdir, "--com", str(COM), "download", project)
    check([l for l in lines if l.startswith(("progress=", "box="))] == [
        "progress=2", "progress=show", "progress=100", "progress=hide",
        "box=none|There is no measurement data on this ZD-2!"], f"empty {lines}")
    check(lines[-2:] == ["device=1", "records=0"], f"empty keeps nothing {lines}")

    stored = os.path.join(workdir, "one.bin")
    write_records(stored, 1)
    with sim(env, workdir, "--records", stored, "--fault", "header-cut"):
        lines = frame(env, workdir, "--com", str(COM), "download", project)
    check("box=error|Failed to download measurement data.\\nError: Wrong header size." in lines, f"header-cut {lines}")

    with sim(env, workdir, "--records", stored):
        lines = frame(env, workdir, "--cancel-wizard", "download", project)
    check(lines == ["command=download", "wizard=shown", "wizard=cancel", "device=0",
                    "records=0"], f"cancelled wizard {lines}")


def lost_at_the_start(env, workdir):
    """An instrument that goes away as the download starts is reported as a lost connection:
    never as an empty instrument, whatever it sent before it went."""
    project = os.path.join(workdir, "L.jvd")
    stored = os.path.join(workdir, "two.bin")
    write_records(stored, 2)
    lost = "box=error|Failed to download measurement data.\\nConnection to the ZD-2 has been lost."
    cases = [  # what the instrument holds and does, then why the case is here
        (["--records", stored, "--fault", "disconnect-after:0"], "hung up before answering"),
        (["--records", stored, "--fault", "disconnect-after:4"], "hung up after the header"),
        (["--fault", "disconnect-after:4"], "hung up after a header that counts no tests"),
    ]
    for options, name in cases:
        with sim(env, workdir, *options):
            lines = frame(env, workdir, "--com", str(COM), "download", project)
        check([l for l in lines if l.startswith("box=")] == [lost], f"{name}: {lines}")
        check(lines[-1] == "records=0", f"{name}: {lines}")


def delete_all(env, workdir):
    with sim(env, workdir):
        lines = frame(env, workdir, "--cancel-wizard", "delete-all")
    check(lines.count("wizard=shown") == 2 and
          "box=none|ZD-2 device has not been connected. Measurement data will not be deleted." in lines,
          f"delete-all without instrument {lines}")
    transcript = os.path.join(workdir, "transcript.bin")
    with sim(env, workdir, "--transcript", transcript):
        lines = frame(env, workdir, "--com", str(COM), "--answer", "yes", "delete-all")
    check("box=question|Do you really want to delete all measurement data on ZD-2?" in lines and
          "box=information|All measurement data on ZD-2 has been successfully deleted." in lines, f"delete-all {lines}")
    with open(transcript, "rb") as f:
        check(b"\xc1\xd2\x0b" in f.read(), "delete-all command in the transcript")
    with sim(env, workdir, "--fault", "delete-all-double-answer"):
        lines = frame(env, workdir, "--com", str(COM), "--answer", "yes", "delete-all")
    check("box=error|Failed to delete all measurement data on device!" in lines, f"delete-all answered 00 00 {lines}")


def firmware_update(env, workdir):
    folder = os.path.join(workdir, "prog")
    os.makedirs(folder, exist_ok=True)
    log = os.path.join(workdir, "upgrade.log")
    stub = os.path.join(folder, "DiVudodav.exe")
    with open(stub, "w") as f:
        f.write(f"#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '{log}'; done\nexit 3\n")
    os.chmod(stub, os.stat(stub).st_mode | stat.S_IXUSR)
    with sim(env, workdir):
        frame(env, folder, "--com", str(COM), "firmware-update")
        frame(env, folder, "--com", str(COM), "--answer", "yes", "firmware-update")
        check(not os.path.exists(log), "No at either question starts nothing")
        lines = frame(env, folder, "--com", str(COM), "--answer", "yes", "--answer", "yes", "firmware-update")
    check(lines[-4:] == [f"started={stub} -DeviceTypeList 0c-00000-0", "ended=3", "device=0", "records=0"],
          f"upgrade program started and the device released {lines}")
    with open(log) as f:
        check(f.read() == "-DeviceTypeList\n0c-00000-0\n", "upgrade program arguments")
    updater = run_zdtool(ZDTOOL, env, "settings", "get", "Software\\Jovant\\DiVudodav\\Settings")
    check(f"Pfad=sz:{folder}\nLanguageFile=sz:{folder}/DiVudodav.exe\n" in updater, f"updater settings {updater!r}")


def live_view(env, workdir):
    for version, allowed in (("1.4.2", False), ("1.4.3", True), ("1.10.0", True)):
        with sim(env, workdir, identity=f"ZD-2;2;VN02-123-4567;0C000102;{version}"):
            lines = frame(env, workdir, "--com", str(COM), "live-view")
        if allowed:
            check("live_view=allowed" in lines, f"live view {version}: {lines}")
            check(f"live_view_info=ZD-2: Serial No.: VN02-123-4567  Firmware Version: {version}" in lines,
                  f"live view dialog {version}: {lines}")
        else:
            check("box=error|Firmware version 1.4.3 or higher is required to run Live View.\\n"
                  "The firmware version on the device is 1.4.2.\\n\\nPlease update the firmware." in lines,
                  f"live view {version}: {lines}")
    lines = frame(env, workdir, "--cancel-wizard", "live-view")
    check("box=error|Live View could not start: The device could not be connected.\\n"
          "Please try to connect again." in lines, f"live view without instrument {lines}")


def settings(env):
    key = "Software\\Test\\Values"
    run_zdtool(ZDTOOL, env, "settings", "set", key, "B", "sz:two words")
    run_zdtool(ZDTOOL, env, "settings", "set", key, "A", "dword:7")
    run_zdtool(ZDTOOL, env, "settings", "set", key, "B", "sz:again")
    check(run_zdtool(ZDTOOL, env, "settings", "get", key) == "B=sz:again\nA=dword:7\n", "settings in written order")
    run_zdtool(ZDTOOL, env, "settings", "delete", key, "B")
    check(run_zdtool(ZDTOOL, env, "settings", "get", key) == "A=dword:7\n", "settings after delete")


def main():
    with tempfile.TemporaryDirectory() as workdir:
        env = dict(os.environ, XDG_CONFIG_HOME=workdir, ZD_TIME_SCALE="20", QT_QPA_PLATFORM="offscreen")
        settings(env)
        download(env, workdir)
        empty_faulty_and_cancelled(env, workdir)
        lost_at_the_start(env, workdir)
        delete_all(env, workdir)
        firmware_update(env, workdir)
        live_view(env, workdir)
    print("frame tools: all checks passed")


if __name__ == "__main__":
    main()
