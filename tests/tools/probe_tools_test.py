#!/usr/bin/env python3
"""End-to-end test of zdtool driver for the Bluetooth live probes on a pseudo-terminal mapped to
a COM number, and of the Calvera 3 over a simulated HID probe that instrument-sim serves on a
Unix socket (ZD_HID_SOCKET): the probes' own operations by their names, as the simulator logs
what reached it, and the Calvera found by the USB search, identified and read."""

import os
import sys
import tempfile

from zdtest_util import LoggedInstrument, Simulator, check, run_zdtool

ZDTOOL, INSTRUMENT_SIM = sys.argv[1], sys.argv[2]
COM = 66
PORT = f"COM{COM}:"


def zdtool(env, *args, rc=0):
    return run_zdtool(ZDTOOL, env, *args, rc=rc).splitlines()


def instrument(env, workdir, type_number, *options):
    return LoggedInstrument(INSTRUMENT_SIM, env, workdir, COM, type_number, *options)


def logged(sim):
    return sim.logged()


def driver(env, type_number, *operation, rc=0):
    return zdtool(env, "driver", PORT, "--type", str(type_number), *operation, rc=rc)


def leeb_probe(env, workdir):
    sim = instrument(env, workdir, 17)
    check(driver(env, 17, "ReadParameterSet") == [
        "identified=1", "result=1", "values=273,274,275,276", "version=1.4.2.7",
        "block=A0A1A2A3A4A5A6A7A8A9AAABACADAEAF"], "parameter set")
    check(driver(env, 17, "ReadWords33") == ["identified=1", "result=1", "values=33,290,65315"], "words 33")
    check(driver(env, 17, "WriteCorrectionA", "269", "2", "65535") == ["identified=1", "result=1"], "correction")
    check(driver(env, 17, "ReadHexId") == ["identified=1", "result=1", "text=123456789ABCDEF0"], "hex id")
    check(driver(env, 17, "GetDeviceInfo") == [
        "identified=1", "result=1", "device_name=Durimo Live Leeb Probe", "app_version=1.0.0",
        "serial_number=LP17-000-0017", "hw_rev=A1", "signature=16000102", "module_name=ZD_BLE",
        "module_app_version=2.1.0", "module_serial=BM17-0017", "module_hw_rev=B2"], "device info")
    check(driver(env, 17, "ModuleQuery", "RMXyZz", "2") == ["identified=1", "result=0", "text=?"], "module query")
    check(driver(env, 17, "SetOpmMode", "1", rc=2) == ["identified=1"], "the UCI probe's mode on the Leeb probe")
    log = logged(sim)
    check("text WDCorA 01 0D 00 02 FF FF" in log, f"correction words {log}")
    check(log.count("frame C1 C9 41") == 1 and log.count("text RMXyZz") == 2, f"hex id and module query {log}")


def uci_probe(env, workdir):
    sim = instrument(env, workdir, 21, "--answer", "OPM_ON=ok")
    # The status request waits only 50 ms: on the real clock, so that a loaded machine keeps up.
    check(driver(dict(env, ZD_TIME_SCALE="1"), 21, "ReadStatusBit") == ["identified=1", "result=1"], "status bit")
    check(driver(env, 21, "WriteHardwareRevision", "C4") == ["identified=1", "result=1"], "hardware revision")
    check(driver(env, 21, "WriteHardwareRevision", "") == ["identified=1", "result=0"], "empty revision")
    check(driver(env, 21, "SetOpmMode", "1") == ["identified=1", "result=1"], "OPM mode")
    check(driver(env, 21, "ResetZedo", "1", "0") == ["identified=1", "result=1"], "reset after link loss")
    check(driver(env, 21, "ReadParameterSet", rc=2) == ["identified=1"], "the Leeb probe's set on the UCI probe")
    log = logged(sim)
    check("text WDHWVeC4" in log and log.count("text WDHWVe") == 0, f"hardware revision {log}")
    check("text OPM_ON" in log and log.count("text BBoEx") == 2, f"mode and reset {log}")

    with instrument(env, workdir, 20, "--silent-app"):
        check(driver(env, 20, "QueryBootloaderIdentity") == [
            "identified=1", "result=1", "text=Hallek Live;A1;HL20-000-0020;1A000102;1.0.0"], "probe boot loader")


def armivue_boot_loader(env, workdir):
    with instrument(env, workdir, 3, "--silent-app"):
        lines = driver(env, 3, "QueryBootloaderIdentity")
        check(lines[1:] == ["result=1", "text=Armivue;A1;AV03-000-0003;06000102;1.0.0"], f"Armivue boot loader {lines}")


def calvera_over_hid(env, workdir):
    socket_path = os.path.join(workdir, "calvera.sock")
    sim = Simulator(INSTRUMENT_SIM, env, "--type", "5", "--hid", socket_path, "--data-reports",
                    "0102030405060708,1112131415161718")
    hid_env = dict(env, ZD_HID_SOCKET=socket_path)
    try:
        lines = zdtool(hid_env, "search", "--type", "5", "--usb")
        found = [l for l in lines if l.startswith("found: ")]
        check(len(found) == 1 and "Calvera 3" in found[0] and sim.port in found[0], f"USB search {lines}")
        lines = zdtool(hid_env, "identify", sim.port, "--type", "5")
        check(lines[:4] == ["identified=1", "device_name=Calvera 3", "app_version=1.0.0",
                            "serial_number=CV05-000-0005"], f"identify {lines}")
        check(zdtool(hid_env, "driver", sim.port, "--type", "5", "ReadDataReport", "500") == [
            "identified=1", "result=1", "report=0102030405060708", "status=1"], "data report")
        check(zdtool(hid_env, "driver", sim.port, "--type", "5", "GetPackedSerial") == [
            "identified=1", "result=1", "packed=9005000000140070"], "packed serial")
    finally:
        sim.stop()
    check(zdtool(dict(env, ZD_HID_SOCKET=socket_path), "search", "--type", "5", "--usb", rc=1)[-1:] == [], "no server")


def main():
    with tempfile.TemporaryDirectory() as workdir:
        # The probes' module words wait 400 ms: a slower clock leaves a loaded machine room.
        env = dict(os.environ, XDG_CONFIG_HOME=workdir, ZD_TIME_SCALE="5")
        leeb_probe(env, workdir)
        uci_probe(env, workdir)
        armivue_boot_loader(env, workdir)
        calvera_over_hid(env, workdir)
    print("ok")


main()
