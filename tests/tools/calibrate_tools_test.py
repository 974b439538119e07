"""zdtool calibrate: the calibration adjustment and its verification against zd2-sim on a
pseudo-terminal mapped to a COM port, with a force model of gain 0.98 and offset 12 N, the
reference device's loads typed from that model; what the instrument holds afterwards and the
files the procedure wrote."""

import os
import re
import struct
import sys
import tempfile
import time

from zdtest_util import Simulator, check, run_zdtool

COM = 27
IDENTITY = ["--identity", "ZD-2;B2;VN02-123-4567;0C000102;1.6.3"]
IDENTITY_6KN = ["--identity", "ZD-2;B2;VN01-123-4567;0C000102;1.6.3"]
LIFETIME = 0x12345678
STEP = 800


def procedures(printed):
    """The printed facts split per procedure: a list of dicts whose log, message and file
    entries are lists."""
    result = []
    for line in printed.splitlines():
        key, _, value = line.partition("=")
        if key == "mode":
            result.append({"mode": value, "log": [], "message": [], "file": []})
        elif key in ("log", "message", "file"):
            result[-1][key].append(value)
        elif result:
            result[-1][key] = value
    return result


def step_means(temp_log):
    """Mean instrument force per nominal load, from the run's file-only step lines."""
    loads = {}
    for line in temp_log.splitlines():
        found = re.search(r"Step \d+% Load \(N\): Nominal: (\d+)  ZD: (\d+)", line)
        if found:
            loads.setdefault(int(found.group(1)), []).append(int(found.group(2)))
    return {nominal: sum(values) / len(values) for nominal, values in loads.items()}


def check_adjust_and_verify(zdtool, zd2sim, env, folder):
    temp_log = os.path.join(folder, "templog")
    os.makedirs(temp_log)
    saved = os.path.join(folder, "saved.bin")
    transcript = os.path.join(folder, "transcript.bin")
    sim = Simulator(zd2sim, env, "--pty", "--com", str(COM), *IDENTITY, "--gain", "0.98", "--offset", "12",
                    "--noise", "2", "--save-memory", saved, "--transcript", transcript)
    started = time.monotonic()
    try:
        printed = run_zdtool(zdtool, env, "calibrate", str(COM), "adjust+verify", "--tester", "Anna", "--facility",
                             "LAB1", "--ref-serial", "REF-77", "--temperature", "21", "--unit", "N",
                             "--ref-model", "0.98:12", "--temp-log", temp_log)
    finally:
        sim.stop()
    elapsed = time.monotonic() - started
    check(elapsed < 60, f"the adjustment and verification took {elapsed:.0f} s")
    adjust, verify = procedures(printed)
    check(adjust["mode"] == "adjust" and verify["mode"] == "verify", printed)
    check(adjust["verdict"] == "OK" and verify["verdict"] == "OK", printed)
    check(adjust["state"] == "4" and verify["state"] == "4", printed)
    check(any(line.endswith("Device has been successfully calibrated.") for line in adjust["log"]), adjust["log"])
    check("TempLogCalibration.txt" in adjust["file"], adjust["file"])
    check(any(name.startswith("ExternCal_REF-77_VN02-123-4567_") for name in adjust["file"]), adjust["file"])
    check("TempLogVerification.txt" in verify["file"], verify["file"])
    results = [name for name in verify["file"] if name.startswith("Verify_VN02-123-4567_")]
    check(len(results) == 1 and re.fullmatch(r"Verify_VN02-123-4567_\d{8}_\d{6}\.csv", results[0]), verify["file"])

    with open(saved, "rb") as f:
        memory = f.read()
    check(memory[0:4] == bytes([0xC3, 0x3C, 0xA5, 0xA5]), f"validity identifier {memory[0:4].hex()}")
    lifetime, calibrations = struct.unpack_from("<II", memory, 0x80)
    check(calibrations == 0 and lifetime == LIFETIME, f"counters {lifetime:#x} {calibrations}")
    check(memory[4:14].decode() == time.strftime("%Y-%m-%d"), f"date {memory[4:14]!r}")
    check(memory[0x3A:0x3E] == b"LAB1", f"calibrator {memory[0x3A:0x3E]!r}")
    slopes = struct.unpack_from("<20H", memory, 0x12)
    offsets = struct.unpack_from("<20h", memory, 0x88)
    check(all(abs(slope - 10000 / 0.98) <= 10000 / 0.98 * 0.01 for slope in slopes), f"slopes {slopes}")

    with open(os.path.join(temp_log, "TempLogCalibration.txt"), "rb") as f:
        calibration_log = f.read()
    check(calibration_log.startswith(b"#" * 55) and calibration_log[55:56] != b"#", calibration_log[:80])
    check(b"\r\n" in calibration_log and b"\n" not in calibration_log.replace(b"\r\n", b""), "CR LF line ends")
    check(b"PCB Serial Number:\t" in calibration_log, "the header's tab")
    check(re.search(rb"\r\n1\) \.\.\.Calibration process has started \.\.\.\r\n", calibration_log) is not None,
          "numbered lines")
    means = step_means(calibration_log.decode("utf-8"))
    check(len(means) == 20, f"step means {means}")
    for index, nominal in enumerate(range(STEP, 20 * STEP + 1, STEP)):
        reference = round((nominal - 12) / 0.98)
        mapped = means[nominal] * slopes[index] / 10000 + offsets[index]
        check(abs(mapped - reference) <= 2, f"step {index + 1}: {means[nominal]} maps to {mapped}, not {reference}")

    with open(os.path.join(temp_log, results[0]), "rb") as f:
        csv = f.read()
    check(csv.startswith(b"\xef\xbb\xbfLoad Unit;N;\r\nNo.;Step(%);Nominal Load;Run #1;Run #2;\r\n"), csv[:80])
    check(csv.count(b"\r\n") == 12 and csv.endswith(b"\r\n"), csv)
    check(re.search(rb"\r\n10;100;16000;\d+;\d+;\r\n$", csv) is not None, csv[-40:])

    with open(transcript, "rb") as f:
        received = f.read()
    check(b"C0C1r" in received, "the instrument was restarted")
    check(b"\xC4\xC1\xD2" in received, "the last-used copy was refreshed")


def run_adjustment(zdtool, zd2sim, env, folder, name, *sim_options, options=(), rc=1):
    """An adjustment alone against a fresh zd2-sim; its facts and the memory it left."""
    saved = os.path.join(folder, name + ".bin")
    temp_log = os.path.join(folder, name)
    os.makedirs(temp_log)
    sim = Simulator(zd2sim, env, "--pty", "--com", str(COM), *IDENTITY, "--gain", "0.98", "--offset", "12",
                    "--save-memory", saved, *sim_options)
    try:
        printed = run_zdtool(zdtool, env, "calibrate", str(COM), "adjust", "--tester", "Anna", "--facility", "LAB1",
                             "--ref-serial", "REF-77", "--unit", "N", "--temp-log", temp_log, *options, rc=rc)
    finally:
        sim.stop()
    with open(saved, "rb") as f:
        return procedures(printed), f.read()


def check_failed_reference_check(zdtool, zd2sim, env, folder):
    # Run 2's first step typed as 5000 N lies outside 800 +- 160 N; its other cells follow the
    # model, as do runs 1 and 3.
    model = [str(round((STEP * step - 12) / 0.98)) for step in range(1, 21)]
    wrong = ["5000"] + model[1:]
    loads = os.path.join(folder, "loads.txt")
    with open(loads, "w") as f:
        f.write(";".join(model) + "\n" + ";".join(wrong) + "\n" + ";".join(model) + "\n")
    (adjust,), memory = run_adjustment(zdtool, zd2sim, env, folder, "reference-check", options=["--ref-loads", loads])
    check(adjust["verdict"] == "none" and adjust["state"] == "4", adjust)
    errors = [line for line in adjust["log"] if "ERROR" in line]
    step_line = re.compile(r"\.\.\.ERROR: Run #2  \(1\) Nominal: 800 N  ZD: \d+ N  Reference: 5000  "
                           r"Difference: -\d+\.\d\d%  Valid:0$")
    check(any(step_line.search(line) for line in errors), errors)
    check(any(line.endswith("...ERROR: Run #2: Found valid data only 19 out of 20 steps.") for line in errors), errors)
    check(any(line.endswith("...ERROR: Not all measurements were valid for calibration. Please retry.")
              for line in errors), errors)
    check(memory[0:0x3E] == b"\xff" * 0x3E, "nothing written after the deletion of the old calibration")


def check_closed_grid(zdtool, zd2sim, env, folder):
    (adjust,), memory = run_adjustment(zdtool, zd2sim, env, folder, "closed-grid", options=["--close-grid"])
    check(adjust["verdict"] == "FAILED", adjust)
    check(any(line.endswith("ERROR: Device has NOT been successfully calibrated.") for line in adjust["log"]), adjust)
    check(memory[0:4] == b"\xff" * 4, "no calibration written")


def check_verification_copy(zdtool, zd2sim, env, folder):
    # A 6 kN instrument: one cycle of ten steps of 600 N, shown and copied in kN.
    temp_log = os.path.join(folder, "verification")
    os.makedirs(temp_log)
    sim = Simulator(zd2sim, env, "--pty", "--com", str(COM), "--identity", "ZD-2;B2;VN01-123-4567;0C000102;1.6.3")
    try:
        printed = run_zdtool(zdtool, env, "calibrate", str(COM), "verify", "--unit", "kN", "--cycles", "1",
                             "--copy-data", "--temp-log", temp_log)
    finally:
        sim.stop()
    (verify,) = procedures(printed)
    check(verify["verdict"] == "OK" and verify["state"] == "4", verify)
    rows = verify["clipboard"].split("\\r\\n")
    check(len(rows) == 11 and rows[-1] == "", f"ten rows, CR LF after each: {verify['clipboard']}")
    for step, row in enumerate(rows[:-1], start=1):
        check(re.fullmatch(r"\d+\.\d{3}", row) and abs(float(row) - 0.6 * step) <= 0.1, f"step {step}: {row}")
    (results,) = [name for name in verify["file"] if name.startswith("Verify_")]
    with open(os.path.join(temp_log, results), "rb") as f:
        csv = f.read()
    check(csv.startswith(b"\xef\xbb\xbfLoad Unit;kN;\r\nNo.;Step(%);Nominal Load;Run #1;\r\n1;10;0.600;"), csv[:60])
    check(re.search(rb"\r\n10;100;6\.000;\d\.\d{3};\r\n$", csv) is not None, csv[-30:])


def verify_against(zdtool, zd2sim, env, folder, name, sim_options, *options):
    """A verification alone against a fresh zd2-sim; its facts."""
    temp_log = os.path.join(folder, name)
    os.makedirs(temp_log)
    sim = Simulator(zd2sim, env, "--pty", "--com", str(COM), *sim_options)
    try:
        printed = run_zdtool(zdtool, env, "calibrate", str(COM), "verify", "--cycles", "1", "--temp-log", temp_log,
                             *options, rc=1)
    finally:
        sim.stop()
    return procedures(printed)


def check_failures(zdtool, zd2sim, env, folder):
    def shown(facts, text):
        return any(line.endswith(text) for line in facts["log"])

    (stopped,) = verify_against(zdtool, zd2sim, env, folder, "stopped", ["--identity", "ZD-2;B2;VN01-123-4567;0C000102;1.6.3"],
                                "--stop-at-step", "30")
    check(stopped["verdict"] == "none" and shown(stopped, "Process has been terminated by the user."), stopped)
    (stalled,) = verify_against(zdtool, zd2sim, env, folder, "stalled",
                                ["--identity", "ZD-2;B2;VN01-123-4567;0C000102;1.6.3", "--fault", "drive-stall:2400"])
    # The warm-up's ramp to the full 6000 N stalls first: round(6000 x 1000 / 450) + 30000 ms.
    check(stalled["verdict"] == "none" and shown(stalled, "ERROR: Exceeded step timeout of 43333 milliseconds."),
          stalled)
    (old,) = verify_against(zdtool, zd2sim, env, folder, "old-firmware", ["--identity", "ZD-2;B2;VN01-123-4567;0C000102;1.6.2"])
    check(old["verdict"] == "none" and not any("process has started" in line for line in old["log"]), old)
    (unknown,) = verify_against(zdtool, zd2sim, env, folder, "unknown", ["--identity", "ZD-2;B2;VN00-000-0000;0C000102;1.6.3"])
    check(unknown["verdict"] == "none" and not any("process has started" in line for line in unknown["log"]), unknown)


def check_refused_steps(zdtool, zd2sim, env, folder):
    """The instrument refuses the second step's nominal load or START. Those commands have no
    answer that the library reads. Without its nominal load the drive starts for the load it is
    at and stops at once, so the step is measured where the drive stayed and fails its
    tolerance; without START the drive never moves and the step ends with its time-out. Either
    way the run fails, its cycle still goes home and writes its summary, and no results are
    saved. A link lost as the step is commanded fails the run as well."""
    def unnumbered(lines):
        return [line.partition(") ")[2] for line in lines]

    def refused_then_homed(fault, transcript, refused):
        with open(transcript, "rb") as f:
            received = f.read()
        at = received.find(refused)
        check(at >= 0, f"{fault}: {refused!r} not received")
        check(received.count(b"0001g", at) >= 2, f"{fault}: the cycle's and the final BACK after the refusal")

    # A 6 kN instrument verifies in ten steps of 600 N; the warm-up sends the first nominal load
    # and START, so the second step's (1200 N, 0x04B0) are the third of each.
    outside = "...Error: ZD load is outside tolerance."
    timed_out = "...ERROR: Exceeded step timeout of 90000 milliseconds."
    for fault, refused, failure in (("refuse-nominal:3", b"04B0f", outside),
                                    ("refuse-start:3", b"04B0f0002g", timed_out)):
        name = fault.replace(":", "-")
        transcript = os.path.join(folder, name + ".bin")
        (verify,) = verify_against(zdtool, zd2sim, env, folder, name,
                                   [*IDENTITY_6KN, "--fault", fault, "--transcript", transcript])
        check(verify["verdict"] == "none", f"{fault}: {verify}")
        log = "\n".join(unnumbered(verify["log"]))
        check(f"...Next step: 20%\n{failure}\n" in log, f"{fault}: {log}")
        check("Next step: 30%" not in log, f"{fault}: {log}")
        check(not any(file.startswith("Verify_") for file in verify["file"]), f"{fault}: {verify['file']}")
        refused_then_homed(fault, transcript, refused)
        with open(os.path.join(folder, name, "TempLogVerification.txt"), "rb") as f:
            lines = unnumbered(f.read().decode("utf-8").split("\r\n"))
        failed = lines.index(failure)
        check(lines[failed + 1:failed + 3] == ["...Moving ZD-2 back to the home position", "...Measurement Summary"],
              f"{fault}: {lines[failed:]}")
        check(re.fullmatch(r"\.\.\. \(2\) TgtLoad: 1200 ZDLoad: \d+ Current: \d+ Counter: \d+", lines[failed + 4]),
              f"{fault}: {lines[failed + 4]}")
        check(lines[failed + 12] == "...(10) TgtLoad: 6000 ZDLoad: 0 Current: 0 Counter: 0", f"{fault}: {lines[failed:]}")

    # The link is lost as the second step's nominal load arrives: START cannot go out (or, when
    # it went out first, the step sees the lost instrument), and the cycle's steps that did not
    # run must not pass for a verification.
    (lost,) = verify_against(zdtool, zd2sim, env, folder, "lost", [*IDENTITY_6KN, "--fault", "hangup-nominal:3"])
    check(lost["verdict"] == "none" and "...Next step: 20%" in unnumbered(lost["log"]), lost)
    check(not any("Next step: 30%" in line for line in lost["log"]), lost)
    check(not any(file.startswith("Verify_") for file in lost["file"]), lost["file"])

    # An adjustment of the 16 kN instrument, twenty steps of 800 N: START of 1600 N (0x0640) refused.
    transcript = os.path.join(folder, "refused-adjustment-transcript.bin")
    (adjust,), _ = run_adjustment(zdtool, zd2sim, env, folder, "refused-adjustment", "--fault", "refuse-start:3",
                                  "--transcript", transcript, options=["--ref-model", "0.98:12"])
    check(adjust["verdict"] == "none", adjust)
    log = "\n".join(unnumbered(adjust["log"]))
    check(f"...Next step: 10%\n{timed_out}\n" in log, log)
    check("RUNNING CALIBRATION CYCLE #2" not in log and "Calibrate ZD-2" not in log, log)
    refused_then_homed("refuse-start:3", transcript, b"0640f0002g")


def main():
    """Runs the procedures, or with a third argument "refused-steps" the runs whose steps the
    instrument refuses."""
    zdtool, zd2sim = sys.argv[1], sys.argv[2]
    refused_steps = sys.argv[3:] == ["refused-steps"]
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, XDG_CONFIG_HOME=folder, ZD_TIME_SCALE="50", QT_QPA_PLATFORM="offscreen")
        os.chdir(folder)
        if refused_steps:
            check_refused_steps(zdtool, zd2sim, env, folder)
        else:
            check_adjust_and_verify(zdtool, zd2sim, env, folder)
            check_failed_reference_check(zdtool, zd2sim, env, folder)
            check_closed_grid(zdtool, zd2sim, env, folder)
            check_verification_copy(zdtool, zd2sim, env, folder)
            check_failures(zdtool, zd2sim, env, folder)
    print("OK")


main()
